#include "app/FileListBox.h"

#include <algorithm>

#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

namespace zl {
namespace {

class FileListBoxTest : public ::testing::Test {
protected:
    FileListBoxTest() {
        list.resize(200, 120);
        list.show();
    }

    // Width of `text` as the list measures it: followed by one "I".
    int Width(const QString& text) const {
        return QFontMetrics(list.font()).horizontalAdvance(text + "I");
    }
    int Column() const { return list.CheckColumnWidth(); }

    // Three entries of clearly different widths, widest first in the
    // list's middle: like 300, 200 and 100 pixels.
    void AddThree() {
        list.Append(middle);
        list.Append(widest);
        list.Append(narrow);
    }

    QRect Entry(int row) const { return list.visualRect(list.model()->index(row, 0)); }
    void ClickAt(int row, int x) {
        const QRect rect = Entry(row);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(rect.left() + x, rect.center().y()));
    }

    FileListBox list;
    const QString widest = "/home/user/projects/zellist/listings/very/long/name/report.txt";
    const QString middle = "/home/user/projects/notes-for-today.txt";
    const QString narrow = "/etc/a.txt";
};

// --- Settings of the control ---

TEST_F(FileListBoxTest, StartsEmptyWithTheDefaults) {
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(list.AutoHorzScroll());
    EXPECT_EQ(list.HorzScrollExtent(), 0);
    EXPECT_EQ(list.MaxItemWidth(), 0);
    EXPECT_EQ(list.CheckColumnWidth(),
              list.style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &list) + 2);
    EXPECT_GT(list.CheckColumnWidth(), 2);
    EXPECT_EQ(list.HorzExtent(), Column());
    EXPECT_EQ(list.selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_FALSE(list.isSortingEnabled());
    EXPECT_EQ(list.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

// Entries are as high as the design's 13 pixels, or as the font's lines
// where they are taller.
TEST_F(FileListBoxTest, EntriesKeepTheirOrderAreUntickedAndThirteenPixelsHigh) {
    list.Append("b.txt");
    list.Append("a.txt");
    list.Insert(1, "c.txt");
    list.Append("a.txt"); // no duplicate check
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Text(0), "b.txt");
    EXPECT_EQ(list.Text(1), "c.txt");
    EXPECT_EQ(list.Text(2), "a.txt");
    EXPECT_EQ(list.Text(3), "a.txt");
    for (int i = 0; i < list.Count(); ++i) {
        EXPECT_FALSE(list.Checked(i));
        const Qt::ItemFlags flags = list.item(i)->flags();
        EXPECT_TRUE(flags & Qt::ItemIsUserCheckable);
        EXPECT_FALSE(flags & (Qt::ItemIsUserTristate | Qt::ItemIsAutoTristate));
        EXPECT_EQ(Entry(i).height(),
                  std::max(FileListBox::kItemHeight, list.fontMetrics().height()));
    }
    EXPECT_EQ(Entry(1).top(), Entry(0).bottom() + 1);
    QFont large = list.font();
    large.setPointSizeF(large.pointSizeF() * 2);
    list.setFont(large);
    list.doItemsLayout();
    EXPECT_GE(Entry(0).height(), list.fontMetrics().height()) << "no entry overlaps the next";

    list.SetChecked(2, true);
    EXPECT_TRUE(list.Checked(2));
    EXPECT_EQ(list.item(2)->checkState(), Qt::Checked);
    list.SetChecked(2, false);
    EXPECT_EQ(list.item(2)->checkState(), Qt::Unchecked) << "two states only";

    list.Delete(0);
    EXPECT_EQ(list.Text(0), "c.txt");
    list.Delete(7); // out of range: nothing
    EXPECT_EQ(list.Count(), 3);
}

TEST_F(FileListBoxTest, OneEntryAtMostIsHighlighted) {
    AddThree();
    EXPECT_EQ(list.ItemIndex(), -1);
    list.SetItemIndex(0);
    list.SetItemIndex(2);
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_EQ(list.selectedItems().size(), 1);
    list.SetItemIndex(-1);
    EXPECT_EQ(list.ItemIndex(), -1);
    EXPECT_TRUE(list.selectedItems().isEmpty());
}

// --- Horizontal extent ---

TEST_F(FileListBoxTest, TheTextsToMeasureDifferClearly) {
    EXPECT_EQ(list.Measure(widest), Width(widest));
    EXPECT_GT(Width(widest), Width(middle) + 50);
    EXPECT_GT(Width(middle), Width(narrow) + 50);
}

TEST_F(FileListBoxTest, TheExtentIsTheWidestEntryPlusTheCheckColumn) {
    AddThree();
    EXPECT_EQ(list.MaxItemWidth(), Width(widest));
    EXPECT_EQ(list.HorzExtent(), Width(widest) + Column());
}

TEST_F(FileListBoxTest, DeletingANarrowerEntryLeavesTheExtent) {
    AddThree();
    list.Delete(0); // the middle one
    EXPECT_EQ(list.HorzExtent(), Width(widest) + Column());
    list.Delete(1); // the narrow one
    EXPECT_EQ(list.HorzExtent(), Width(widest) + Column());
}

TEST_F(FileListBoxTest, DeletingTheWidestEntryFindsTheNextWidest) {
    AddThree();
    list.Delete(1);
    EXPECT_EQ(list.MaxItemWidth(), Width(middle));
    EXPECT_EQ(list.HorzExtent(), Width(middle) + Column());
    list.Delete(0);
    EXPECT_EQ(list.HorzExtent(), Width(narrow) + Column());
    list.Delete(0);
    EXPECT_EQ(list.MaxItemWidth(), 0);
    EXPECT_EQ(list.HorzExtent(), Column());
}

TEST_F(FileListBoxTest, OfTwoEqualWidestEntriesTheOtherStillCounts) {
    list.Append(widest);
    list.Append(narrow);
    list.Append(widest);
    list.Delete(0);
    EXPECT_EQ(list.MaxItemWidth(), Width(widest));
    EXPECT_EQ(list.HorzExtent(), Width(widest) + Column());
    list.Delete(1);
    EXPECT_EQ(list.HorzExtent(), Width(narrow) + Column());
}

TEST_F(FileListBoxTest, InsertingAWiderEntryWidensTheExtent) {
    list.Append(narrow);
    EXPECT_EQ(list.HorzExtent(), Width(narrow) + Column());
    list.Insert(0, widest);
    EXPECT_EQ(list.Text(0), widest);
    EXPECT_EQ(list.HorzExtent(), Width(widest) + Column());
    list.Insert(1, middle);
    EXPECT_EQ(list.HorzExtent(), Width(widest) + Column());
}

TEST_F(FileListBoxTest, ClearingLeavesTheExtraExtentAndTheCheckColumn) {
    AddThree();
    list.SetHorzScrollExtent(25);
    list.Reset();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.MaxItemWidth(), 0);
    EXPECT_EQ(list.HorzExtent(), 25 + Column());
}

TEST_F(FileListBoxTest, WithoutAutoHorzScrollOnlyTheCheckColumnAndTheExtraCount) {
    AddThree();
    list.SetAutoHorzScroll(false);
    EXPECT_FALSE(list.AutoHorzScroll());
    EXPECT_EQ(list.HorzExtent(), Column());
    EXPECT_EQ(list.MaxItemWidth(), Width(widest)) << "still kept up to date";
    list.Append(widest + "/more");
    EXPECT_EQ(list.HorzExtent(), Column());
    list.SetHorzScrollExtent(40);
    EXPECT_EQ(list.HorzExtent(), 40 + Column());

    list.SetAutoHorzScroll(true);
    EXPECT_EQ(list.HorzExtent(), 40 + Width(widest + "/more") + Column());
    list.SetHorzScrollExtent(40);
    list.SetAutoHorzScroll(true);
    EXPECT_EQ(list.HorzExtent(), 40 + Width(widest + "/more") + Column());
}

TEST_F(FileListBoxTest, EntriesChangedPastTheOwnOperationsAreMeasuredToo) {
    list.Append(narrow);
    list.addItem(middle);
    EXPECT_EQ(list.HorzExtent(), Width(middle) + Column());
    EXPECT_EQ(list.item(1)->checkState(), Qt::Unchecked) << "it gets a tick box";
    list.item(0)->setText(widest);
    EXPECT_EQ(list.HorzExtent(), Width(widest) + Column());
    list.item(0)->setText(narrow);
    EXPECT_EQ(list.HorzExtent(), Width(middle) + Column());
    delete list.takeItem(1);
    EXPECT_EQ(list.HorzExtent(), Width(narrow) + Column());
    list.clear();
    EXPECT_EQ(list.HorzExtent(), Column());
}

TEST_F(FileListBoxTest, AFontChangeMeasuresEveryEntryAgain) {
    AddThree();
    QFont big = list.font();
    big.setPixelSize(QFontInfo(big).pixelSize() * 2);
    list.setFont(big);
    const int wide = QFontMetrics(big).horizontalAdvance(widest + "I");
    ASSERT_GT(wide, QFontMetrics(QFont()).horizontalAdvance(widest + "I"));
    EXPECT_EQ(list.MaxItemWidth(), wide);
    EXPECT_EQ(list.HorzExtent(), wide + Column());
    list.Delete(1);
    EXPECT_EQ(list.MaxItemWidth(), QFontMetrics(big).horizontalAdvance(middle + "I"));
}

TEST_F(FileListBoxTest, TheHorizontalScrollBarCoversTheExtent) {
    QScrollBar* bar = list.horizontalScrollBar();
    const int visible = list.viewport()->width();
    ASSERT_GT(visible, 0);
    ASSERT_GT(Width(widest) + Column(), visible) << "wider than the window";
    EXPECT_EQ(bar->maximum(), 0);

    AddThree();
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), Width(widest) + Column() - list.viewport()->width());
    EXPECT_EQ(bar->pageStep(), list.viewport()->width());
    EXPECT_EQ(Entry(0).width(), list.HorzExtent()) << "every entry spans the extent";

    bar->setValue(bar->maximum());
    EXPECT_EQ(Entry(0).left(), -bar->maximum()) << "the entries scroll sideways";
    bar->setValue(0);

    list.Delete(1);
    EXPECT_EQ(bar->maximum(), std::max(0, Width(middle) + Column() - list.viewport()->width()));

    list.SetHorzScrollExtent(500);
    list.Reset();
    EXPECT_EQ(bar->maximum(), 500 + Column() - list.viewport()->width()) << "even when empty";
    list.SetHorzScrollExtent(0);
    EXPECT_EQ(bar->maximum(), 0);

    list.Append(widest);
    list.SetAutoHorzScroll(false);
    EXPECT_EQ(bar->maximum(), 0);
    list.resize(100, 120);
    list.SetAutoHorzScroll(true);
    EXPECT_EQ(bar->maximum(), Width(widest) + Column() - list.viewport()->width())
        << "follows the window's width";
}

