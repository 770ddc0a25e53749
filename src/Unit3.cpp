#include "Unit3.h"

#include "layouts/FormPassword.h"
#include "settings/Registry.h"
#include "settings/SettingsStore.h"
#include "settings/Win32RegistryBackend.h"

TFormPassword* FormPassword = nullptr;

namespace {
constexpr char kMismatchText[] = "The new and confirmed passwords do not match.\r\n Please type them again.";
} // namespace

TFormPassword::TFormPassword() : tk::TForm(layouts::kFormPassword) {
    FormPassword = this;
    OnActivate = [this] { FormActivate(); };
}

TFormPassword::~TFormPassword() {
    if (FormPassword == this) FormPassword = nullptr;
}

void TFormPassword::Loaded() {
    Label1 = Find<tk::TLabel>("Label1");
    Label2 = Find<tk::TLabel>("Label2");
    Label3 = Find<tk::TLabel>("Label3");
    ButtonOK = Find<tk::TButton>("ButtonOK");
    ButtonC = Find<tk::TButton>("ButtonC");
    MaskEditNP = Find<tk::TEdit>("MaskEditNP");
    MaskEditCNP = Find<tk::TEdit>("MaskEditCNP");

    ButtonOK->OnClick = [this] { ButtonOKClick(); };
    ButtonC->OnClick = [this] { ButtonCClick(); };
}

void TFormPassword::FormActivate() {
    MaskEditNP->SetFocus();
}

void TFormPassword::ButtonOKClick() {
    // Compared as whole strings, byte by byte: entries that differ only in case are refused.
    if (MaskEditCNP->Text() != MaskEditNP->Text()) {
        tk::ShowWarning(kMismatchText, /*centreOnScreen=*/true);
        MaskEditCNP->SetText("");
        MaskEditNP->SetFocus();
        return;
    }
    // A refused write throws: the error box shows it and the dialog stays open. A product key
    // that can be neither opened nor created is reported, and the program ends all the same.
    if (!StorePassword(MaskEditNP->Text())) tk::ShowMessage(tavrin::kRegistryFailureText);
    tk::Application.Terminate();
}

// Stores the first 20 characters; false when the product key cannot be opened or created.
bool TFormPassword::StorePassword(const std::string& password) {
    tavrin::Win32RegistryBackend backend;
    tavrin::TRegistry registry(backend);
    return tavrin::WritePassword(registry, password);
}

void TFormPassword::ButtonCClick() {
    tk::Application.Terminate();
}
