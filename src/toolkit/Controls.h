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
    TControl(TForm& form, const ControlSpec& spec) : form_(form), spec_(spec), bounds_(spec.bounds) {}
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
    void SetBounds(const Bounds& bounds);
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.width; }
    int Height() const { return bounds_.height; }
    void SetTop(int top) { SetBounds({bounds_.left, top, bounds_.width, bounds_.height}); }
    void SetLeft(int left) { SetBounds({left, bounds_.top, bounds_.width, bounds_.height}); }
    // The scale from layout lengths to device pixels: the form's, or 1 for pixel bounds.
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
    bool Focused() const;
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
    bool visible_ = true;
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

// A windowless picture: its bitmap is made at the control's size the first time it is drawn
// on, and every change repaints the control's area of the window that holds it.
class TImage : public TControl {
  public:
    using TControl::TControl;
    ~TImage() override;
    bool Windowless() const override { return true; }
    void Create(TControl* parent, HWND parentWindow) override;
    // The picture's drawing surface; makes the bitmap on first use.
    HDC Canvas();
    // Makes the picture a fresh bitmap of the given size (its content undefined until drawn).
    void SizePicture(int width, int height);
    bool HasPicture() const { return static_cast<bool>(bitmap_); }
    int PictureWidth() const { return pictureWidth_; }
    int PictureHeight() const { return pictureHeight_; }
    // Tells the control its picture changed: the control's area is repainted.
    void Changed();
    // Shows an icon instead of a bitmap (stretched to the control when the layout says so).
    void SetIcon(HICON icon);
    void Paint(HDC dc) override;

  protected:
    const char* WindowClass() const override { return nullptr; }

  private:
    UniqueMemoryDc memoryDc_;
    UniqueBitmap bitmap_;
    HGDIOBJ originalBitmap_ = nullptr;
    int pictureWidth_ = 0, pictureHeight_ = 0;
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
