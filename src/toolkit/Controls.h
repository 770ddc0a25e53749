// The controls a layout can hold. Windowed controls wrap a Win32 child window whose
// GWLP_USERDATA points back at the control; windowless ones (image, bevel) are painted by
// the window that holds them.
#pragma once
#include "toolkit/Handles.h"
#include "toolkit/Layout.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tk {

class TForm;
class TControl;
using Event = std::function<void()>;

// Makes the control of the kind a layout entry names, basic or common (defined beside the
// common controls); throws for a kind without a control class.
std::unique_ptr<TControl> MakeControl(TForm& form, const ControlSpec& spec);

class TControl {
  public:
    TControl(TForm& form, const ControlSpec& spec)
        : form_(form), spec_(spec), bounds_(spec.bounds), visible_(spec.visible) {}
    virtual ~TControl() = default;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    const char* Name() const { return spec_.name; }
    const ControlSpec& Spec() const { return spec_; }
    TForm& Form() const { return form_; }
    HWND Handle() const { return window_.get(); }
    TControl* Parent() const { return parent_; }

    // Bounds are relative to the parent, in pixels.
    const Bounds& BoundsRect() const { return bounds_; }
    // The scale from layout lengths to device pixels: the form's.
    double Scale() const;
    // The size on the screen, in device pixels.
    int PixelWidth() const;
    int PixelHeight() const;
    // Puts a windowed control at a place given in device pixels, relative to the parent (its
    // layout bounds then hold the nearest layout position).
    void MoveToPixels(int left, int top);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    void SetFocus();
    std::string Text() const;
    void SetText(const std::string& text);

    Event OnClick;

    // Called by the toolkit.
    virtual void Create(TControl* parent, HWND parentWindow);
    virtual void Command(WORD notification);
    virtual LRESULT Notify(NMHDR&) { return 0; }
    virtual void Paint(HDC) {} // windowless controls and containers
    virtual bool Windowless() const { return false; }
    static TControl* FromHandle(HWND window);
    HFONT Font() const;
    COLORREF TextColour() const;

  protected:
    virtual const char* WindowClass() const = 0;
    virtual DWORD Style() const;
    virtual DWORD ExStyle() const { return 0; }
    virtual void AfterCreate() {}
    void Click();
    // Absolute bounds of a windowless control within the window that paints it.
    RECT RectInHost() const;
    HWND HostWindow() const;

    TForm& form_;
    const ControlSpec& spec_;
    Bounds bounds_;
    bool visible_;
    TControl* parent_ = nullptr;
    HWND parentWindow_ = nullptr;
    UniqueWindow window_;
    UniqueFont font_;
};

// A window that holds other controls (panels, group boxes, pages): the toolkit's container
// class, whose frame each kind paints, and Tab walks into it.
class TContainer : public TControl {
  public:
    using TControl::TControl;

  protected:
    const char* WindowClass() const override;
    DWORD ExStyle() const override { return WS_EX_CONTROLPARENT; }
};

class TPanel : public TContainer {
  public:
    using TContainer::TContainer;
    void Paint(HDC dc) override;
};

class TGroupBox : public TContainer {
  public:
    using TContainer::TContainer;
    void Paint(HDC dc) override;
};

class TLabel : public TControl {
  public:
    using TControl::TControl;

  protected:
    const char* WindowClass() const override { return "STATIC"; }
    DWORD Style() const override;
    void AfterCreate() override;
};

class TEdit : public TControl {
  public:
    using TControl::TControl;

  protected:
    const char* WindowClass() const override { return "EDIT"; }
    DWORD Style() const override;
    DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
    void AfterCreate() override;
};

class TButton : public TControl {
  public:
    using TControl::TControl;
    void Command(WORD notification) override;

  protected:
    const char* WindowClass() const override { return "BUTTON"; }
    DWORD Style() const override;
};

class TCheckBox : public TControl {
  public:
    using TControl::TControl;
    bool Checked() const;
    void SetChecked(bool checked);
    void Command(WORD notification) override;

  protected:
    const char* WindowClass() const override { return "BUTTON"; }
    DWORD Style() const override;
    void AfterCreate() override { SetChecked(spec_.checked); }
};

// A windowless picture showing an icon; a new icon repaints the control's area of the window
// that holds it.
class TImage : public TControl {
  public:
    using TControl::TControl;
    bool Windowless() const override { return true; }
    void Create(TControl* parent, HWND parentWindow) override;
    // Shows the icon (stretched to the control when the layout says so); the caller keeps it.
    void SetIcon(HICON icon);
    void Paint(HDC dc) override;

  protected:
    const char* WindowClass() const override { return nullptr; }

  private:
    HICON icon_ = nullptr;
};

class TBevel : public TControl {
  public:
    using TControl::TControl;
    bool Windowless() const override { return true; }
    void Create(TControl* parent, HWND parentWindow) override;
    void Paint(HDC dc) override;

  protected:
    const char* WindowClass() const override { return nullptr; }
};

// A timer whose countdown restarts whenever its interval or enabled state changes, and
// which never fires with interval 0. Its ticks arrive at a hidden window of its own.
class TTimer : public TControl {
  public:
    TTimer(TForm& form, const ControlSpec& spec);
    ~TTimer() override;
    void Create(TControl* parent, HWND parentWindow) override;
    bool Windowless() const override { return true; }

    UINT Interval() const { return interval_; }
    void SetInterval(UINT interval);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // True while a system timer is actually counting down.
    bool Running() const { return running_; }

    Event OnTimer;

  protected:
    const char* WindowClass() const override { return nullptr; }

  private:
    void Update();
    void MakeWindow();
    static LRESULT CALLBACK TimerProc(HWND, UINT, WPARAM, LPARAM);
    UINT interval_;
    bool enabled_;
    bool created_ = false;
    bool running_ = false;
    UniqueWindow timerWindow_;
};

} // namespace tk
