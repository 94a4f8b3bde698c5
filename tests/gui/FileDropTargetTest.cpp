#include "app/FileDropTarget.h"

#include "app/FileListBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace zl {
namespace {

struct Delivery {
    FileDropTarget* sender;
    int fcount, x, y;
    QStringList files;
};

class FileDropTargetTest : public ::testing::Test {
protected:
    FileDropTargetTest() {
        drop.onFilesDropped = [this](FileDropTarget* sender, int fcount, int x, int y,
                                     const QStringList& files) {
            deliveries.push_back({sender, fcount, x, y, files});
        };
        drop.SetControl(&list);
    }

    static std::unique_ptr<QMimeData> Files(const QStringList& paths) {
        auto data = std::make_unique<QMimeData>();
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        data->setUrls(urls);
        return data;
    }

    // Drags `data` onto `widget` and, when that was accepted, drops it
    // there; answers whether the drag was accepted.
    static bool DragAndDrop(QWidget* widget, const QMimeData& data, QPoint at = QPoint(7, 9),
                            Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction) {
        QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &enter);
        if (!enter.isAccepted())
            return false;
        // The files are copied, or linked when they cannot be; never moved.
        const Qt::DropAction taken = actions & Qt::CopyAction ? Qt::CopyAction : Qt::LinkAction;
        EXPECT_EQ(enter.dropAction(), taken);
        QDragMoveEvent move(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &move);
        EXPECT_TRUE(move.isAccepted());
        QDropEvent dropped(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &dropped);
        EXPECT_TRUE(dropped.isAccepted());
        EXPECT_EQ(dropped.dropAction(), taken);
        return true;
    }

    FileListBox list;
    FileDropTarget drop;
    std::vector<Delivery> deliveries;
};

// --- Delivery ---

TEST_F(FileDropTargetTest, StartsEnabledWithNamesUnchanged) {
    FileDropTarget fresh;
    EXPECT_EQ(fresh.Control(), nullptr);
    EXPECT_TRUE(fresh.Enabled());
    EXPECT_EQ(fresh.GetCharCase(), FileDropTarget::ccNormal);
    EXPECT_EQ(drop.Control(), &list);
    EXPECT_TRUE(list.viewport()->acceptDrops()) << "the list's viewport takes the drops";
}

TEST_F(FileDropTargetTest, TwoFilesAndAFolderArriveInTheirOrder) {
    const QStringList paths = {"/data/Report 2024.txt", "/data/notes.TXT", "/data/sources"};
    ASSERT_TRUE(DragAndDrop(list.viewport(), *Files(paths), QPoint(12, 34)));
    ASSERT_EQ(deliveries.size(), 1u);
    const Delivery& d = deliveries.front();
    EXPECT_EQ(d.sender, &drop);
    EXPECT_EQ(d.fcount, 3);
    EXPECT_EQ(d.x, 12);
    EXPECT_EQ(d.y, 34);
    EXPECT_EQ(d.files, paths);
    EXPECT_EQ(list.Count(), 0) << "adding the names is the handler's business";
}

TEST_F(FileDropTargetTest, NamesOf255BytesOrMoreAreLeftOutButCounted) {
    const QString tooLong = "/" + QString(259, 'n');
    ASSERT_TRUE(DragAndDrop(list.viewport(), *Files({tooLong})));
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].fcount, 1);
    EXPECT_TRUE(deliveries[0].files.isEmpty());

    const QString longest = "/" + QString(253, 'k');      // 254 bytes
    const QString limit = "/" + QString(254, 'l');        // 255 bytes
    const QString wide = "/" + QString(127, QChar(0xE4)); // 128 characters, 255 bytes
    ASSERT_TRUE(DragAndDrop(list.viewport(), *Files({limit, longest, wide, "/a.txt"})));
    ASSERT_EQ(deliveries.size(), 2u);
    EXPECT_EQ(deliveries[1].fcount, 4);
    EXPECT_EQ(deliveries[1].files, (QStringList{longest, "/a.txt"}));
}

TEST_F(FileDropTargetTest, NamesAreConvertedToTheChosenCase) {
    const QStringList paths = {"/Data/ReadMe.Txt", "/Data/SRC"};
    drop.SetCharCase(FileDropTarget::ccLowerCase);
    ASSERT_TRUE(DragAndDrop(list.viewport(), *Files(paths)));
    drop.SetCharCase(FileDropTarget::ccUpperCase);
    ASSERT_TRUE(DragAndDrop(list.viewport(), *Files(paths)));
    drop.SetCharCase(FileDropTarget::ccNormal);
    ASSERT_TRUE(DragAndDrop(list.viewport(), *Files(paths)));
    ASSERT_EQ(deliveries.size(), 3u);
    EXPECT_EQ(deliveries[0].files, (QStringList{"/data/readme.txt", "/data/src"}));
    EXPECT_EQ(deliveries[1].files, (QStringList{"/DATA/README.TXT", "/DATA/SRC"}));
    EXPECT_EQ(deliveries[2].files, paths);
}

TEST_F(FileDropTargetTest, OtherAddressesAreCountedButNotDelivered) {
    QMimeData data;
    data.setUrls({QUrl("https://example.com/a.txt"), QUrl::fromLocalFile("/data/b.txt")});
    ASSERT_TRUE(DragAndDrop(list.viewport(), data));
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].fcount, 2);
    EXPECT_EQ(deliveries[0].files, QStringList{"/data/b.txt"});
}

