// The change-password dialog in-process under Wine: its layout, the two entry fields, the
// mismatch warning, the password write and the ways the dialog ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Unit3.h"
#include "support/ApplicationPump.h"
#include "support/MessageBoxCatcher.h"
#include "support/WindowFacts.h"
#include "support/WineTestSupport.h"

namespace {

using testsupport::FontOf;
using testsupport::MessageBoxCatcher;
using testsupport::RectInParent;
using testsupport::TextOf;

// The forms run in the toolkit's own loop, where Tab, Enter and Escape go through the dialog
// manager.
using testsupport::PumpApplicationUntil;
using testsupport::PumpApplicationUntilIdle;

constexpr char kVendorKey[] = "Software\\Quillam";
constexpr char kProductKey[] = "Software\\Quillam\\Tavrin";
constexpr char kMismatchText[] = "The new and confirmed passwords do not match.\r\n Please type them again.";
constexpr char kTwentyFive[] = "abcdefghijklmnopqrstuvwxy";

// ---- registry ---------------------------------------------------------------------------------

void ClearVendorKey() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kVendorKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kVendorKey);
}

bool ProductKeyExists() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

struct StoredValue {
    DWORD type = 0;
    std::string text; // up to the first zero byte
};

std::optional<StoredValue> StoredPassword() {
    char data[256] = {};
    DWORD type = 0, size = sizeof(data);
    if (RegGetValueA(HKEY_CURRENT_USER, kProductKey, "Password", RRF_RT_ANY | RRF_NOEXPAND, &type, data,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return StoredValue{type, std::string(data, strnlen(data, size))};
}

DWORD ProductKeyValueCount() {
    HKEY key;
    DWORD count = 0;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                     nullptr, nullptr);
    RegCloseKey(key);
    return count;
}

// ---- windows ----------------------------------------------------------------------------------

int Scaled(int value) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<int>(std::lround(value * dpi / 96.0));
}

void TypeInto(HWND edit, const std::string& text) {
    for (char c : text)
        SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void PasteInto(HWND edit, const std::string& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    SendMessageA(edit, WM_PASTE, 0, 0);
}

// A key pressed and released while `window` has the focus, taken from the queue by the
// application's loop as the keyboard would deliver it.
void PressKey(HWND window, WORD virtualKey) {
    const UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageA(window, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageA(window, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000u);
    PumpApplicationUntilIdle();
}

// A window of another kind, to take the activation away from the dialog.
class OtherWindow {
  public:
    OtherWindow()
        : window_(CreateWindowExA(0, "STATIC", "Other", WS_POPUP | WS_CAPTION | WS_VISIBLE, 600, 500, 200,
                                  100, nullptr, nullptr, nullptr, nullptr)) {}
    ~OtherWindow() { DestroyWindow(window_); }
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;
    HWND get() const { return window_; }

  private:
    HWND window_;
};

class PasswordDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearVendorKey();
        tk::Application.Initialize();
        form = tk::Application.CreateForm<TFormPassword>();
        form->Show();
        ASSERT_TRUE(PumpApplicationUntil([this] { return GetActiveWindow() == form->Handle(); }));
        PumpApplicationUntilIdle();
    }
    void TearDown() override {
        tk::Application.ResetForTests();
        ClearVendorKey();
    }

    HWND NewPassword() const { return form->MaskEditNP->Handle(); }
    HWND Confirmation() const { return form->MaskEditCNP->Handle(); }

    void Enter(const std::string& newPassword, const std::string& confirmation) {
        form->MaskEditNP->SetText(newPassword);
        form->MaskEditCNP->SetText(confirmation);
    }

    // Clicks a button as the mouse does; returns once its handler (and any box it opened) is done.
    static void Click(tk::TButton* button) { SendMessageA(button->Handle(), BM_CLICK, 0, 0); }

    // The terminate request is a quit message in the queue.
    static bool TerminateRequested() {
        PumpApplicationUntilIdle();
        return tk::Application.Terminated();
    }

    TFormPassword* form = nullptr;
};

// ---- layout -----------------------------------------------------------------------------------

struct ControlRow {
    const char* name;
    tk::Bounds bounds; // at 96 pixels per inch
    const char* text;
};

const ControlRow kControls[] = {
    {"Label1", {21, 7, 237, 15}, "Change password for Tavrin Screen Saver"},
    {"Label2", {73, 40, 86, 15}, "New password:"},
    {"Label3", {26, 67, 131, 15}, "Confirm new password:"},
    {"ButtonOK", {347, 7, 67, 23}, "OK"},
    {"ButtonC", {347, 35, 67, 23}, "Cancel"},
    {"MaskEditNP", {177, 35, 143, 22}, ""},
    {"MaskEditCNP", {177, 64, 143, 22}, ""},
};

HWND ControlHandle(const TFormPassword& form, const char* name) {
    for (const auto& control : form.Controls())
        if (std::string(control->Name()) == name) return control->Handle();
    return nullptr;
}

