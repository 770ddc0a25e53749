#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/CommandLine.h"

namespace tavrin {
namespace {

using Words = std::vector<std::string>;

TEST(SplitCommandLine, SeparatesQuotesAndSkipsEmptyPairs) {
    struct Case {
        std::string line;
        Words words;
    };
    const Case cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"prog", {"prog"}},
        {"prog /s", {"prog", "/s"}},
        {"  prog\t/s   extra  ", {"prog", "/s", "extra"}},
        {"prog\x01/s\x1f", {"prog", "/s"}}, // codes 1..32 all separate
        {"prog \x7f", {"prog", "\x7f"}},    // 127 is no separator
        {"prog\xa0/s", {"prog\xa0/s"}},     // nor is a byte above 127
        {"\"C:\\Program Files\\T.SCR\" /s", {"C:\\Program Files\\T.SCR", "/s"}},
        {"prog \"/s\"", {"prog", "/s"}},
        {"prog /\"s\"", {"prog", "/s"}},
        {"prog a\" \"b c", {"prog", "a b", "c"}},
        {"prog a\"\"b", {"prog", "ab"}},  // a pair inside a word just vanishes
        {"prog \"a b", {"prog", "a b"}},  // an unclosed quote runs to the end
        {"prog \"\" /s", {"prog", "/s"}}, // a pair where a word begins makes no word
        {"prog \"\"/s", {"prog", "/s"}},
        {"prog \"\" \"\"  /c x", {"prog", "/c", "x"}},
        {"prog \"\"", {"prog"}},
        {"prog \"\"\"/s\"", {"prog", "/s"}},              // the pair is skipped, the next quote opens
        {std::string("prog /s\0/c", 10), {"prog", "/s"}}, // a NUL ends the line
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(SplitCommandLine(c.line), c.words);
    }
}

TEST(FirstArgument, IsWordOneOrEmpty) {
    struct Case {
        const char* line;
        const char* argument;
    };
    const Case cases[] = {
        {"", ""},
        {"prog", ""},
        {"prog   ", ""},
        {"prog \"\"", ""},
        {"prog /s", "/s"},
        {"prog /s more words", "/s"},
        {"prog /p 1234", "/p"},
        {"prog \"/s\"", "/s"},
        {"prog \"\" /s", "/s"},
        {"\"C:\\A B\\T.SCR\" /c:5678", "/c:5678"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(FirstArgument(c.line), c.argument);
    }
}

TEST(ModeForArgument, FollowsTheSwitchTable) {
    struct Case {
        const char* argument;
        Mode mode;
    };
    const Case cases[] = {
        {"/s", Mode::Saver},          {"/S", Mode::Saver},       {"/a", Mode::Password},
        {"/A", Mode::Password},       {"/c", Mode::Configure},   {"/C", Mode::Configure},
        {"", Mode::Configure},        {"/p", Mode::Preview},     {"/P", Mode::Preview},
        {"/c:1234", Mode::Configure}, {"/C:1", Mode::Configure}, {"/c:0", Mode::Configure},
        {"/c:", Mode::None},          {"/C:", Mode::None},       {"/c:12x", Mode::None},
        {"/c:-1", Mode::None},        {"/c: 1", Mode::None},     {"/c1", Mode::None},
        {"/s:1", Mode::None},         {"/a:1", Mode::None},      {"/p:1", Mode::None},
        {"/s1", Mode::None},          {"/ss", Mode::None},       {"/s ", Mode::None},
        {"-s", Mode::None},           {"s", Mode::None},         {"S", Mode::None},
        {"\\s", Mode::None},          {"/x", Mode::None},        {"/", Mode::None},
        {"/p 5", Mode::None},         {"//s", Mode::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument);
        EXPECT_EQ(ModeForArgument(c.argument), c.mode);
    }
}

TEST(SettingsOwnerNumber, DecimalWindowNumberAfterTheConfigureSwitch) {
    struct Case {
        const char* argument;
        std::uint64_t largest;
        std::uint64_t number;
    };
    const Case cases[] = {
        {"/c:1234", 0xFFFFFFFF, 1234},
        {"/C:7", 0xFFFFFFFF, 7},
        {"/c:0", 0xFFFFFFFF, 0},
        {"/c:", 0xFFFFFFFF, 0},
        {"/c:12x", 0xFFFFFFFF, 0},
        {"/c:-1", 0xFFFFFFFF, 0},
        {"/c:0x10", 0xFFFFFFFF, 0},
        {"/s:5", 0xFFFFFFFF, 0},
        {"/c", 0xFFFFFFFF, 0},
        {"/c:4294967295", 0xFFFFFFFF, 4294967295u},
        {"/c:4294967296", 0xFFFFFFFF, 0},
        {"/c:18446744073709551615", UINT64_MAX, UINT64_MAX},
        {"/c:18446744073709551616", UINT64_MAX, 0},
        {"/c:00042", 0xFFFFFFFF, 42},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument);
        EXPECT_EQ(SettingsOwnerNumber(c.argument, c.largest), c.number);
    }
}

TEST(ModeForArgument, WholeCommandLines) {
    // The road from the process's command line to the mode, as the entry takes it.
    EXPECT_EQ(ModeForArgument(FirstArgument("T.SCR /s extra")), Mode::Saver);
    EXPECT_EQ(ModeForArgument(FirstArgument("T.SCR \"/s\"")), Mode::Saver);
    EXPECT_EQ(ModeForArgument(FirstArgument("T.SCR")), Mode::Configure);
    EXPECT_EQ(ModeForArgument(FirstArgument("T.SCR /p 1234")), Mode::Preview);
    EXPECT_EQ(ModeForArgument(FirstArgument("T.SCR /c:1234")), Mode::Configure);
    EXPECT_EQ(ModeForArgument(FirstArgument("T.SCR /s/c")), Mode::None);
}

// The number itself follows the same rule as SettingsOwnerNumber's; these rows are about the words.
TEST(PreviewHostNumber, SecondWordAfterThePreviewSwitch) {
    struct Case {
        const char* line;
        std::uint64_t number;
    };
    const Case cases[] = {
        {"T.SCR /p 1234", 1234},
        {"T.SCR /P 1234 more", 1234},
        {"T.SCR \"/p\" \"\" 0042", 42},
        {"T.SCR /p 4294967296", 0},
        {"T.SCR /p", 0},
        {"T.SCR /p junk", 0},
        {"T.SCR /p +12", 0},
        {"T.SCR /p:12", 0},
        {"T.SCR /s 12", 0},
        {"T.SCR 12 /p", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(PreviewHostNumber(c.line, 0xFFFFFFFF), c.number);
    }
}

} // namespace
} // namespace tavrin
