// The configuration dialog: shows the stored settings in its widgets, lets the user choose
// the picture set and its pictures, the background, the delay, the cleaning interval and the
// kinds of input that end the saver, and saves them ("Save") or ends without writing.
#pragma once
#include <functional>
#include <memory>

#include "settings/RegistryBackend.h"
#include "settings/SettingsStore.h"
#include "toolkit/CommonControls.h"
#include "toolkit/Toolkit.h"

class TFormConfigure : public tk::TForm {
  public:
    TFormConfigure();
    ~TFormConfigure() override;

    tk::TPageControl* PageControl1 = nullptr;
    tk::TTabSheet* TabSheet1 = nullptr;
    tk::TTabSheet* TabSheet2 = nullptr;
    tk::TTabSheet* TabSheet3 = nullptr;
    tk::TTabSheet* TabSheet4 = nullptr;
    tk::TTabSheet* TabSheet5 = nullptr;
    tk::TListView* ListView1 = nullptr;
    tk::TListView* ListView2 = nullptr;
    tk::TListView* ListView3 = nullptr;
    tk::TListView* ListView4 = nullptr;
    tk::TListView* ListView5 = nullptr;
    tk::TRadioGroup* BackgroundRadioGroup = nullptr;
    tk::TGroupBox* GroupBox1 = nullptr;
    tk::TLabel* min = nullptr;
    tk::TSlider* RxSliderSpeed = nullptr;
    tk::TLabel* max = nullptr;
    tk::TGroupBox* GroupBox2 = nullptr;
    tk::TLabel* Label1 = nullptr;
    tk::TSpinEdit* RxSpinEditCLS = nullptr;
    tk::TLabel* Label2 = nullptr;
    tk::TGroupBox* SSSensitivity = nullptr;
    tk::TCheckBox* CheckBoxMM = nullptr;
    tk::TCheckBox* CheckBoxCM = nullptr;
    tk::TCheckBox* CheckBoxK = nullptr;
    tk::TButton* ButtonOK = nullptr;
    tk::TButton* ButtonC = nullptr;
    tk::TButton* ButtonA = nullptr;
    // The pictures of sets 1..5, filled at creation; the list views borrow them.
    tk::TImageList ImageList1{32, 32};
    tk::TImageList ImageList2{32, 32};
    tk::TImageList ImageList3{32, 32};
    tk::TImageList ImageList4{32, 32};
    tk::TImageList ImageList5{32, 32};

    void FormCreate();
    void ListView1Click();
    void ListView2Click();
    void ListView3Click();
    void ListView4Click();
    void ListView5Click();
    void ButtonOKClick();
    void ButtonCClick();
    void ButtonAClick();

    // The five sets' sheets and lists, in set order.
    tk::TTabSheet* Sheet(int set) const;
    tk::TListView* List(int set) const;
    // The number (1..5) of the set whose page is shown.
    int ActiveSet() const;

  protected:
    void Loaded() override;

  private:
    // The body of ListView1Click .. ListView5Click.
    void TogglePicture(tk::TListView& list);
    void FillImageLists();
    void LoadSettings();
    void ShowSettings();
    tavrin::DialogChoice ChoiceFromWidgets() const;
};

extern TFormConfigure* FormConfigure;

// The dialog's staging copy of the settings it edits, filled by the load at creation.
extern tavrin::DialogSettings ConfigureSettings;

// Seam for tests: makes the registry the dialog's load and save work on (the system's own
// registry unless a test puts one in its place, for example one that refuses a write).
extern std::function<std::unique_ptr<tavrin::RegistryBackend>()> ConfigureRegistry;