TEST_F(PasswordDialog, FormIsPlacedAndSizedAsDesignedAndScaled) {
    EXPECT_EQ(TextOf(form->Handle()), "Change password");
    EXPECT_EQ(form->ClientWidth(), Scaled(431));
    EXPECT_EQ(form->ClientHeight(), Scaled(97));
    RECT window;
    GetWindowRect(form->Handle(), &window);
    EXPECT_EQ(window.left, Scaled(226));
    EXPECT_EQ(window.top, Scaled(197));
    const LONG style = GetWindowLongA(form->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
}

TEST_F(PasswordDialog, ControlsHaveTheirBoundsAndTexts) {
    for (const ControlRow& row : kControls) {
        SCOPED_TRACE(row.name);
        HWND control = ControlHandle(*form, row.name);
        ASSERT_NE(control, nullptr);
        const RECT r = RectInParent(control);
        EXPECT_EQ(r.left, Scaled(row.bounds.left));
        EXPECT_EQ(r.top, Scaled(row.bounds.top));
        EXPECT_EQ(r.right - r.left, Scaled(row.bounds.width));
        EXPECT_EQ(r.bottom - r.top, Scaled(row.bounds.height));
        EXPECT_EQ(TextOf(control), row.text);
    }
}

struct FontRow {
    const char* control;
    const char* face;
    int height;
    bool italic;
    BYTE charset;
};

TEST_F(PasswordDialog, ControlsUseTheirFonts) {
    const FontRow rows[] = {
        {"Label1", "Arial", 12, false, RUSSIAN_CHARSET},    {"Label3", "Arial", 12, false, RUSSIAN_CHARSET},
        {"ButtonOK", "Arial", 13, false, DEFAULT_CHARSET},  {"ButtonC", "Arial", 13, false, DEFAULT_CHARSET},
        {"MaskEditNP", "Arial", 11, true, DEFAULT_CHARSET}, // the form's font
    };
    for (const FontRow& row : rows) {
        SCOPED_TRACE(row.control);
        const LOGFONTA font = FontOf(ControlHandle(*form, row.control));
        EXPECT_STREQ(font.lfFaceName, row.face);
        EXPECT_EQ(font.lfHeight, -Scaled(row.height));
        EXPECT_EQ(font.lfItalic != 0, row.italic);
        EXPECT_EQ(font.lfCharSet, row.charset);
    }
}

TEST_F(PasswordDialog, EditsMaskTheirTextAndNoButtonIsTheDefault) {
    for (HWND edit : {NewPassword(), Confirmation()}) {
        EXPECT_EQ(SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0), '#');
        EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 20);
    }
    for (tk::TButton* button : {form->ButtonOK, form->ButtonC})
        EXPECT_EQ(GetWindowLongA(button->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON) << button->Name();
}

