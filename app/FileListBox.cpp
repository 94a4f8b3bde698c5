#include "app/FileListBox.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>

namespace zl {

namespace {

// Draws an entry as a check list box does: the tick box at the entry's
// left edge, the text after the tick box column, never elided. Every
// entry is as wide as the list's extent and kItemHeight high. Ticking is
// left to the list, so the delegate ignores clicks and keys. On a font
// taller than that, entries are as high as its lines, so none overlap.
class CheckListDelegate : public QStyledItemDelegate {
public:
    explicit CheckListDelegate(FileListBox* list) : QStyledItemDelegate(list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return QSize(list_->HorzExtent(),
                     std::max(FileListBox::kItemHeight, list_->fontMetrics().height()));
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QWidget* widget = opt.widget;
        const QStyle* style = widget ? widget->style() : QApplication::style();
        painter->save();
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);

        if (opt.features & QStyleOptionViewItem::HasCheckIndicator) {
            const int column = list_->CheckColumnWidth() - 2;
            const int size = std::min(column, opt.rect.height());
            QStyleOptionViewItem check = opt;
            check.rect = QRect(opt.rect.left() + (column - size) / 2 + 1,
                               opt.rect.top() + (opt.rect.height() - size) / 2, size, size);
            check.state &= ~QStyle::State_HasFocus;
            check.state |= opt.checkState == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
            style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, widget);
        }

        QPalette::ColorGroup group = QPalette::Normal;
        if (!(opt.state & QStyle::State_Enabled))
            group = QPalette::Disabled;
        else if (!(opt.state & QStyle::State_Active))
            group = QPalette::Inactive;
        const bool selected = opt.state & QStyle::State_Selected;
        painter->setPen(
            opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(opt.font);
        QRect text = opt.rect;
        text.setLeft(opt.rect.left() + list_->CheckColumnWidth());
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, opt.text);

        if (opt.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(opt);
            focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
            focus.backgroundColor =
                opt.palette.color(group, selected ? QPalette::Highlight : QPalette::Window);
            style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
        }
        painter->restore();
    }

    bool editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&,
                     const QModelIndex&) override {
        return false;
    }

private:
    FileListBox* list_;
};

} // namespace

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setItemDelegate(new CheckListDelegate(this));

    const QAbstractItemModel* items = model();
    connect(items, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { RowsInserted(first, last); });
    connect(items, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) { RowsAboutToBeRemoved(first, last); });
    connect(items, &QAbstractItemModel::rowsRemoved, this, [this] { RowsRemoved(); });
    connect(items, &QAbstractItemModel::modelAboutToBeReset, this, [this] { AboutToReset(); });
    connect(items, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                // A changed text may have been, or may now be, the widest.
                if (roles.isEmpty() || roles.contains(Qt::DisplayRole))
                    RecalcMaxItemWidth();
            });
    UpdateHorzExtent();
}

FileListBox::~FileListBox() {
    // The entries go with the base class, after this part is gone.
    model()->disconnect(this);
}

// The widest entry's width is kept current whether it counts or not, and an
// extent that stays the same is not applied again.
void FileListBox::SetAutoHorzScroll(bool value) {
    autoHorzScroll_ = value;
    UpdateHorzExtent();
}

void FileListBox::SetHorzScrollExtent(int value) {
    horzScrollExtent_ = value;
    UpdateHorzExtent();
}

int FileListBox::CheckColumnWidth() const {
    return style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this) + 2;
}

int FileListBox::Measure(const QString& text) const {
    return QFontMetrics(font()).horizontalAdvance(text + QLatin1Char('I'));
}

void FileListBox::UpdateHorzExtent() {
    ApplyHorzExtent(horzScrollExtent_ + (autoHorzScroll_ ? maxItemWidth_ : 0) + CheckColumnWidth());
}

void FileListBox::RecalcMaxItemWidth() {
    maxItemWidth_ = 0;
    for (int i = 0; i < count(); ++i)
        maxItemWidth_ = std::max(maxItemWidth_, Measure(Text(i)));
    UpdateHorzExtent();
}

