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
    label.SetInfo(InfoKind::User);
    EXPECT_EQ(label.Text(), "Username\talice");
    label.SetInsertColon(0);
    EXPECT_EQ(label.Text(), "Username:\talice");
    label.SetInsertTabs(2);
    label.SetInsertColon(2);
    EXPECT_EQ(label.Text(), "Username\t\t:alice");
    label.SetInsertColon(1);
    EXPECT_EQ(label.Text(), "Username\t:\talice");
    label.SetInsertColon(InfoLabel::kNoColon);
    label.SetInsertTabs(0);
    EXPECT_EQ(label.Text(), "Usernamealice") << "no blank without an own caption";
    label.SetCaption("Who");
    EXPECT_EQ(label.Text(), "Username alice") << "a blank once an own caption is set";
    label.SetUseStandardCaption(false);
    EXPECT_EQ(label.Text(), "Who alice");
    label.SetInsertTabs(1);
    EXPECT_EQ(label.Text(), "Who\talice");
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
    label.SetInfo(InfoKind::CurrentDateTime);
    label.SetDateTimeFormat("M/d/yyyy");
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
    label.SetUseStandardCaption(false);
    label.SetInsertTabs(0);
    label.SetDateTimeFormat(" dddd mmmm d, yyyy h:mm am/pm ");
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
