// The controls built on the system's common controls (comctl32) or drawn by the toolkit:
// page control and tab sheets, list view with its image list, radio group, slider and spin
// edit. The slider and the spin edit take their value rules from core/SliderRules and
// core/SpinRules, so they behave the same whatever the system's own controls would do.
#pragma once
#include "toolkit/Controls.h"

#include <string>
#include <vector>

#include "core/SliderRules.h"

namespace tk {

using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListTraits>;

// Calls InitCommonControlsEx once per process for the classes these controls use.
void InitCommonControlsOnce();

// Classic subclassing (GWLP_WNDPROC): the filter sees a control's messages first and passes
// what it does not handle on to the class's own procedure.
class Subclass {
  public:
    void Attach(HWND window, WNDPROC filter);
    // Puts the original procedure back if the window still exists and still has the filter.
    void Detach(HWND window);
    LRESULT Pass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

  private:
    WNDPROC original_ = nullptr;
    WNDPROC filter_ = nullptr;
};

// An image list of 16-colour masked images, owned; list views only borrow it.
class TImageList {
  public:
    TImageList(int width, int height);
    HIMAGELIST Handle() const { return list_.get(); }
    // Appends a copy of the icon; the caller keeps the icon.
    void AddIcon(HICON icon);
    int Count() const;

  private:
    UniqueImageList list_;
};

class TTabSheet;

// A tab control with fixed-width tabs at the bottom; each tab sheet that names it as parent
// adds one tab, and only the sheet of the selected tab is visible. Notifications of the
// controls on the sheets pass through to the form.
class TPageControl : public TControl {
  public:
    using TControl::TControl;
    ~TPageControl() override;
    LRESULT Notify(NMHDR& header) override;

    int PageCount() const { return static_cast<int>(sheets_.size()); }
    TTabSheet* Page(int index) const { return sheets_.at(static_cast<size_t>(index)); }
    TTabSheet* ActivePage() const;
    // Selects the sheet's tab and shows the sheet, as a click on the tab would.
    void SetActivePage(TTabSheet* sheet);
    // Called by a sheet when it is created.
    void AddSheet(TTabSheet& sheet);

  protected:
    const char* WindowClass() const override;
    DWORD Style() const override { return TCS_BOTTOM | TCS_FIXEDWIDTH | WS_CLIPCHILDREN; }
    DWORD ExStyle() const override { return WS_EX_CONTROLPARENT; }
    void AfterCreate() override;

  private:
    static LRESULT CALLBACK PassNotifications(HWND, UINT, WPARAM, LPARAM);
    RECT DisplayArea() const;
    void ShowSelectedSheet();
    std::vector<TTabSheet*> sheets_;
    Subclass subclass_;
};

// One page of a page control: a container covering the page control's display area.
class TTabSheet : public TContainer {
  public:
    using TContainer::TContainer;
    void Create(TControl* parent, HWND parentWindow) override;
    void Paint(HDC dc) override;
    // Moves the sheet over the given area of its page control's window.
    void Place(const RECT& area);
};

// A large-icon list view with check boxes and single selection. Its items come from the
// layout (`items`, one caption per line); item k shows image k of the attached image list.
//
// One mouse click is one click: a click on an item's check box does not toggle it natively
// but selects the item and fires OnClick like a click on its picture, and the second click of
// a quick pair counts as a click too, so a handler that flips the selected item sees every
// click exactly once.
class TListView : public TControl {
  public:
    using TControl::TControl;
    ~TListView() override;
    LRESULT Notify(NMHDR& header) override;

    void SetLargeImages(const TImageList& images);
    int Count() const;
    std::string Caption(int index) const;
    bool Checked(int index) const;
    void SetChecked(int index, bool checked);
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    // The item's picture, in the list view's client coordinates.
    RECT IconRect(int index) const;

  protected:
    const char* WindowClass() const override;
    DWORD Style() const override;
    DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
    void AfterCreate() override;

  private:
    static LRESULT CALLBACK MouseFilter(HWND, UINT, WPARAM, LPARAM);
    bool OnCheckBox(LPARAM point, int& item) const;
    void ClickCheckBox(int item);
    void InsertItems();
    void FitOneRow();
    Subclass subclass_;
};

// A group box holding one auto radio button per layout item, in columns.
class TRadioGroup : public TGroupBox {
  public:
    using TGroupBox::TGroupBox;
    int Count() const { return static_cast<int>(buttons_.size()); }
    HWND Button(int index) const { return buttons_.at(static_cast<size_t>(index)).get(); }
    // -1 when no item is selected.
    int ItemIndex() const;
    // Clamps into -1 .. Count() - 1; -1 clears every item.
    void SetItemIndex(int index);

  protected:
    void AfterCreate() override;

  private:
    void ArrangeButtons();
    std::vector<UniqueWindow> buttons_;
};

// A horizontal slider drawn by the toolkit: channel, thumb and tick marks below. Its value
// follows core/SliderRules: set from code it is only clamped (never snapped to the
// increment); a drag gives min + round(offset * (max - min) / track length); Left/Right step
// from the rounded half, Home/End go to the bounds; a press beside the thumb steps toward the
// press point and repeats every 400 ms while held there. It draws no focus rectangle.
class TSlider : public TControl {
  public:
    TSlider(TForm& form, const ControlSpec& spec);
    ~TSlider() override;

    int Value() const { return value_; }
    void SetValue(int value);

    // Geometry in client pixels, for painting and for tests that press or drag.
    int TrackStart() const;
    int TrackLength() const;
    int ThumbLeft() const;
    int ThumbWidth() const;
    int TickTop() const; // the ticks hang down from here
    std::vector<tavrin::TickMark> Ticks() const;

    static constexpr UINT kRepeatMilliseconds = 400;

  protected:
    const char* WindowClass() const override;
    void AfterCreate() override;

  private:
    static LRESULT CALLBACK SliderProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void PaintSlider(HDC dc) const;
    void MouseDown(int x);
    void MouseMove(int x);
    void EndPress();
    void RepeatStep();
    bool KeyDown(WPARAM key);
    // -1 left of the thumb, +1 right of it, 0 on it.
    int SideOfThumb(int x) const;
    void StepToward(int side);

    tavrin::SliderRange range_;
    int value_;
    bool dragging_ = false;
    int grabOffset_ = 0;
    int pressSide_ = 0; // the side of a held press on the track, 0 when none
    int lastX_ = 0;     // where the pointer was last seen while the button is held
};

// A whole-number edit with up/down buttons, following core/SpinRules: the buttons and the
// Up/Down keys step and clamp; typing takes digits, '+', '-' and control keys only (the rest
// beeps) up to the layout's maxLength; leaving the field clamps a number outside the range;
// Value() reads a text that does not parse as 1.
class TSpinEdit : public TControl {
  public:
    using TControl::TControl;
    ~TSpinEdit() override;

    int Value() const;
    // Clamps into the layout's minValue .. maxValue and shows the number.
    void SetValue(int value);
    HWND Buttons() const { return buttons_.get(); }

  protected:
    const char* WindowClass() const override { return "EDIT"; }
    DWORD Style() const override { return ES_LEFT | ES_AUTOHSCROLL | WS_CLIPCHILDREN; }
    DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
    void AfterCreate() override;

  private:
    static LRESULT CALLBACK EditFilter(HWND, UINT, WPARAM, LPARAM);
    void Step(bool up);
    void ClampOnFocusLost();
    UniqueWindow buttons_;
    Subclass subclass_;
};

} // namespace tk
