// The form toolkit: a thin C++ layer over Win32 that builds windows from declarative layouts.
//
// Conventions, common to every form and control:
// - A window is a form class derived from TForm. Its layout (caption, border, size, font and
//   every control with its bounds, texts and properties) is one FormSpec table in
//   res/layouts/, read as data; the form class looks its controls up by name (Find<T>) and
//   attaches its handlers to their events. Behaviour lives in handlers named after the
//   control and the event (ButtonOKClick, FormCreate, TimerCLSTimer).
// - Events are std::function members (OnCreate, OnActivate, OnClose, OnClick, OnTimer). The
//   toolkit calls every handler through Application.Guard: an exception thrown by a handler
//   ends that handler at the failing step and is shown in the application's error box; no C++
//   exception crosses a Win32 frame, and the program runs on. What a form's own HandleMessage
//   throws is caught the same way at its window procedure, the boundary with the system.
// - OnCreate runs while the form is built, before it is first shown; OnActivate runs when the
//   form becomes the program's focused form (a message box closing over it does not count);
//   OnClose runs when the window is asked to close. Closing the main form ends the program.
// - Ownership: the application object owns the forms, a form owns its controls, a control owns
//   its child window. Every handle the toolkit creates has a move-only owner (Handles.h);
//   borrowed handles are plain HWND/HDC values.
// - Bounds in layouts are pixels relative to the parent; forms marked `scaled` are scaled from
//   96 pixels per inch to the screen's density.
// - Everything runs on the one GUI thread.
#pragma once
#include "toolkit/Application.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "toolkit/Handles.h"
#include "toolkit/Layout.h"
