// Bad registry input, row by row, in-process against the real registry: every value the saver
// and the configuration dialog read stored missing, with each wrong type, oversize and at
// boundary numbers on top of an otherwise valid key. The saver must report what it cannot read,
// end on input (with the password option on and a password stored, once that password is typed
// into its panel as far as the edit takes it), give the desktop back and leave both keys as they
// were, but for "Password", which it empties when the option is off. The dialog must report what
// it cannot read, open, and save a complete, valid key.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "wine/support/ConfigureDialog.h"
#include "wine/support/MessageBoxCatcher.h"
#include "wine/support/SaverWindow.h"

namespace testsupport {
// Type and size only: some values are a megabyte.
void PrintTo(const RegValue& value, std::ostream* out) {
    *out << "type " << value.type << ", " << value.bytes.size() << " bytes";
}
} // namespace testsupport

namespace {

using namespace testsupport;
using namespace std::string_view_literals;

// ---- values as stored -----------------------------------------------------------------------

template <class T> RegValue Number(DWORD type, T value) {
    return {type, std::string(reinterpret_cast<const char*>(&value), sizeof value)};
}
const auto Dword = [](DWORD value) { return Number(REG_DWORD, value); };
const auto Qword = [](std::uint64_t value) { return Number(REG_QWORD, value); };
const auto Double = [](double value) { return Number(REG_BINARY, value); };
const auto Raw = [](DWORD type, std::string_view bytes) { return RegValue{type, std::string(bytes)}; };
const auto Binary = [](std::string_view bytes) { return Raw(REG_BINARY, bytes); };
// Strings with their terminating zero, as a normal string is stored; a REG_MULTI_SZ ends in
// one more zero.
const auto Sz = [](std::string_view text) { return RegValue{REG_SZ, std::string(text) + '\0'}; };
const auto ExpandSz = [](std::string_view text) { return RegValue{REG_EXPAND_SZ, std::string(text) + '\0'}; };
RegValue MultiSz(std::initializer_list<std::string_view> texts) {
    RegValue value{REG_MULTI_SZ, {}};
    for (std::string_view text : texts)
        value.bytes += std::string(text) + '\0';
    value.bytes += '\0';
    return value;
}

const RegValue kBigText = Sz(std::string(1 << 20, '7'));
// A megabyte, of which the panel's edit takes the first 20 characters.
const std::string kLongPassword = "Tavrin0123456789ABCD" + std::string((1 << 20) - 20, 'x');
constexpr DWORD kBoundaries[] = {0, 1, 255, 256, 65535, 65536, 0xFFFFFFFF};
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const auto NoData = [](const std::string& name) { return "Failed to get data for '" + name + "'"; };
const auto BadType = [](const std::string& name) { return "Invalid data type for '" + name + "'"; };
template <class T> std::string Text(const char* format, T number) {
    char text[32];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

// A complete product key; "Version" is "2" with its zero byte.
RegValues Key(const SaverValues& v) {
    RegValues key = {{"Version", Sz("2")},      {"Sensitivity", Dword(v.sensitivity)},
                     {"CLS", Double(v.cls)},    {"PictureSet", Dword(v.pictureSet)},
                     {"Speed", Dword(v.speed)}, {"Background", Dword(v.background)}};
    for (int n = 1; n <= 25; ++n)
        key[SaverValues::PictureValue(n)] = Dword((v.pictures >> (n - 1)) & 1u);
    return key;
}

// A row's changes to a key: a value stored, or (nullopt) deleted.
using Changes = std::vector<std::pair<std::string, std::optional<RegValue>>>;

RegValues Changed(RegValues key, const Changes& changes) {
    for (const auto& [name, value] : changes)
        if (value)
            key[name] = *value;
        else
            key.erase(name);
    return key;
}

// Stores the whole product key; false when the registry holds other values afterwards. The 95
// family's registry stores a string up to its first zero byte, whatever size it is given.
bool StoreProductKey(const RegValues& key) {
    DeleteProductKey();
    const RegKey product = ProductKey();
    for (const auto& [name, value] : key)
        product.Set(name.c_str(), value);
    return product.Values() == key;
}

const auto DesktopKey = [] { return RegKey::Create(kDesktopKey).Values(); };

void ExpectErrorBox(const MessageBoxCatcher& catcher, const std::string& text) {
    ASSERT_EQ(catcher.Boxes().size(), text.empty() ? 0u : 1u) << Describe(catcher);
    if (text.empty()) return;
    EXPECT_EQ(catcher.Boxes()[0].caption, "Tavrin");
    EXPECT_EQ(catcher.Boxes()[0].text, text);
    EXPECT_EQ(catcher.Boxes()[0].buttons, std::vector<std::string>{"OK"});
}

// ---- the saver ------------------------------------------------------------------------------

struct SaverRow {
    std::string name;
    Changes product = {};                     // over the valid key
    std::optional<RegValue> usePassword = {}; // "ScreenSaveUsePassword"; nullopt: absent
    std::string box = {};                     // the error box's text; empty: no box
    std::string password = {};                // what the panel asks for; empty: no panel
    bool optionOn = false;                    // a non-zero REG_DWORD of at most 4 bytes
};

std::vector<SaverRow> SaverRows() {
    std::vector<SaverRow> rows;
    const auto add = [&](std::string name, Changes product, std::string box = {}) {
        rows.push_back({std::move(name), std::move(product), std::nullopt, std::move(box)});
    };
    for (const std::string v : {"PictureSet", "Speed", "Background", "Sensitivity", "Pic_01", "Pic_25"}) {
        add(v + " missing", {{v, std::nullopt}}, NoData(v));
        add(v + " REG_SZ", {{v, Sz("1")}}, BadType(v));
        add(v + " REG_EXPAND_SZ", {{v, ExpandSz("1")}}, BadType(v));
        add(v + " REG_MULTI_SZ", {{v, MultiSz({"1", "2"})}}, NoData(v));
        add(v + " REG_BINARY", {{v, Binary("\1\0\0\0"sv)}}, BadType(v));
        add(v + " REG_QWORD", {{v, Qword(1)}}, NoData(v));
        add(v + " 5-byte dword", {{v, Raw(REG_DWORD, "\1\0\0\0\0"sv)}}, NoData(v));
    }
    add("Sensitivity 1 MiB REG_SZ", {{"Sensitivity", kBigText}}, NoData("Sensitivity"));
    for (const std::string v : {"PictureSet", "Speed", "Background", "Sensitivity"})
        for (DWORD n : kBoundaries)
            add(v + " = " + Text("%#lx", n), {{v, Dword(n)}});
    add("Pic_01 = 0", {{"Pic_01", Dword(0)}});
    add("Pic_01 = 0xffffffff", {{"Pic_01", Dword(0xFFFFFFFF)}});
    add("Pic_25 = 0", {{"Pic_25", Dword(0)}});
    add("Pic_25 = 0x100", {{"Pic_25", Dword(256)}});
    Changes allOff; // nothing to stamp
    for (int n = 1; n <= 25; ++n)
        allOff.push_back({SaverValues::PictureValue(n), Dword(0)});
    add("all pictures off", allOff);

    // The cleaning interval: an 8-byte double in a REG_BINARY.
    add("CLS missing", {{"CLS", std::nullopt}}, NoData("CLS"));
    add("CLS REG_SZ", {{"CLS", Sz("10")}}, BadType("CLS"));
    add("CLS REG_EXPAND_SZ", {{"CLS", ExpandSz("1")}}, BadType("CLS"));
    add("CLS REG_MULTI_SZ", {{"CLS", MultiSz({"1"})}}, BadType("CLS"));
    add("CLS REG_DWORD", {{"CLS", Dword(10)}}, BadType("CLS"));
    add("CLS REG_QWORD", {{"CLS", Qword(10)}}, BadType("CLS"));
    add("CLS 9 bytes", {{"CLS", Binary(std::string(9, '\0'))}}, NoData("CLS"));
    add("CLS 7 bytes", {{"CLS", Binary(std::string(7, '\0'))}}, BadType("CLS"));
    add("CLS no data", {{"CLS", Binary("")}}, BadType("CLS"));
    add("CLS 1 MiB REG_SZ", {{"CLS", kBigText}}, NoData("CLS"));
    for (double value :
         {0.0, 1.0, 255.0, 256.0, 65535.0, 65536.0, 4294967295.0, -1.0, 1e300, kNaN, kInf, -kInf})
        add("CLS = " + Text("%g", value), {{"CLS", Double(value)}});

    // The layout version: a string; "1" means the older layout without "Background".
    add("Version missing", {{"Version", std::nullopt}});
    add("Version empty", {{"Version", Sz("")}});
    add("Version no data", {{"Version", Raw(REG_SZ, "")}});
    add("Version 1, Background REG_SZ", {{"Version", Sz("1")}, {"Background", Sz("x")}});
    add("Version REG_EXPAND_SZ 1", {{"Version", ExpandSz("1")}, {"Background", std::nullopt}});
    add("Version REG_MULTI_SZ", {{"Version", MultiSz({"2"})}}, BadType("Version"));
    add("Version REG_BINARY", {{"Version", Binary("2\0"sv)}}, BadType("Version"));
    add("Version REG_DWORD", {{"Version", Dword(2)}}, BadType("Version"));
    add("Version REG_QWORD", {{"Version", Qword(2)}}, BadType("Version"));
    add("Version 1 MiB", {{"Version", kBigText}});

    // The system's password option, with a password stored: only a non-zero REG_DWORD of at most
    // 4 bytes is "on"; everything else is "off" and the saver empties the password.
    const auto option = [&](std::string name, std::optional<RegValue> value, std::string password = {}) {
        const bool on = !password.empty();
        rows.push_back(
            {"UsePassword " + name, {{"Password", Sz("Secret")}}, std::move(value), {}, password, on});
    };
    option("missing", std::nullopt);
    option("REG_SZ", Sz("1"));
    option("REG_EXPAND_SZ", ExpandSz("1"));
    option("REG_MULTI_SZ", MultiSz({"1"}));
    option("REG_BINARY", Binary("\1\0\0\0"sv));
    option("REG_QWORD", Qword(1));
    option("5-byte dword", Raw(REG_DWORD, "\1\0\0\0\0"sv));
    option("1 MiB REG_SZ", kBigText);
    for (DWORD n : kBoundaries)
        option("= " + Text("%#lx", n), Dword(n), n ? "Secret" : "");

    // The password, with the option on. No edit takes a tab or another control character: what
    // can be typed is the rest.
    const auto password = [&](std::string name, std::optional<RegValue> value, std::string box,
                              std::string typed = {}) {
        rows.push_back({"Password " + name, {{"Password", std::move(value)}}, Dword(1), box, typed, true});
    };
    password("missing", std::nullopt, "");
    password("empty", Sz(""), "");
    password("no data", Raw(REG_SZ, ""), "");
    password("REG_EXPAND_SZ", ExpandSz("Secret"), "", "Secret");
    password("REG_MULTI_SZ", MultiSz({"Secret"}), BadType("Password"));
    password("REG_BINARY", Binary("Secret"), BadType("Password"));
    password("REG_DWORD", Dword(1), BadType("Password"));
    password("REG_QWORD", Qword(1), BadType("Password"));
    password("21 characters", Sz("ABCDEFGHIJKLMNOPQRSTU"), "", "ABCDEFGHIJKLMNOPQRST");
    password("1 MiB", Sz(kLongPassword), "", kLongPassword.substr(0, 20));
    password("with a zero byte", Raw(REG_SZ, "Sec\0ret\0"sv), "", "Sec");
    password("with control characters",
             Sz("Se\tcr\x01"
                "et"),
             "", "Secret");
    // The option off: whatever the stored password is, it is emptied.
    rows.push_back({"Password REG_DWORD, option off", {{"Password", Dword(7)}}, Dword(0)});
    return rows;
}

// The saver empties "Password" when the option is off and its load got that far: a failed read
// ends the load, and only "Sensitivity" and the pictures are read after the password.
bool PasswordEmptied(const SaverRow& row) {
    const std::string failed = row.box.empty() ? "" : row.box.substr(row.box.find('\'') + 1);
    return !row.optionOn &&
           (failed.empty() || failed.starts_with("Sensitivity") || failed.starts_with("Pic_"));
}

void PrintTo(const SaverRow& row, std::ostream* out) {
    *out << row.name;
}

class SaverBadInput : public SaverWindow, public ::testing::WithParamInterface<SaverRow> {};

TEST_P(SaverBadInput, NeverLocksTheUserOutAndGivesTheDesktopBack) {
    const SaverRow& row = GetParam();
    // Keys, clicks and moves end the saver, a pace of 300 ms, black background.
    RegValues product = Changed(Key({.sensitivity = 111, .speed = 3, .background = 0}), row.product);
    const RegKey system = RegKey::Create(kDesktopKey);
    row.usePassword ? system.Set(kUsePasswordValue, *row.usePassword) : system.Delete(kUsePasswordValue);
    if (!StoreProductKey(product) && (GetVersion() & 0x80000000))
        GTEST_SKIP() << "the 95 family cannot store it";
    ASSERT_EQ(ProductKey().Values(), product) << "the registry holds other values than the row's";
    ASSERT_EQ(system.Get(kUsePasswordValue), row.usePassword.value_or(RegValue{}));
    const RegValues desktop = DesktopKey();

    MessageBoxCatcher catcher;
    // Wine's pointer moves while the window shows or a box closes are no input: the pointer
    // stays where it rested.
    auto* form = tk::Application.CreateForm<TFormScreenSaver>();
    PumpApplicationUntilIdle();
    const bool paceStored = std::ranges::none_of(
        row.product, [](const auto& c) { return c.first == "Speed" || c.first == "Version"; });
    if (row.box.empty() && paceStored) {
        EXPECT_EQ(form->TimerSpeed->Interval(), 300u) << "the stored settings must be used";
    }
    PostKey(form); // the ignored first input
    PostKey(form);
    if (!row.password.empty()) {
        ASSERT_FALSE(tk::Application.Terminated()) << "the input ended the saver without the password";
        ASSERT_TRUE(form->Panel1->Visible());
        Type(form->MaskEdit1, row.password);
        EXPECT_EQ(form->MaskEdit1->Text(), row.password);
        Click(form->ButtonOK);
        PumpApplicationUntilIdle();
    }
    EXPECT_TRUE(tk::Application.Terminated()) << "the saver did not end";
    ExpectErrorBox(catcher, row.box);
    ExpectDesktopGivenBack();
    if (PasswordEmptied(row)) product["Password"] = ProgramString("");
    EXPECT_EQ(ProductKey().Values(), product);
    EXPECT_EQ(DesktopKey(), desktop);
}

INSTANTIATE_TEST_SUITE_P(Registry, SaverBadInput, ::testing::ValuesIn(SaverRows()));

// ---- the configuration dialog ---------------------------------------------------------------

using Numbers = std::vector<std::pair<std::string, double>>;

struct DialogRow {
    std::string name;
    Changes product; // over kStored
    // What "Save" writes, over what the dialog shows of kStored or, after a failed read, over
    // its layout values (where "Background", handed over as soon as it is read, may be stored).
    Numbers saved = {};
    std::string box = {}; // the error box's text; empty: no box, the load read everything
};

// Values the layout does not have, so that the saved key shows whether they were read.
const SaverValues kStored = {
    .sensitivity = 101, .pictureSet = 3, .cls = 7, .speed = 40, .background = 0, .pictures = 0x1555555};
const SaverValues kLayout = {
    .sensitivity = 111, .pictureSet = 1, .cls = 12, .speed = 10, .background = 1, .pictures = 0};

// What "Save" writes: "Version" "2", and the numbers as the dialog shows them.
RegValues DialogWrites(const DialogRow& row) {
    RegValues writes = Key(row.box.empty() ? kStored : kLayout);
    writes["Version"] = ProgramString("2");
    for (const auto& [name, value] : row.saved)
        writes[name] =
            name == "CLS" ? Double(value) : Dword(static_cast<DWORD>(static_cast<std::int64_t>(value)));
    return writes;
}

// What makes a key other than complete and valid, as the dialog writes one.
std::vector<std::string> KeyProblems(const RegValues& key) {
    std::vector<std::string> problems;
    const auto get = [&](const std::string& name) { return key.contains(name) ? key.at(name) : RegValue{}; };
    const auto integer = [&](const std::string& name, auto valid) {
        const RegValue value = get(name);
        std::int32_t n = 0;
        if (value.type == REG_DWORD && value.bytes.size() == 4) std::memcpy(&n, value.bytes.data(), 4);
        if (value.type != REG_DWORD || value.bytes.size() != 4 || !valid(n))
            problems.push_back(name + " is not a valid 4-byte REG_DWORD");
    };
    const auto from = [](std::int32_t low, std::int32_t high) {
        return [=](std::int32_t n) { return n >= low && n <= high; };
    };
    if (!(get("Version") == ProgramString("2"))) problems.push_back("Version is not \"2\"");
    // Three decimal digits of 0 or 1 (keys, clicks, moves), not all 0.
    integer("Sensitivity",
            [](std::int32_t n) { return n > 0 && n <= 111 && n % 10 <= 1 && n / 10 % 10 <= 1; });
    integer("PictureSet", from(1, 5));
    integer("Speed", from(2, 100));
    integer("Background", from(-1, 1));
    for (int n = 1; n <= 25; ++n)
        integer(SaverValues::PictureValue(n), from(0, 1));
    const RegValue cls = get("CLS");
    double minutes = 0;
    if (cls.type == REG_BINARY && cls.bytes.size() == 8) std::memcpy(&minutes, cls.bytes.data(), 8);
    if (!(minutes >= 1 && minutes <= 60 && minutes == static_cast<int>(minutes)))
        problems.push_back("CLS is not an 8-byte REG_BINARY of 1 to 60 minutes");
    return problems;
}

DialogRow Failed(std::string name, Changes product, std::string box, Numbers saved = {}) {
    return {std::move(name), std::move(product), std::move(saved), std::move(box)};
}

std::vector<DialogRow> DialogRows() {
    Numbers set1Empty = {{"PictureSet", 1}};
    for (int n = 1; n <= 25; ++n)
        set1Empty.push_back({SaverValues::PictureValue(n), 0});
    std::vector<DialogRow> rows = {
        Failed("Sensitivity missing", {{"Sensitivity", std::nullopt}}, NoData("Sensitivity")),
        Failed("Sensitivity REG_SZ", {{"Sensitivity", Sz("1")}}, BadType("Sensitivity")),
        Failed("Sensitivity REG_QWORD", {{"Sensitivity", Qword(1)}}, NoData("Sensitivity")),
        Failed("Sensitivity 5-byte dword", {{"Sensitivity", Raw(REG_DWORD, "\1\0\0\0\0"sv)}},
               NoData("Sensitivity")),
        Failed("Sensitivity 1 MiB REG_SZ", {{"Sensitivity", kBigText}}, NoData("Sensitivity")),

        Failed("PictureSet missing", {{"PictureSet", std::nullopt}}, NoData("PictureSet")),
        Failed("PictureSet REG_BINARY", {{"PictureSet", Binary("\3\0\0\0"sv)}}, BadType("PictureSet")),

        Failed("Speed REG_EXPAND_SZ", {{"Speed", ExpandSz("40")}}, BadType("Speed")),
        Failed("Speed REG_MULTI_SZ", {{"Speed", MultiSz({"4"})}}, BadType("Speed")),

        Failed("CLS missing", {{"CLS", std::nullopt}}, NoData("CLS")),
        Failed("CLS REG_DWORD", {{"CLS", Dword(7)}}, BadType("CLS")),
        Failed("CLS 9 bytes", {{"CLS", Binary(std::string(9, '\0'))}}, NoData("CLS")),
        Failed("CLS 7 bytes", {{"CLS", Binary(std::string(7, '\0'))}}, BadType("CLS")),
        Failed("CLS 1 MiB REG_SZ", {{"CLS", kBigText}}, NoData("CLS")),

        {"Version missing", {{"Version", std::nullopt}}},
        {"Version empty", {{"Version", Sz("")}}},
        {"Version 1 MiB", {{"Version", kBigText}}},
        // The older layout: delay 5, "Background" not read.
        {"Version 1, Background REG_SZ",
         {{"Version", Sz("1")}, {"Background", Sz("0")}},
         {{"Speed", 5}, {"Background", 1}}},
        {"Version REG_EXPAND_SZ 1", {{"Version", ExpandSz("1")}}, {{"Speed", 5}, {"Background", 1}}},
        Failed("Version REG_MULTI_SZ", {{"Version", MultiSz({"2"})}}, BadType("Version")),
        Failed("Version REG_DWORD", {{"Version", Dword(2)}}, BadType("Version")),

        Failed("Background missing", {{"Background", std::nullopt}}, NoData("Background")),
        Failed("Background REG_SZ", {{"Background", Sz("0")}}, BadType("Background")),
        Failed("Background REG_QWORD", {{"Background", Qword(0)}}, NoData("Background")),

        // The background is handed over before the pictures are read.
        Failed("Pic_01 missing", {{"Pic_01", std::nullopt}}, NoData("Pic_01"), {{"Background", 0}}),
        Failed("Pic_01 REG_QWORD", {{"Pic_01", Qword(1)}}, NoData("Pic_01"), {{"Background", 0}}),
        Failed("Pic_25 REG_SZ", {{"Pic_25", Sz("1")}}, BadType("Pic_25"), {{"Background", 0}}),
        {"Pic_02 = 0xffffffff, Pic_24 = 256",
         {{"Pic_02", Dword(0xFFFFFFFF)}, {"Pic_24", Dword(256)}},
         {{"Pic_02", 1}, {"Pic_24", 1}}},

        // Values the dialog does not read stay as they are.
        {"Password 1 MiB", {{"Password", kBigText}}},
        {"Password REG_DWORD", {{"Password", Dword(3)}}},
    };
    // Numbers as the widgets show them: a sensitivity code outside the seven with no kind ticked
    // (saved as 111), the slider's and the spin edit's ends, the radio group's -1 (nothing
    // selected), 0 or 1 and beyond those the nearer one.
    const auto shown = [&](const std::string& v, std::initializer_list<std::pair<DWORD, double>> numbers) {
        for (const auto& [stored, saved] : numbers)
            rows.push_back({v + " = " + Text("%#lx", stored), {{v, Dword(stored)}}, {{v, saved}}});
    };
    shown("Sensitivity", {{0, 111}, {255, 111}, {0x101, 1}, {0x1000B, 11}, {0xFFFFFFFF, 111}});
    shown("PictureSet", {{0x103, 3}});
    // A set outside 1..5 leaves "Set 1" shown with nothing ticked.
    for (DWORD n : {0u, 6u, 255u, 0xFFFFFFFFu})
        rows.push_back({"PictureSet = " + Text("%#lx", n), {{"PictureSet", Dword(n)}}, set1Empty});
    shown("Speed", {{0, 2}, {1, 2}, {101, 100}, {65535, 100}, {0x10007, 7}, {0xFFFFFFFF, 100}});
    shown("Background",
          {{1, 1}, {2, 1}, {0x7FFFFFFF, 1}, {0xFFFFFFFF, -1}, {0xFFFFFFFE, -1}, {0x80000000, -1}});
    const std::pair<double, double> cls[] = {{0, 1},     {-1, 1},    {0.5, 1},    {1.5, 2},
                                             {12.5, 12}, {59.5, 60}, {65536, 60}, {1e300, 60},
                                             {kNaN, 1},  {kInf, 60}, {-kInf, 1}};
    for (const auto& [stored, saved] : cls)
        rows.push_back({"CLS = " + Text("%g", stored), {{"CLS", Double(stored)}}, {{"CLS", saved}}});
    return rows;
}

void PrintTo(const DialogRow& row, std::ostream* out) {
    *out << row.name;
}

class ConfigureBadInput : public ConfigureDialog, public ::testing::WithParamInterface<DialogRow> {};

TEST_P(ConfigureBadInput, DialogOpensAndSavesACompleteValidKey) {
    const DialogRow& row = GetParam();
    tk::Application.SetTitle("Tavrin");
    RegValues product = Changed(Key(kStored), row.product);
    ASSERT_TRUE(StoreProductKey(product)) << "the registry holds other values than the row's";
    const RegValues desktop = DesktopKey();

    MessageBoxCatcher catcher;
    TFormConfigure& f = Open();
    EXPECT_TRUE(IsWindowVisible(f.Handle()));
    SendMessageA(f.ButtonOK->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(Ended()) << "\"Save\" did not end the dialog";
    ExpectErrorBox(catcher, row.box);
    const RegValues saved = ProductKey().Values();
    EXPECT_EQ(KeyProblems(saved), std::vector<std::string>{}) << "the saved key is not complete and valid";
    for (const auto& [name, value] : DialogWrites(row))
        product[name] = value;
    EXPECT_EQ(saved, product) << "the saved key differs from what the dialog read";
    EXPECT_EQ(DesktopKey(), desktop);
}

INSTANTIATE_TEST_SUITE_P(Registry, ConfigureBadInput, ::testing::ValuesIn(DialogRows()));

} // namespace
