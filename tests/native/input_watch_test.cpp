#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <utility>

#include "core/InputWatch.h"

namespace tavrin {
namespace {

using Verdict = InputWatch::Verdict;

TEST(ClassifyMessage, OnlyKeyDownMoveAndButtonDownsCount) {
    struct Case {
        std::uint32_t id;
        std::optional<InputKind> kind;
    };
    const Case cases[] = {
        {0x0100, InputKind::Keyboard},   // WM_KEYDOWN
        {0x0200, InputKind::MouseMove},  // WM_MOUSEMOVE
        {0x0201, InputKind::MouseClick}, // WM_LBUTTONDOWN
        {0x0204, InputKind::MouseClick}, // WM_RBUTTONDOWN
        {0x0207, InputKind::MouseClick}, // WM_MBUTTONDOWN
        {0x0101, std::nullopt},          // WM_KEYUP
        {0x0102, std::nullopt},          // WM_CHAR
        {0x0104, std::nullopt},          // WM_SYSKEYDOWN (Alt+key, F10)
        {0x0105, std::nullopt},          // WM_SYSKEYUP
        {0x0106, std::nullopt},          // WM_SYSCHAR
        {0x0202, std::nullopt},          // WM_LBUTTONUP
        {0x0203, std::nullopt},          // WM_LBUTTONDBLCLK
        {0x0205, std::nullopt},          // WM_RBUTTONUP
        {0x0206, std::nullopt},          // WM_RBUTTONDBLCLK
        {0x0208, std::nullopt},          // WM_MBUTTONUP
        {0x0209, std::nullopt},          // WM_MBUTTONDBLCLK
        {0x020A, std::nullopt},          // WM_MOUSEWHEEL
        {0x0113, std::nullopt},          // WM_TIMER
        {0x0000, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(ClassifyMessage(c.id), c.kind);
    }
}

// One message of each class, in the order of the columns below.
constexpr std::uint32_t kClassMessages[] = {0x0100, 0x0201, 0x0200}; // keyboard, click, move

TEST(InputWatch, DecisionTableForEveryCodeAndClass) {
    struct Row {
        std::uint8_t code;
        bool on[3]; // keyboard, click, move
    };
    const Row rows[] = {
        {0, {false, false, false}},   {1, {true, false, false}},   {2, {false, false, false}},
        {5, {false, false, false}},   {10, {false, true, false}},  {11, {true, true, false}},
        {12, {false, false, false}},  {100, {false, false, true}}, {101, {true, false, true}},
        {110, {false, true, true}},   {111, {true, true, true}},   {112, {false, false, false}},
        {255, {false, false, false}},
    };
    for (const Row& row : rows) {
        for (int column = 0; column < 3; ++column) {
            SCOPED_TRACE(testing::Message() << "code " << int{row.code} << " class " << column);
            InputWatch watch;
            watch.Arm();
            const std::uint32_t id = kClassMessages[column];
            if (row.on[column]) {
                EXPECT_EQ(watch.Observe(id, row.code), Verdict::Ignored);
                EXPECT_FALSE(watch.FirstEventPending());
                EXPECT_EQ(watch.Observe(id, row.code), Verdict::Act);
            } else {
                EXPECT_EQ(watch.Observe(id, row.code), Verdict::PassOn);
                EXPECT_EQ(watch.Observe(id, row.code), Verdict::PassOn);
                EXPECT_TRUE(watch.FirstEventPending());
            }
        }
    }
}

TEST(InputWatch, NotArmedPassesEverythingOn) {
    InputWatch watch;
    EXPECT_FALSE(watch.Armed());
    for (std::uint32_t id : kClassMessages)
        EXPECT_EQ(watch.Observe(id, 111), Verdict::PassOn);

    watch.Arm();
    EXPECT_EQ(watch.Observe(0x0100, 111), Verdict::Ignored);
    watch.Disarm();
    EXPECT_FALSE(watch.Armed());
    for (std::uint32_t id : kClassMessages)
        EXPECT_EQ(watch.Observe(id, 111), Verdict::PassOn);
}

TEST(InputWatch, ArmingMakesTheFirstEventPendingAgain) {
    InputWatch watch;
    watch.Arm();
    EXPECT_TRUE(watch.Armed());
    EXPECT_TRUE(watch.FirstEventPending());
    EXPECT_EQ(watch.Observe(0x0200, 111), Verdict::Ignored);
    EXPECT_EQ(watch.Observe(0x0100, 111), Verdict::Act); // any class acts after any class
    EXPECT_EQ(watch.Observe(0x0204, 111), Verdict::Act);

    // The panel was shown (disarm) and cancelled (arm): the first event is ignored again.
    watch.Disarm();
    watch.Arm();
    EXPECT_TRUE(watch.FirstEventPending());
    EXPECT_EQ(watch.Observe(0x0207, 111), Verdict::Ignored);
    EXPECT_EQ(watch.Observe(0x0207, 111), Verdict::Act);
}

TEST(InputWatch, EventsOfAClassThatIsOffDoNotUseUpTheIgnoredFirstEvent) {
    InputWatch watch;
    watch.Arm();
    // Keyboard only: moves, clicks and messages of no class change nothing.
    EXPECT_EQ(watch.Observe(0x0200, 1), Verdict::PassOn);
    EXPECT_EQ(watch.Observe(0x0201, 1), Verdict::PassOn);
    EXPECT_EQ(watch.Observe(0x0101, 1), Verdict::PassOn);
    EXPECT_EQ(watch.Observe(0x0104, 1), Verdict::PassOn);
    EXPECT_TRUE(watch.FirstEventPending());
    EXPECT_EQ(watch.Observe(0x0100, 1), Verdict::Ignored);
    EXPECT_EQ(watch.Observe(0x0200, 1), Verdict::PassOn);
    EXPECT_EQ(watch.Observe(0x0100, 1), Verdict::Act);
}

// Around the rest (4 x 4 at 500, 300) moves of up to 2 pixels are no input; clicks still count.
TEST(InputWatch, MovesWithinThePointersRestAreNoInput) {
    InputWatch watch;
    watch.Arm(PointerRest{500, 300, 4, 4});
    for (auto [x, y] : {std::pair{500, 300}, {502, 298}, {498, 302}, {501, 299}})
        EXPECT_EQ(watch.Observe(0x0200, 100, x, y), Verdict::PassOn) << x << "," << y;
    EXPECT_TRUE(watch.FirstEventPending());
    EXPECT_EQ(watch.Observe(0x0200, 100, 503, 300), Verdict::Ignored);
    EXPECT_EQ(watch.Observe(0x0200, 100, 500, 300), Verdict::PassOn);
    EXPECT_EQ(watch.Observe(0x0200, 100, 500, 297), Verdict::Act);
    watch.Arm(PointerRest{500, 300, 4, 4});
    EXPECT_EQ(watch.Observe(0x0201, 111, 500, 300), Verdict::Ignored);
    EXPECT_EQ(watch.Observe(0x0201, 111, 500, 300), Verdict::Act);
}

TEST(InputWatch, QuickSecondClickArrivesAsDoubleClickAndCountsForNothing) {
    InputWatch watch;
    watch.Arm();
    EXPECT_EQ(watch.Observe(0x0201, 10), Verdict::Ignored); // first click
    EXPECT_EQ(watch.Observe(0x0202, 10), Verdict::PassOn);  // release
    EXPECT_EQ(watch.Observe(0x0203, 10), Verdict::PassOn);  // quick second click
    EXPECT_EQ(watch.Observe(0x0202, 10), Verdict::PassOn);
    EXPECT_EQ(watch.Observe(0x0201, 10), Verdict::Act); // third click
}

} // namespace
} // namespace tavrin
