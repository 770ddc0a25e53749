// The configuration dialog: shows the stored settings in its widgets, lets the user choose
// the picture set and its pictures, the background, the delay, the cleaning interval and the
// kinds of input that end the saver, and saves them ("Save") or ends without writing.
#pragma once
#include <array>
#include <functional>
#include <memory>

#include "core/PictureCatalogue.h"
#include "settings/RegistryBackend.h"
#include "settings/SettingsStore.h"
#include "toolkit/CommonControls.h"
#include "toolkit/Toolkit.h"

class TFormConfigure : public tk::TForm {
  public:
    TFormConfigure();
    ~TFormConfigure() override;

    tk::TPageControl* PageControl1 = nullptr;
    // One page (TabSheet1..5) and one list (ListView1..5) for each picture set, in set order.
    std::array<tk::TTabSheet*, tavrin::kPictureSets> TabSheets{};
    std::array<tk::TListView*, tavrin::kPictureSets> ListViews{};
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
    std::array<tk::TImageList, tavrin::kPictureSets> ImageLists{
        tk::TImageList{32, 32}, tk::TImageList{32, 32}, tk::TImageList{32, 32}, tk::TImageList{32, 32},
        tk::TImageList{32, 32}};

    void FormCreate();
    // A click in the list of set 1..5.
    void ListViewClick(int set);
    void ButtonOKClick();
    void ButtonCClick();
    void ButtonAClick();

    // The page and the list of set 1..5; nullptr for any other number.
    tk::TTabSheet* Sheet(int set) const;
    tk::TListView* List(int set) const;
    // The number (1..5) of the set whose page is shown.
    int ActiveSet() const;

  protected:
    void Loaded() override;

  private:
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
