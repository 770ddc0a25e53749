#include "Unit2.h"

#include "About.h"
#include "PictureShow.h"
#include "core/SpinRules.h"
#include "layouts/FormConfigure.h"
#include "core/PictureCatalogue.h"
#include "settings/Registry.h"
#include "core/SensitivityCode.h"
#include "settings/Win32RegistryBackend.h"

TFormConfigure* FormConfigure = nullptr;
tavrin::DialogSettings ConfigureSettings;
std::function<std::unique_ptr<tavrin::RegistryBackend>()> ConfigureRegistry = [] {
    return std::make_unique<tavrin::Win32RegistryBackend>();
};

TFormConfigure::TFormConfigure() : tk::TForm(layouts::kFormConfigure) {
    FormConfigure = this;
    OnCreate = [this] { FormCreate(); };
}

TFormConfigure::~TFormConfigure() {
    if (FormConfigure == this) FormConfigure = nullptr;
}

void TFormConfigure::Loaded() {
    constexpr const char* kSheetNames[] = {"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4", "TabSheet5"};
    constexpr const char* kListNames[] = {"ListView1", "ListView2", "ListView3", "ListView4", "ListView5"};
    PageControl1 = Find<tk::TPageControl>("PageControl1");
    for (int set = 1; set <= tavrin::kPictureSets; ++set) {
        TabSheets[set - 1] = Find<tk::TTabSheet>(kSheetNames[set - 1]);
        ListViews[set - 1] = Find<tk::TListView>(kListNames[set - 1]);
        ListViews[set - 1]->SetLargeImages(ImageLists[set - 1]);
        ListViews[set - 1]->OnClick = [this, set] { ListViewClick(set); };
    }
    BackgroundRadioGroup = Find<tk::TRadioGroup>("BackgroundRadioGroup");
    GroupBox1 = Find<tk::TGroupBox>("GroupBox1");
    min = Find<tk::TLabel>("min");
    RxSliderSpeed = Find<tk::TSlider>("RxSliderSpeed");
    max = Find<tk::TLabel>("max");
    GroupBox2 = Find<tk::TGroupBox>("GroupBox2");
    Label1 = Find<tk::TLabel>("Label1");
    RxSpinEditCLS = Find<tk::TSpinEdit>("RxSpinEditCLS");
    Label2 = Find<tk::TLabel>("Label2");
    SSSensitivity = Find<tk::TGroupBox>("SSSensitivity");
    CheckBoxMM = Find<tk::TCheckBox>("CheckBoxMM");
    CheckBoxCM = Find<tk::TCheckBox>("CheckBoxCM");
    CheckBoxK = Find<tk::TCheckBox>("CheckBoxK");
    ButtonOK = Find<tk::TButton>("ButtonOK");
    ButtonC = Find<tk::TButton>("ButtonC");
    ButtonA = Find<tk::TButton>("ButtonA");

    ButtonOK->OnClick = [this] { ButtonOKClick(); };
    ButtonC->OnClick = [this] { ButtonCClick(); };
    ButtonA->OnClick = [this] { ButtonAClick(); };
}

tk::TTabSheet* TFormConfigure::Sheet(int set) const {
    return set >= 1 && set <= tavrin::kPictureSets ? TabSheets[set - 1] : nullptr;
}

tk::TListView* TFormConfigure::List(int set) const {
    return set >= 1 && set <= tavrin::kPictureSets ? ListViews[set - 1] : nullptr;
}

int TFormConfigure::ActiveSet() const {
    for (int set = 1; set <= tavrin::kPictureSets; ++set)
        if (PageControl1->ActivePage() == Sheet(set)) return set;
    return 1;
}

void TFormConfigure::FormCreate() {
    FillImageLists();
    LoadSettings();
}

