#include "app/InfoLabel.h"

#include <gtest/gtest.h>

namespace zl {
namespace {

// A clock the test moves by hand.
class HandClock : public Clock {
public:
    LocalTime now{2026, 12, 6, 0, 11, 31, 0};
    LocalTime Now() const override { return now; }
};

class InfoLabelTest : public ::testing::Test {
protected:
    InfoSource Source() {
        InfoSource source;
        source.userName = [this] { return user; };
        source.windowsDirectory = [] { return std::string("/etc"); };
        source.currentDirectory = [] { return std::string("/home/q/src"); };
        source.computerName = [] { return std::string("quendle"); };
        source.platform = [] { return std::string("Linux 6.1.0"); };
        source.comments = [] { return std::string("Sort of the same, but not quite"); };
        source.clock = &clock;
        source.names = LocaleNames::English();
        return source;
    }

    HandClock clock;
    std::string user = "alice";
    InfoLabel label{Source()};
};

TEST_F(InfoLabelTest, CaptionColonTabsAndValue) {
    constexpr int kNoColon = InfoTextStyle::kNoColon;
    struct Case {
        bool standardCaption;
        const char* caption;
        int tabs;
        int colon;
        const char* text;
    };
    // clang-format off
    const Case cases[] = {
        {true,  "",    1,  kNoColon, "Username\talice"},
        {true,  "",    1,  0,        "Username:\talice"},
        {true,  "",    2,  2,        "Username\t\t:alice"},
        {true,  "",    2,  1,        "Username\t:\talice"},
        {true,  "",    0,  kNoColon, "Usernamealice"},  // no blank without an own caption
        {true,  "",    -1, kNoColon, "Usernamealice"},  // no tabs are fewer than none
        {true,  "Who", 0,  kNoColon, "Username alice"}, // a blank once an own caption is set
        {false, "Who", 0,  kNoColon, "Who alice"},
        {false, "Who", 1,  kNoColon, "Who\talice"},
    };
    // clang-format on
    label.SetInfo(InfoKind::User);
    for (const Case& c : cases) {
        InfoTextStyle style;
        style.useStandardCaption = c.standardCaption;
        style.caption = c.caption;
        style.insertTabs = c.tabs;
        style.insertColon = c.colon;
        label.SetStyle(style);
        EXPECT_EQ(label.Text(), c.text);
    }
}

TEST_F(InfoLabelTest, ValuesAreComputedWhenAsked) {
    label.SetInfo(InfoKind::User);
    user = "bob";
    EXPECT_EQ(label.Value(), "bob");
    user.clear();
    EXPECT_EQ(label.Value(), "(Unknown)");
    label.SetInfo(InfoKind::CurrentDir);
    EXPECT_EQ(label.Text(), "Current directory\t/home/q/src");
    label.SetInfo(InfoKind::ComputerName);
    EXPECT_EQ(label.Text(), "Computername\tquendle");
    label.SetInfo(InfoKind::Platform);
    EXPECT_EQ(label.Text(), "Platform\tLinux 6.1.0");
    InfoTextStyle style;
    style.dateTimeFormat = "M/d/yyyy";
    label.SetStyle(style);
    label.SetInfo(InfoKind::CurrentDateTime);
    EXPECT_EQ(label.Text(), "Date and time\t12/6/2026");
}

TEST_F(InfoLabelTest, SixClicksComeBackToTheUser) {
    using T = InfoKind;
    T kind = T::User;
    const T expected[] = {T::WindowsDir, T::CurrentDir,      T::ComputerName,
                          T::Platform,   T::ProgramComments, T::User};
    for (T next : expected) {
        kind = NextInfoKind(kind);
        EXPECT_EQ(kind, next);
    }
    EXPECT_EQ(NextInfoKind(T::MemSize), T::ComputerName);
    EXPECT_EQ(NextInfoKind(T::BuildNumber), T::Platform);
    EXPECT_EQ(NextInfoKind(T::CurrentDateTime), T::ProgramComments);
    EXPECT_EQ(NextInfoKind(T::CpuSpeed), T::CpuSpeed);
}

TEST_F(InfoLabelTest, TheClockRedrawsOnlyWhenTheTextChanges) {
    InfoTextStyle style;
    style.useStandardCaption = false;
    style.insertTabs = 0;
    style.dateTimeFormat = " dddd mmmm d, yyyy h:mm am/pm ";
    label.SetStyle(style);
    label.SetInfo(InfoKind::CurrentDateTime);
    EXPECT_TRUE(label.TimerRunning());
    EXPECT_EQ(label.Text(), " Sunday December 6, 2026 11:31 am ");
    clock.now.second = 59;
    EXPECT_FALSE(label.Tick()) << "the same minute: nothing to redraw";
    clock.now.minute = 32;
    EXPECT_TRUE(label.Tick());
    EXPECT_EQ(label.Text(), " Sunday December 6, 2026 11:32 am ");
    EXPECT_FALSE(label.Tick());
    label.SetInfo(InfoKind::User);
    EXPECT_FALSE(label.TimerRunning()) << "only the date and time keep a timer";
}

TEST_F(InfoLabelTest, WidthFollowsTheText) {
    label.SetInfo(InfoKind::User);
    const int narrow = label.sizeHint().width();
    user = "a much longer user name than before";
    label.SetInfo(InfoKind::User);
    EXPECT_GT(label.sizeHint().width(), narrow);
}

} // namespace
} // namespace zl