TEST_F(PasswordDialog, TabWalksOkCancelNewConfirm) {
    const std::vector<HWND> order = {form->ButtonOK->Handle(), form->ButtonC->Handle(), NewPassword(),
                                     Confirmation()};
    for (size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(GetNextDlgTabItem(form->Handle(), order[i], FALSE), order[(i + 1) % order.size()])
            << "after tab stop " << i;
}

// ---- activation -------------------------------------------------------------------------------

TEST_F(PasswordDialog, FirstActivationFocusesTheNewPasswordField) {
    EXPECT_EQ(GetFocus(), NewPassword());
}

TEST_F(PasswordDialog, ComingBackFromAnotherWindowKeepsTheFocusedField) {
    form->MaskEditCNP->SetFocus();
    {
        OtherWindow other;
        SetActiveWindow(other.get());
        ASSERT_TRUE(PumpApplicationUntil([&] { return GetActiveWindow() == other.get(); }));
        SetActiveWindow(form->Handle());
        ASSERT_TRUE(PumpApplicationUntil([&] { return GetActiveWindow() == form->Handle(); }));
        PumpApplicationUntilIdle();
    }
    EXPECT_EQ(GetFocus(), Confirmation());
}

// ---- entry fields -----------------------------------------------------------------------------

TEST_F(PasswordDialog, FieldsTakeAtMostTwentyCharactersTypedOrPasted) {
    for (HWND edit : {NewPassword(), Confirmation()}) {
        SetWindowTextA(edit, "");
        TypeInto(edit, kTwentyFive);
        EXPECT_EQ(TextOf(edit), std::string(kTwentyFive, 20)) << "typed";
        SetWindowTextA(edit, "");
        PasteInto(edit, kTwentyFive);
        EXPECT_EQ(TextOf(edit), std::string(kTwentyFive, 20)) << "pasted";
    }
}

// ---- OK ---------------------------------------------------------------------------------------

struct Mismatch {
    const char* newPassword;
    const char* confirmation;
};

TEST_F(PasswordDialog, DifferentEntriesWarnCentredAndClearTheConfirmation) {
    const Mismatch cases[] = {
        {"Secret", "secret"}, {"abc", ""}, {"", "abc"}, {"abc", "abcd"}, {"abc ", "abc"}};
    const int screenCentreX = GetSystemMetrics(SM_CXSCREEN) / 2,
              screenCentreY = GetSystemMetrics(SM_CYSCREEN) / 2;
    for (const Mismatch& entry : cases) {
        SCOPED_TRACE(std::string(entry.newPassword) + " / " + entry.confirmation);
        Enter(entry.newPassword, entry.confirmation);
        MessageBoxCatcher catcher;
        Click(form->ButtonOK);
        ASSERT_EQ(catcher.Boxes().size(), 1u);
        const auto& box = catcher.Boxes()[0];
        EXPECT_EQ(box.caption, "Warning");
        EXPECT_EQ(box.text, kMismatchText);
        EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
        EXPECT_EQ(box.icon, LoadIconA(nullptr, IDI_EXCLAMATION));
        EXPECT_NEAR((box.rect.left + box.rect.right) / 2, screenCentreX, 1);
        EXPECT_NEAR((box.rect.top + box.rect.bottom) / 2, screenCentreY, 1);

        EXPECT_EQ(form->MaskEditCNP->Text(), "");
        EXPECT_EQ(form->MaskEditNP->Text(), entry.newPassword);
        EXPECT_EQ(GetFocus(), NewPassword());
        EXPECT_TRUE(form->Visible());
        EXPECT_FALSE(ProductKeyExists());
        EXPECT_FALSE(TerminateRequested());
    }
}

struct Match {
    const char* typed;
    const char* stored;
};

class PasswordDialogMatch : public PasswordDialog, public ::testing::WithParamInterface<Match> {};

TEST_P(PasswordDialogMatch, EqualEntriesStoreThePasswordAndEnd) {
    Enter(GetParam().typed, GetParam().typed);
    MessageBoxCatcher catcher;
    Click(form->ButtonOK);
    EXPECT_TRUE(catcher.Boxes().empty()) << catcher.Boxes()[0].text;
    const auto stored = StoredPassword();
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(stored->text, GetParam().stored);
    EXPECT_EQ(ProductKeyValueCount(), 1u) << "only \"Password\" is written";
    EXPECT_TRUE(TerminateRequested());
}

// Text set by the program is not held to the fields' limit, so the cut to 20 shows here.
INSTANTIATE_TEST_SUITE_P(Entries, PasswordDialogMatch,
                         ::testing::Values(Match{"abc", "abc"}, Match{"", ""},
                                           Match{"MiXeD cAsE 42", "MiXeD cAsE 42"},
                                           Match{"abcdefghijklmnopqrst", "abcdefghijklmnopqrst"},
                                           Match{kTwentyFive, "abcdefghijklmnopqrst"}));

TEST_F(PasswordDialog, EqualEntriesReplaceAStoredPassword) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kProductKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Password", 0, REG_SZ, reinterpret_cast<const BYTE*>("old"), 3);
    RegCloseKey(key);
    Enter("new", "new");
    Click(form->ButtonOK);
    ASSERT_TRUE(StoredPassword().has_value());
    EXPECT_EQ(StoredPassword()->text, "new");
}

// A volatile vendor key cannot hold the product key, which must outlive a restart: creating
// it fails as when the registry refuses it. The failure is reported, then the program ends.
TEST_F(PasswordDialog, AKeyThatCannotBeCreatedIsReportedThenEnds) {
    HKEY vendor;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kVendorKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &vendor, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(vendor);
    HKEY probe;
    ASSERT_NE(RegCreateKeyExA(HKEY_CURRENT_USER, kProductKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &probe,
                              nullptr),
              ERROR_SUCCESS)
        << "the product key could be created under a volatile key";

    Enter("abc", "abc");
    MessageBoxCatcher catcher;
    Click(form->ButtonOK);
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].text, "Failure to access Registry.");
    EXPECT_EQ(catcher.Boxes()[0].caption, tk::Application.Title());
    EXPECT_FALSE(ProductKeyExists());
    EXPECT_TRUE(TerminateRequested());
}

// ---- other ways out ---------------------------------------------------------------------------

TEST_F(PasswordDialog, CancelEndsWithoutStoring) {
    Enter("abc", "abc");
    Click(form->ButtonC);
    EXPECT_FALSE(ProductKeyExists());
    EXPECT_TRUE(TerminateRequested());
}

TEST_F(PasswordDialog, CloseBoxEndsWithoutStoring) {
    Enter("abc", "abc");
    SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(ProductKeyExists());
    EXPECT_TRUE(TerminateRequested());
}

// With equal entries a pressed OK would store them and a pressed Cancel would end the program.
TEST_F(PasswordDialog, EnterAndEscapeInTheFieldsPressNothing) {
    Enter("abc", "abc");
    for (HWND edit : {NewPassword(), Confirmation()}) {
        for (WORD key : {VK_RETURN, VK_ESCAPE}) {
            SCOPED_TRACE(key == VK_RETURN ? "Enter" : "Escape");
            SetFocus(edit);
            MessageBoxCatcher catcher;
            PressKey(edit, key);
            EXPECT_TRUE(catcher.Boxes().empty());
            EXPECT_FALSE(ProductKeyExists());
            EXPECT_FALSE(TerminateRequested());
            EXPECT_TRUE(form->Visible());
            EXPECT_EQ(form->MaskEditNP->Text(), "abc");
            EXPECT_EQ(form->MaskEditCNP->Text(), "abc");
        }
    }
}

} // namespace
