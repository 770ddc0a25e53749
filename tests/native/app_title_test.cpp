#include <gtest/gtest.h>

#include "core/AppTitle.h"

namespace tavrin {
namespace {

TEST(DefaultApplicationTitle, FileNameUpToFirstDotWithTailLowered) {
    struct Case {
        const char* path;
        const char* title;
    };
    const Case cases[] = {
        {"C:\\WINDOWS\\TAVRIN.SCR", "Tavrin"},
        {"C:\\WINDOWS\\SYSTEM\\MY.SAVER.SCR", "My"},
        {"C:\\Dir.With.Dots\\NAME.SCR", "Name"},
        {"/home/user/.wine/drive_c/tavrin.scr", "tavrin"},
        {"C:/mixed\\seps/BIG.scr", "Big"},
        {"C:TAVRIN.SCR", "Tavrin"},
        {"TAVRIN", "Tavrin"},
        {"aBCdE.SCR", "abcde"},
        {"X1_Y-Z.SCR", "X1_y-z"},
        {"C:\\T\xC4VRIN.SCR", "T\xC4vrin"}, // beyond A-Z the program passes the system's lowering
        {"C:\\WINDOWS\\.SCR", ""},
        {"C:\\WINDOWS\\", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(DefaultApplicationTitle(c.path), c.title);
    }
}

TEST(ErrorBoxText, FullStopOnlyAfterCharactersSortingAfterDot) {
    struct Case {
        const char* message;
        const char* text;
    };
    const Case cases[] = {
        {"Failed to get data for 'Speed'", "Failed to get data for 'Speed'"},
        {"Invalid data type for 'CLS'", "Invalid data type for 'CLS'"},
        {"Not enough timers available", "Not enough timers available."},
        {"", ""},
        {"Done.", "Done."},
        {"A-", "A-"}, // '-' sorts before '.'
        {"A)", "A)"},
        {"A ", "A "},
        {"A/", "A/."}, // '/' is the first character after '.'
        {"Value 9", "Value 9."},
        {"Why?", "Why?."},
        {"caf\xe9", "caf\xe9."}, // bytes above 127 sort after '.'
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(ErrorBoxText(c.message), c.text);
    }
}

} // namespace
} // namespace tavrin