// --- Ticking ---

TEST_F(FileListBoxTest, TheTickBoxIsDrawnInTheCheckColumn) {
    for (const char* name : {"zero.txt", "one.txt", "two.txt", "three.txt"})
        list.Append(name);
    list.SetChecked(2, true);
    list.SetChecked(3, true);
    list.doItemsLayout(); // lay out the entries before they are drawn
    const QImage image = list.viewport()->grab().toImage();
    auto column = [&](int row) {
        return image.copy(
            QRect(Entry(row).left(), Entry(row).top(), Column(), Entry(row).height()));
    };
    EXPECT_EQ(column(2), column(3));
    EXPECT_NE(column(1), column(2));
}

TEST_F(FileListBoxTest, AClickInTheCheckColumnTicksAndHighlights) {
    list.Append("first.txt");
    list.Append("second.txt");
    ClickAt(1, 2);
    EXPECT_TRUE(list.Checked(1));
    EXPECT_FALSE(list.Checked(0));
    EXPECT_EQ(list.ItemIndex(), 1);
    ClickAt(1, Column() - 1);
    EXPECT_FALSE(list.Checked(1)) << "the last pixel of the column still ticks";
    ClickAt(0, 0);
    EXPECT_TRUE(list.Checked(0));
    EXPECT_EQ(list.ItemIndex(), 0);
}

