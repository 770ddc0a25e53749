// Hints: the small tip that appears when the pointer rests on a control whose layout gives it a
// hint and switches showing on (ControlSpec::hint with showHint).
#pragma once
#include <windows.h>

namespace tk {

class TForm;

// Gives the form a hint window when one of its controls has a hint to show, and registers
// each such control with it: a windowed control by its window, a windowless one by its
// rectangle in the window that holds it (taken once, when the form is built). The hint window
// is owned by the form's window and is destroyed with it.
void AttachHints(const TForm& form);

// The form's hint window, nullptr when it has none.
HWND HintWindow(const TForm& form);

} // namespace tk
