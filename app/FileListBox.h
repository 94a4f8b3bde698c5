// The file list: a list of path names, each with a two-state tick box in
// front, whose horizontal scroll range follows the widest entry.
//
// Every add, insert, delete, text change and reset of the underlying list
// is watched, whoever causes it, so the width bookkeeping always holds:
//   extent = HorzScrollExtent + (MaxItemWidth if AutoHorzScroll) + CheckColumnWidth
// and the horizontal scroll bar lets the list scroll over exactly that width.
#pragma once

#include <QListWidget>
#include <QString>

namespace zl {

class FileListBox : public QListWidget {
    Q_OBJECT

public:
    static constexpr int kItemHeight = 13;

    explicit FileListBox(QWidget* parent = nullptr);
    ~FileListBox() override;

    // Whether the widest entry's width counts in the extent (default true).
    bool AutoHorzScroll() const { return autoHorzScroll_; }
    void SetAutoHorzScroll(bool value);
    // Extra width in pixels always added to the extent (default 0).
    int HorzScrollExtent() const { return horzScrollExtent_; }
    void SetHorzScrollExtent(int value);

    // Measured width of the widest entry; 0 for an empty list.
    int MaxItemWidth() const { return maxItemWidth_; }
    // Width of the tick box column in front of each entry's text.
    int CheckColumnWidth() const;
    // The current horizontal extent, as last applied.
    int HorzExtent() const { return horzExtent_; }
    // Width of `text` followed by a capital "I" in the list's font.
    int Measure(const QString& text) const;
    void UpdateHorzExtent();
    void RecalcMaxItemWidth();

    int Count() const { return count(); }
    // Adds an unticked entry at the end / in front of entry `index`.
    void Append(const QString& text);
    void Insert(int index, const QString& text);
    void Delete(int index);
    // Removes every entry.
    void Reset();
    QString Text(int index) const;
    bool Checked(int index) const;
    void SetChecked(int index, bool checked);
    // The highlighted entry, or -1; setting -1 removes the highlight.
    int ItemIndex() const;
    void SetItemIndex(int index);

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void updateGeometries() override;

private:
    void ApplyHorzExtent(int extent);
    void ClickCheck(const QMouseEvent* event);
    void ToggleClickCheck(int index);
    void RowsInserted(int first, int last);
    void RowsAboutToBeRemoved(int first, int last);
    void RowsRemoved();
    void AboutToReset();

    bool autoHorzScroll_ = true;
    int horzScrollExtent_ = 0;
    int maxItemWidth_ = 0;
    int horzExtent_ = 0;
    bool recalcAfterRemoval_ = false;
};

} // namespace zl
