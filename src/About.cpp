#include "About.h"

#include "layouts/AboutBox.h"

#include <shellapi.h>

#include <memory>

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox() : tk::TForm(layouts::kAboutBox) {
    OnActivate = [this] { FormActivate(); };
}

TAboutBox::~TAboutBox() {
    if (AboutBox == this) AboutBox = nullptr;
}

void TAboutBox::Loaded() {
    Panel1 = Find<tk::TPanel>("Panel1");
    Bevel1 = Find<tk::TBevel>("Bevel1");
    ProgramIcon = Find<tk::TImage>("ProgramIcon");
    ProductName = Find<tk::TLabel>("ProductName");
    Label1 = Find<tk::TLabel>("Label1");
    OKButton = Find<tk::TButton>("OKButton");

    // A shared icon from LoadIcon: the system owns it, nobody destroys it.
    ProgramIcon->SetIcon(LoadIconA(tk::ModuleInstance(), "MAINICON"));
    ProductName->OnClick = [this] { GoToHomePage(); };
    Label1->OnClick = [this] { GoToHomePage(); };
    OKButton->OnClick = [this] { SetModalResult(tk::ModalResult::Ok); };
}

void TAboutBox::FormActivate() {
    Label1->SetText(about::kCreditLine);
}

// The shell picks the browser (default verb for the address). The new window must not take
// the activation from the box, and a failure to open it is not reported.
void TAboutBox::GoToHomePage() {
    tk::late::ShellExecuteA(tk::Application.Handle(), nullptr, about::kHomePage, nullptr, nullptr,
                            SW_SHOWNOACTIVATE);
}

tk::ModalResult ShowAboutBox() {
    auto box = std::make_unique<TAboutBox>();
    AboutBox = box.get();
    box->Create(tk::Application.Handle());
    return box->ShowModal();
}