TEST_F(FileListBoxTest, AClickRightOfTheCheckColumnOnlyHighlights) {
    list.Append("first.txt");
    list.Append("second.txt");
    ClickAt(1, Column());
    EXPECT_FALSE(list.Checked(1));
    EXPECT_EQ(list.ItemIndex(), 1);
    ClickAt(0, Column() + 30);
    EXPECT_FALSE(list.Checked(0));
    EXPECT_EQ(list.ItemIndex(), 0);
    QTest::mouseClick(list.viewport(), Qt::RightButton, Qt::NoModifier,
                      QPoint(Entry(1).left() + 2, Entry(1).center().y()));
    EXPECT_FALSE(list.Checked(1)) << "only the left button ticks";
}

TEST_F(FileListBoxTest, TheCheckColumnMovesWithTheEntries) {
    list.Append(widest);
    list.horizontalScrollBar()->setValue(40);
    ASSERT_EQ(Entry(0).left(), -40);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(2, Entry(0).center().y()));
    EXPECT_FALSE(list.Checked(0)) << "the tick box is scrolled out of sight";
}

TEST_F(FileListBoxTest, EachClickOfADoubleClickTicks) {
    list.Append("first.txt");
    const QPoint at(Entry(0).left() + 2, Entry(0).center().y());
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    ASSERT_TRUE(list.Checked(0));
    // A window system delivers a double click's second press as a double
    // click event only.
    QMouseEvent second(QEvent::MouseButtonDblClick, at, list.viewport()->mapToGlobal(at),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list.viewport(), &second);
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_FALSE(list.Checked(0));
}