// Picture n goes to the image list of its set, so image k of list s is picture k + 1 of set s.
void TFormConfigure::FillImageLists() {
    for (int number = 1; number <= tavrin::kPictureCount; ++number) {
        // A copy of the picture's own 32 x 32 image, as the saver stamps it; the image is shared.
        ImageLists[tavrin::ImageListForPicture(number) - 1].AddIcon(LoadPicture(number));
    }
}

// Without a product key every widget keeps its layout value. A failed read ends the load;
// the background, handed over as it is read, stays set.
void TFormConfigure::LoadSettings() {
    const std::unique_ptr<tavrin::RegistryBackend> backend = ConfigureRegistry();
    tavrin::TRegistry registry(*backend);
    const bool stored = tavrin::LoadDialogSettings(registry, ConfigureSettings, [this](std::int32_t index) {
        BackgroundRadioGroup->SetItemIndex(index);
    });
    if (stored) ShowSettings();
}

void TFormConfigure::ShowSettings() {
    // A set number outside 1..5 changes neither the page nor any check mark.
    if (tk::TListView* list = List(ConfigureSettings.PictureSet)) {
        PageControl1->SetActivePage(Sheet(ConfigureSettings.PictureSet));
        for (int k = 0; k < tavrin::kPicturesPerSet; ++k)
            list->SetChecked(k, ConfigureSettings.Pictures[k]);
    }
    const std::uint8_t code = ConfigureSettings.Sensitivity;
    CheckBoxK->SetChecked(tavrin::SensitivityEnables(code, tavrin::InputKind::Keyboard));
    CheckBoxCM->SetChecked(tavrin::SensitivityEnables(code, tavrin::InputKind::MouseClick));
    CheckBoxMM->SetChecked(tavrin::SensitivityEnables(code, tavrin::InputKind::MouseMove));
    RxSpinEditCLS->SetValue(tavrin::ValueForCls(ConfigureSettings.CLS));
    RxSliderSpeed->SetValue(ConfigureSettings.Speed);
}

// One click on a picture selects it; the handler flips its check mark and clears the
// selection, so the next click on it flips it back. A click on empty space selects nothing.
void TFormConfigure::ListViewClick(int set) {
    tk::TListView& list = *List(set);
    for (int i = 0; i < tavrin::kPicturesPerSet; ++i) {
        if (!list.Selected(i)) continue;
        list.SetChecked(i, !list.Checked(i));
        list.SetSelected(i, false);
    }
}

tavrin::DialogChoice TFormConfigure::ChoiceFromWidgets() const {
    tavrin::DialogChoice choice;
    choice.Keyboard = CheckBoxK->Checked();
    choice.MouseClick = CheckBoxCM->Checked();
    choice.MouseMove = CheckBoxMM->Checked();
    choice.CLS = RxSpinEditCLS->Value();
    choice.Speed = RxSliderSpeed->Value();
    choice.PictureSet = ActiveSet();
    // Only the shown set's check marks are saved.
    const tk::TListView* list = List(choice.PictureSet);
    for (int k = 0; k < tavrin::kPicturesPerSet; ++k)
        choice.Pictures[k] = list->Checked(k);
    choice.BackgroundIndex = BackgroundRadioGroup->ItemIndex();
    return choice;
}

// A refused write raises ERegistryException: it reaches the error box and the dialog stays
// open. A key that cannot be opened at all is reported here, and the program ends anyway.
void TFormConfigure::ButtonOKClick() {
    const tavrin::DialogChoice choice = ChoiceFromWidgets();
    ConfigureSettings = tavrin::SettingsFromChoice(choice);
    const std::unique_ptr<tavrin::RegistryBackend> backend = ConfigureRegistry();
    tavrin::TRegistry registry(*backend);
    if (!tavrin::SaveDialogSettings(registry, choice)) tk::ShowMessage(tavrin::kRegistryFailureText);
    tk::Application.Terminate();
}

void TFormConfigure::ButtonCClick() {
    tk::Application.Terminate();
}

void TFormConfigure::ButtonAClick() {
    ShowAboutBox();
}
