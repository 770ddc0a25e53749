// Keeps a second copy of the program from running beside the first. The first copy claims a
// named mutex and listens on the application window for a registered message; a later copy
// broadcasts that message (the first copy then brings its main window to the front) and ends.
#pragma once
#include <windows.h>

extern const char InstanceName[];
extern UINT ActivateMessage;

// Unit start-up and shut-down; each runs once per process.
void MultRunStartup();
void MultRunShutdown();
// True when start-up found another copy running: this copy opens no window and ends.
bool AnotherCopyRunning();

LRESULT CALLBACK GuardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