// Names given to the program: relative ones from the current folder,
// addresses as addresses, long ones left out as in a drop, missing files
// and folders delivered for the print run to report.
TEST_F(FileDropTargetTest, GivenNamesArriveAsADropAtTheCorner) {
    const QString here = QDir::currentPath();
    drop.DeliverGivenNames({"notes.txt", "file:///data/b.txt", "/" + QString(254, 'l'), "/no/dir"});
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].fcount, 4);
    EXPECT_EQ(deliveries[0].x, 0);
    EXPECT_EQ(deliveries[0].files, (QStringList{here + "/notes.txt", "/data/b.txt", "/no/dir"}));
    drop.SetEnabled(false);
    drop.DeliverGivenNames({"/data/c.txt"});
    EXPECT_EQ(deliveries.size(), 1u) << "a disabled target takes none";
}

TEST_F(FileDropTargetTest, WithoutLocalFilesTheDropIsNotAccepted) {
    QMimeData web;
    web.setUrls({QUrl("https://example.com/a.txt")});
    EXPECT_FALSE(DragAndDrop(list.viewport(), web));
    QMimeData text;
    text.setText("/data/a.txt");
    EXPECT_FALSE(DragAndDrop(list.viewport(), text));

    QDropEvent dropped(QPointF(3, 3), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list.viewport(), &dropped);
    EXPECT_FALSE(dropped.isAccepted());
    EXPECT_TRUE(deliveries.empty());
}

TEST_F(FileDropTargetTest, AMoveOnlyDragIsRefused) {
    EXPECT_FALSE(
        DragAndDrop(list.viewport(), *Files({"/data/a.txt"}), QPoint(1, 1), Qt::MoveAction));
    EXPECT_TRUE(
        DragAndDrop(list.viewport(), *Files({"/data/a.txt"}), QPoint(1, 1), Qt::LinkAction));
    EXPECT_EQ(deliveries.size(), 1u);
}

TEST_F(FileDropTargetTest, WithoutAHandlerTheDropIsStillTaken) {
    drop.onFilesDropped = nullptr;
    EXPECT_TRUE(DragAndDrop(list.viewport(), *Files({"/data/a.txt"})));
}

// --- Attaching ---

TEST_F(FileDropTargetTest, ADisabledTargetIgnoresDrops) {
    drop.SetEnabled(false);
    EXPECT_FALSE(drop.Enabled());
    EXPECT_FALSE(list.viewport()->acceptDrops());
    EXPECT_FALSE(DragAndDrop(list.viewport(), *Files({"/data/a.txt"})));
    EXPECT_TRUE(deliveries.empty());
    EXPECT_EQ(drop.Control(), &list);

    drop.SetEnabled(true);
    EXPECT_TRUE(list.viewport()->acceptDrops());
    EXPECT_TRUE(DragAndDrop(list.viewport(), *Files({"/data/a.txt"})));
    EXPECT_EQ(deliveries.size(), 1u);
}

TEST_F(FileDropTargetTest, ChangingTheControlDetachesTheOldOne) {
    FileListBox other;
    drop.SetControl(&other);
    EXPECT_EQ(drop.Control(), &other);
    EXPECT_FALSE(list.viewport()->acceptDrops());
    EXPECT_FALSE(DragAndDrop(list.viewport(), *Files({"/data/a.txt"})));
    EXPECT_TRUE(DragAndDrop(other.viewport(), *Files({"/data/b.txt"})));
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].files, QStringList{"/data/b.txt"});

    drop.SetControl(nullptr);
    EXPECT_FALSE(other.viewport()->acceptDrops());
    EXPECT_FALSE(DragAndDrop(other.viewport(), *Files({"/data/b.txt"})));
}

TEST_F(FileDropTargetTest, APlainWidgetTakesTheDropsItselfAndKeepsItsOwnSetting) {
    QWidget plain;
    plain.setAcceptDrops(true);
    drop.SetControl(&plain);
    EXPECT_TRUE(DragAndDrop(&plain, *Files({"/data/a.txt"}), QPoint(4, 5)));
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].x, 4);
    drop.SetEnabled(false);
    EXPECT_TRUE(plain.acceptDrops()) << "as it was before";
}

TEST_F(FileDropTargetTest, DestroyingTheControlClearsIt) {
    auto doomed = std::make_unique<FileListBox>();
    drop.SetControl(doomed.get());
    doomed.reset();
    EXPECT_EQ(drop.Control(), nullptr);
    drop.SetEnabled(false);
    drop.SetEnabled(true);
    drop.SetControl(&list);
    EXPECT_TRUE(DragAndDrop(list.viewport(), *Files({"/data/a.txt"})));

    auto plain = std::make_unique<QWidget>();
    drop.SetControl(plain.get());
    plain.reset();
    EXPECT_EQ(drop.Control(), nullptr);
}

TEST_F(FileDropTargetTest, DestroyingTheTargetDetachesIt) {
    FileListBox other;
    {
        FileDropTarget local;
        local.SetControl(&other);
        EXPECT_TRUE(other.viewport()->acceptDrops());
    }
    EXPECT_FALSE(other.viewport()->acceptDrops());
    EXPECT_FALSE(DragAndDrop(other.viewport(), *Files({"/data/a.txt"})));
}

} // namespace
} // namespace zl
