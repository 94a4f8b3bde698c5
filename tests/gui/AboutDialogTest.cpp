#include "app/AboutDialog.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <gtest/gtest.h>

#include <vector>

namespace zl {
namespace {

class AboutDialogTest : public ::testing::Test {
protected:
    AboutDialogTest() {
        about.captionTitle = "Build 0.9.2.9: Monday, March 3, 2003 at 4:05 pm";
        about.appName = "ZelList GUI";
        about.version = "0.9.2.9";
        about.description = "Sort of the same, but not quite";
        about.copyright = "Copyright (C) us";
        about.email = "zl@example.org";
        about.homePage = "https://example.org/zl";
        about.openLink = [this](const QUrl& url) {
            opened.push_back(url.toString().toStdString());
            return openWorks;
        };
        about.onCustomClick = [this](QWidget* box) { customFrom = box; };
    }

    static QString TextOf(QDialog& box, const char* name) {
        QLabel* label = box.findChild<QLabel*>(name);
        return label ? label->text() : QString("(missing)");
    }

    AboutDialog about;
    std::vector<std::string> opened;
    bool openWorks = true;
    QWidget* customFrom = nullptr;
};

TEST_F(AboutDialogTest, ShowsItsTextsUnderTheBuildStamp) {
    auto box = about.Build(nullptr);
    EXPECT_EQ(box->windowTitle(), about.captionTitle);
    EXPECT_TRUE(box->isModal());
    EXPECT_EQ(TextOf(*box, "appName"), "ZelList GUI");
    EXPECT_TRUE(box->findChild<QLabel*>("appName")->font().bold());
    EXPECT_EQ(TextOf(*box, "version"), "0.9.2.9");
    EXPECT_EQ(TextOf(*box, "description"), "Sort of the same, but not quite");
    EXPECT_EQ(TextOf(*box, "copyright"), "Copyright (C) us");
    EXPECT_TRUE(TextOf(*box, "homePage").contains("https://example.org/zl"));
    EXPECT_TRUE(TextOf(*box, "email").contains("mailto:zl@example.org"));
    EXPECT_TRUE(TextOf(*box, "memory").startsWith("Available memory: "));
    EXPECT_TRUE(TextOf(*box, "processor").startsWith("Processor: "));
    QPushButton* ok = box->findChild<QPushButton*>("okButton");
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    QPushButton* more = box->findChild<QPushButton*>("customButton");
    ASSERT_NE(more, nullptr);
    EXPECT_EQ(more->text(), "More Help");
    more->click();
    EXPECT_EQ(customFrom, box.get());
    ok->click();
    EXPECT_EQ(box->result(), QDialog::Accepted);
}

TEST_F(AboutDialogTest, EmptyLinksAreLeftOut) {
    about.email.clear();
    auto box = about.Build(nullptr);
    EXPECT_EQ(box->findChild<QLabel*>("email"), nullptr);
    EXPECT_NE(box->findChild<QLabel*>("homePage"), nullptr);
    about.homePage.clear();
    EXPECT_EQ(about.Build(nullptr)->findChild<QLabel*>("homePage"), nullptr);
}

TEST_F(AboutDialogTest, LinksOpenAndOneThatCannotTurnsInert) {
    auto box = about.Build(nullptr);
    QLabel* mail = box->findChild<QLabel*>("email");
    emit mail->linkActivated("mailto:zl@example.org");
    EXPECT_EQ(opened, (std::vector<std::string>{"mailto:zl@example.org"}));
    EXPECT_TRUE(mail->isEnabled());
    openWorks = false;
    QLabel* jump = box->findChild<QLabel*>("homePage");
    emit jump->linkActivated("https://example.org/zl");
    EXPECT_FALSE(jump->isEnabled());
    EXPECT_EQ(jump->text(), "https://example.org/zl");
}

// The help text is five paragraphs, its lines broken with CR LF only, as
// the message box shows them.
TEST(AboutHelpText, FiveParagraphsBrokenWithCrLf) {
    const std::string text = kAboutHelpText;
    std::size_t paragraphs = 1;
    for (std::size_t at = text.find("\r\n\r\n"); at != std::string::npos;
         at = text.find("\r\n\r\n", at + 4))
        ++paragraphs;
    EXPECT_EQ(paragraphs, 5u);
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        EXPECT_EQ(text[at - 1], '\r') << "at " << at;
}

} // namespace
} // namespace zl
