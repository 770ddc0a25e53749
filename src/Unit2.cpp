#include "Unit2.h"

#include "About.h"
#include "core/PictureTick.h"
#include "core/SpinRules.h"
#include "layouts/FormConfigure.h"
#include "settings/PictureCatalogue.h"
#include "settings/Registry.h"
#include "settings/SensitivityCode.h"
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
    PageControl1 = Find<tk::TPageControl>("PageControl1");
    TabSheet1 = Find<tk::TTabSheet>("TabSheet1");
    TabSheet2 = Find<tk::TTabSheet>("TabSheet2");
    TabSheet3 = Find<tk::TTabSheet>("TabSheet3");
    TabSheet4 = Find<tk::TTabSheet>("TabSheet4");
    TabSheet5 = Find<tk::TTabSheet>("TabSheet5");
    ListView1 = Find<tk::TListView>("ListView1");
    ListView2 = Find<tk::TListView>("ListView2");
    ListView3 = Find<tk::TListView>("ListView3");
    ListView4 = Find<tk::TListView>("ListView4");
    ListView5 = Find<tk::TListView>("ListView5");
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

    ListView1->SetLargeImages(ImageList1);
    ListView2->SetLargeImages(ImageList2);
    ListView3->SetLargeImages(ImageList3);
    ListView4->SetLargeImages(ImageList4);
    ListView5->SetLargeImages(ImageList5);

    ListView1->OnClick = [this] { ListView1Click(); };
    ListView2->OnClick = [this] { ListView2Click(); };
    ListView3->OnClick = [this] { ListView3Click(); };
    ListView4->OnClick = [this] { ListView4Click(); };
    ListView5->OnClick = [this] { ListView5Click(); };
    ButtonOK->OnClick = [this] { ButtonOKClick(); };
    ButtonC->OnClick = [this] { ButtonCClick(); };
    ButtonA->OnClick = [this] { ButtonAClick(); };
}

tk::TTabSheet* TFormConfigure::Sheet(int set) const {
    tk::TTabSheet* const sheets[] = {TabSheet1, TabSheet2, TabSheet3, TabSheet4, TabSheet5};
    return set >= 1 && set <= tavrin::kPictureSets ? sheets[set - 1] : nullptr;
}

tk::TListView* TFormConfigure::List(int set) const {
    tk::TListView* const lists[] = {ListView1, ListView2, ListView3, ListView4, ListView5};
    return set >= 1 && set <= tavrin::kPictureSets ? lists[set - 1] : nullptr;
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
    tk::TImageList* const lists[] = {&ImageList1, &ImageList2, &ImageList3, &ImageList4, &ImageList5};
    for (int number = 1; number <= tavrin::kPictureCount; ++number) {
        HICON icon = LoadIconA(tk::ModuleInstance(), tavrin::PictureResourceName(number).c_str());
        lists[tavrin::ImageListForPicture(number) - 1]->AddIcon(icon); // a copy: the icon is shared
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
void TFormConfigure::TogglePicture(tk::TListView& list) {
    for (int i = 0; i < tavrin::kPicturesPerSet; ++i) {
        if (!list.Selected(i)) continue;
        list.SetChecked(i, !list.Checked(i));
        list.SetSelected(i, false);
    }
}

void TFormConfigure::ListView1Click() {
    TogglePicture(*ListView1);
}
void TFormConfigure::ListView2Click() {
    TogglePicture(*ListView2);
}
void TFormConfigure::ListView3Click() {
    TogglePicture(*ListView3);
}
void TFormConfigure::ListView4Click() {
    TogglePicture(*ListView4);
}
void TFormConfigure::ListView5Click() {
    TogglePicture(*ListView5);
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