void FileListBox::ApplyHorzExtent(int extent) {
    if (extent == horzExtent_)
        return;
    horzExtent_ = extent;
    // Every entry is as wide as the extent: lay them out again, and set the
    // scroll range now rather than after the delayed layout.
    scheduleDelayedItemsLayout();
    updateGeometries();
}

void FileListBox::updateGeometries() {
    QListWidget::updateGeometries();
    // The list scrolls sideways over the extent, with or without entries.
    QScrollBar* bar = horizontalScrollBar();
    const int visible = viewport()->width();
    bar->setRange(0, std::max(0, horzExtent_ - visible));
    bar->setPageStep(std::max(1, visible));
}

void FileListBox::Append(const QString& text) {
    Insert(count(), text);
}

void FileListBox::Insert(int index, const QString& text) {
    auto* item = new QListWidgetItem(text);
    item->setFlags((item->flags() | Qt::ItemIsUserCheckable) &
                   ~(Qt::ItemIsUserTristate | Qt::ItemIsAutoTristate | Qt::ItemIsEditable));
    item->setCheckState(Qt::Unchecked);
    insertItem(std::clamp(index, 0, count()), item);
}

void FileListBox::Delete(int index) {
    if (index >= 0 && index < count())
        delete takeItem(index);
}

void FileListBox::Reset() {
    clear();
}

QString FileListBox::Text(int index) const {
    const QListWidgetItem* entry = item(index);
    return entry ? entry->text() : QString();
}

bool FileListBox::Checked(int index) const {
    const QListWidgetItem* entry = item(index);
    return entry && entry->checkState() == Qt::Checked;
}

void FileListBox::SetChecked(int index, bool checked) {
    if (QListWidgetItem* entry = item(index))
        entry->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

int FileListBox::ItemIndex() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void FileListBox::SetItemIndex(int index) {
    if (index >= 0 && index < count()) {
        setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    } else {
        clearSelection();
        setCurrentRow(-1, QItemSelectionModel::NoUpdate);
    }
}

void FileListBox::RowsInserted(int first, int last) {
    int widest = maxItemWidth_;
    for (int i = first; i <= last; ++i) {
        QListWidgetItem* entry = item(i);
        // Entries added past Append and Insert get a tick box as well.
        if (!entry->data(Qt::CheckStateRole).isValid())
            entry->setCheckState(Qt::Unchecked);
        widest = std::max(widest, Measure(entry->text()));
    }
    if (widest > maxItemWidth_) {
        maxItemWidth_ = widest;
        UpdateHorzExtent();
    }
}

void FileListBox::RowsAboutToBeRemoved(int first, int last) {
    for (int i = first; i <= last; ++i) {
        if (Measure(Text(i)) >= maxItemWidth_)
            recalcAfterRemoval_ = true;
    }
}

void FileListBox::RowsRemoved() {
    if (!recalcAfterRemoval_)
        return;
    recalcAfterRemoval_ = false;
    RecalcMaxItemWidth();
}

void FileListBox::AboutToReset() {
    maxItemWidth_ = 0;
    UpdateHorzExtent();
}

void FileListBox::changeEvent(QEvent* event) {
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        RecalcMaxItemWidth();
    else if (event->type() == QEvent::StyleChange)
        UpdateHorzExtent(); // the tick box may have another width now
}

void FileListBox::ToggleClickCheck(int index) {
    QListWidgetItem* entry = item(index);
    if (!entry || !(entry->flags() & Qt::ItemIsEnabled) ||
        !(entry->flags() & Qt::ItemIsUserCheckable))
        return;
    entry->setCheckState(entry->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void FileListBox::ClickCheck(const QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (index.isValid() && pos.x() - visualRect(index).left() < CheckColumnWidth())
        ToggleClickCheck(index.row());
}

void FileListBox::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event); // highlights the entry
    ClickCheck(event);
}

void FileListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second click of a double click ticks like any other click.
    QListWidget::mouseDoubleClickEvent(event);
    ClickCheck(event);
}

void FileListBox::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers others =
        event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (event->key() == Qt::Key_Space && others == Qt::NoModifier) {
        ToggleClickCheck(ItemIndex());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace zl
