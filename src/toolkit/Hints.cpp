#include "toolkit/Hints.h"

#include "toolkit/Application.h"
#include "toolkit/CommonControls.h"
#include "toolkit/Form.h"

#include "core/Error.h"

namespace tk {

namespace {
bool ShowsHint(const TControl& control) {
    const ControlSpec& spec = control.Spec();
    return spec.showHint && spec.hint && *spec.hint;
}

bool AnyHintShown(const TForm& form) {
    for (const auto& control : form.Controls())
        if (ShowsHint(*control)) return true;
    return false;
}

// The tool information as the version 5 common controls take it: the full structure of newer
// headers is refused by them.
TOOLINFOA ToolFor(const TForm& form, const TControl& control, UINT_PTR index) {
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS;
    tool.lpszText = const_cast<char*>(control.Spec().hint);
    if (control.Handle()) {
        tool.uFlags |= TTF_IDISHWND;
        tool.hwnd = GetParent(control.Handle());
        tool.uId = reinterpret_cast<UINT_PTR>(control.Handle());
        return tool;
    }
    const Bounds& b = control.BoundsRect();
    const double scale = control.Scale();
    tool.hwnd = control.Parent() ? control.Parent()->Handle() : form.Handle();
    tool.uId = index;
    tool.rect = {Scaled(b.left, scale), Scaled(b.top, scale), Scaled(b.left + b.width, scale),
                 Scaled(b.top + b.height, scale)};
    return tool;
}

struct HintSearch {
    HWND owner;
    HWND found = nullptr;
};

BOOL CALLBACK FindOwnedHintWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<HintSearch*>(param);
    char className[64] = {};
    GetClassNameA(window, className, sizeof(className));
    if (GetWindow(window, GW_OWNER) != search->owner || lstrcmpiA(className, TOOLTIPS_CLASSA) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}
} // namespace

void AttachHints(const TForm& form) {
    if (!AnyHintShown(form)) return;
    InitCommonControlsOnce();
    // Owned by the form: the system destroys it together with the form's window.
    HWND hints = CreateWindowExA(
        WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form.Handle(), nullptr, ModuleInstance(), nullptr);
    if (!hints) throw tavrin::Error("Error creating window hints");
    UINT_PTR index = 0;
    for (const auto& control : form.Controls()) {
        ++index;
        if (!ShowsHint(*control)) continue;
        TOOLINFOA tool = ToolFor(form, *control, index);
        SendMessageA(hints, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

HWND HintWindow(const TForm& form) {
    HintSearch search{form.Handle()};
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedHintWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace tk
