#include "app/TLMDInfoLabel.h"

#include <gtest/gtest.h>

namespace zl {
namespace {

// A clock the test moves by hand.
class HandClock : public Clock {
public:
    LocalTime now{2026, 12, 6, 0, 11, 31, 0};
    LocalTime Now() const override { return now; }
};

class TLMDInfoLabelTest : public ::testing::Test {
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
    TLMDInfoLabel label{Source()};
};

TEST_F(TLMDInfoLabelTest, CaptionColonTabsAndValue) {
    label.SetInfo(TLMDInfoType::itUser);
    EXPECT_EQ(label.Text(), "Username\talice");
    label.SetInsertColon(0);
    EXPECT_EQ(label.Text(), "Username:\talice");
    label.SetInsertTabs(2);
    label.SetInsertColon(2);
    EXPECT_EQ(label.Text(), "Username\t\t:alice");
    label.SetInsertColon(1);
    EXPECT_EQ(label.Text(), "Username\t:\talice");
    label.SetInsertColon(TLMDInfoLabel::kNoColon);
    label.SetInsertTabs(0);
    EXPECT_EQ(label.Text(), "Usernamealice") << "no blank without an own caption";
    label.SetCaption("Who");
    EXPECT_EQ(label.Text(), "Username alice") << "a blank once an own caption is set";
    label.SetUseStandardCaption(false);
    EXPECT_EQ(label.Text(), "Who alice");
    label.SetInsertTabs(1);
    EXPECT_EQ(label.Text(), "Who\talice");
}

TEST_F(TLMDInfoLabelTest, ValuesAreComputedWhenAsked) {
    label.SetInfo(TLMDInfoType::itUser);
    user = "bob";
    EXPECT_EQ(label.Value(), "bob");
    user.clear();
    EXPECT_EQ(label.Value(), "(Unknown)");
    label.SetInfo(TLMDInfoType::itCurrentDir32);
    EXPECT_EQ(label.Text(), "Current directory\t/home/q/src");
    label.SetInfo(TLMDInfoType::itComputerName32);
    EXPECT_EQ(label.Text(), "Computername\tquendle");
    label.SetInfo(TLMDInfoType::itPlatform32);
    EXPECT_EQ(label.Text(), "Platform\tLinux 6.1.0");
    label.SetInfo(TLMDInfoType::itCurrentDateTime);
    label.SetDateTimeFormat("M/d/yyyy");
    EXPECT_EQ(label.Text(), "Date and time\t12/6/2026");
}

TEST_F(TLMDInfoLabelTest, SixClicksComeBackToTheUser) {
    using T = TLMDInfoType;
    T kind = T::itUser;
    const T expected[] = {T::itWinDir,     T::itCurrentDir32, T::itComputerName32,
                          T::itPlatform32, T::itProgComments, T::itUser};
    for (T next : expected) {
        kind = NextInfoKind(kind);
        EXPECT_EQ(kind, next);
    }
    EXPECT_EQ(NextInfoKind(T::itMemSize), T::itComputerName32);
    EXPECT_EQ(NextInfoKind(T::itBuildNr32), T::itPlatform32);
    EXPECT_EQ(NextInfoKind(T::itCurrentDateTime), T::itProgComments);
    EXPECT_EQ(NextInfoKind(T::itCPUSpeed), T::itCPUSpeed);
}

TEST_F(TLMDInfoLabelTest, TheClockRedrawsOnlyWhenTheTextChanges) {
    label.SetUseStandardCaption(false);
    label.SetInsertTabs(0);
    label.SetDateTimeFormat(" dddd mmmm d, yyyy h:mm am/pm ");
    label.SetInfo(TLMDInfoType::itCurrentDateTime);
    EXPECT_TRUE(label.TimerRunning());
    EXPECT_EQ(label.Text(), " Sunday December 6, 2026 11:31 am ");
    clock.now.second = 59;
    EXPECT_FALSE(label.Tick()) << "the same minute: nothing to redraw";
    clock.now.minute = 32;
    EXPECT_TRUE(label.Tick());
    EXPECT_EQ(label.Text(), " Sunday December 6, 2026 11:32 am ");
    EXPECT_FALSE(label.Tick());
    label.SetInfo(TLMDInfoType::itUser);
    EXPECT_FALSE(label.TimerRunning()) << "only the date and time keep a timer";
}

TEST_F(TLMDInfoLabelTest, WidthFollowsTheText) {
    label.SetInfo(TLMDInfoType::itUser);
    const int narrow = label.sizeHint().width();
    user = "a much longer user name than before";
    label.SetInfo(TLMDInfoType::itUser);
    EXPECT_GT(label.sizeHint().width(), narrow);
}

} // namespace
} // namespace zl