TEST_F(FileListBoxTest, TheSpaceBarTogglesTheHighlightedEntry) {
    list.Append("first.txt");
    list.Append("second.txt");
    QTest::keyClick(&list, Qt::Key_Space);
    EXPECT_FALSE(list.Checked(0));
    EXPECT_FALSE(list.Checked(1)) << "nothing highlighted, nothing ticked";

    list.SetItemIndex(1);
    QTest::keyClick(&list, Qt::Key_Space);
    EXPECT_TRUE(list.Checked(1));
    EXPECT_FALSE(list.Checked(0));
    EXPECT_EQ(list.ItemIndex(), 1);
    QTest::keyClick(&list, Qt::Key_Space);
    EXPECT_FALSE(list.Checked(1)) << "toggled once per press";

    QTest::keyClick(&list, Qt::Key_Up);
    EXPECT_EQ(list.ItemIndex(), 0) << "other keys move the highlight as usual";
    QTest::keyClick(&list, Qt::Key_Space);
    EXPECT_TRUE(list.Checked(0));
}

TEST_F(FileListBoxTest, HighlightAndTickAreIndependent) {
    list.Append("first.txt");
    list.Append("second.txt");
    list.SetChecked(0, true);
    list.SetItemIndex(1);
    EXPECT_TRUE(list.Checked(0));
    EXPECT_FALSE(list.Checked(1));
    list.Delete(list.ItemIndex());
    ASSERT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.Checked(0));
}

} // namespace
} // namespace zl
