// A form: one top-level window built from a FormSpec layout, with its controls, and the
// creation, activation and close events.
#pragma once
#include "toolkit/Controls.h"
#include "toolkit/Layout.h"

#include "core/Error.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tk {

enum class ModalResult { None, Ok, Cancel };

class TForm {
  public:
    explicit TForm(const FormSpec& spec);
    virtual ~TForm();
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    // Builds the window and controls, runs OnCreate, and shows the form when its layout
    // marks it visible. Called by TApplication::CreateForm and by modal callers.
    void Create(HWND owner);

    HWND Handle() const { return window_.get(); }
    const FormSpec& Spec() const { return spec_; }
    bool Visible() const;
    void Show();
    void Hide();
    // Shows the form modally over the other forms (which are disabled meanwhile) until
    // its ModalResult is set or it is closed.
    ModalResult ShowModal();
    void SetModalResult(ModalResult result) { modalResult_ = result; }
    WindowState State() const { return state_; }
    void SetState(WindowState state);
    int ClientWidth() const;
    int ClientHeight() const;
    void SetTopLeft(int left, int top);
    void SetBounds(const Bounds& bounds);
    // Sets the cursor shown over the form's own area (controls keep theirs).
    void SetCursor(Cursor cursor) { cursor_ = cursor; }
    void Close() { SendMessageA(Handle(), WM_CLOSE, 0, 0); }

    Event OnCreate;
    Event OnActivate;
    Event OnClose;
    // Asked before a close request is carried out; false (or an error) keeps the form open and
    // OnClose does not run.
    std::function<bool()> OnCloseQuery;

    // Looks a control up by its layout name; throws if the layout has no such control of
    // that kind (a programming error caught by the first test that creates the form).
    template <class T> T* Find(const char* name) const {
        for (const auto& c : controls_)
            if (std::string(c->Name()) == name)
                if (auto* typed = dynamic_cast<T*>(c.get())) return typed;
        throw tavrin::Error(std::string("layout has no control ") + name);
    }
    const std::vector<std::unique_ptr<TControl>>& Controls() const { return controls_; }
    double Scale() const { return scale_; }
    // The form's font, which controls without a font of their own use.
    HFONT Font() const { return font_.get(); }
    // Makes the controls the layout defers, once; until then they have no window.
    void MakeDeferredControls();
    // Paints the visible windowless controls held by `host` (nullptr: the form itself).
    void PaintChildren(HDC dc, const TControl* host);

  protected:
    // Runs after the controls exist and before OnCreate: form classes look their controls up
    // here and attach their handlers.
    virtual void Loaded() {}
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    void RegisterClassOnce() const;
    void CreateWindowFromSpec(HWND owner);
    void CreateControls();
    void CreateControlWindows(bool deferred);
    void Activated();
    bool CloseAllowed();
    void RememberFocus();
    void RestoreFocus();
    bool SetCursorShape(HWND window, WORD hitTest);
    LRESULT ControlColour(HDC dc, HWND control);

    const FormSpec& spec_;
    UniqueWindow window_;
    std::vector<std::unique_ptr<TControl>> controls_;
    UniqueFont font_;
    UniqueBrush backgroundBrush_;
    WindowState state_;
    Cursor cursor_ = Cursor::Default;
    ModalResult modalResult_ = ModalResult::None;
    double scale_ = 1.0;
    bool deferredMade_ = false;
    HWND focusedControl_ = nullptr; // the control to focus again when the form is reactivated
};

// A layout length in pixels at the given scale, rounded to the nearest pixel.
int Scaled(int value, double scale);
// Creates a font from a spec (face, character height, style, character set).
UniqueFont MakeFont(const FontSpec& spec, double scale);
COLORREF ColourValue(Colour colour);
// The standard window class shared by the toolkit's containers (panels, group boxes, pages).
const char* ContainerClass();
// Messages a child control sends its parent; containers pass them on up to the form.
bool IsChildNotification(UINT message);

} // namespace tk
