#include "TableView.h"
#include "TableViewEditing.h"

#include "Button.h"
#include "Label.h"
#include "Style.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace ui {

namespace {

constexpr double kRowHeight = 44;  // where the delegate leaves a row its default
constexpr int kGroupMargin = 6;
constexpr int kDeleteInset = 38;
constexpr int kHandleWidth = 34;
constexpr int kConfirmWidth = 64;
constexpr int kConfirmHeight = 30;
constexpr int kConfirmGap = 6;
constexpr int kDeselectMs = 120;
constexpr int kRowAnimationMs = 300;
const QColor kGroupedBackground(197, 204, 212);

} // namespace

TableView::TableView(const QRect& frame, Style style)
    : ScrollView(frame), style_(style)
{
    setBackgroundColor(style == Style::Grouped ? kGroupedBackground : QColor(Qt::white));
    contentView()->setBackgroundColor(Qt::transparent);
}

TableView::~TableView() = default;

double TableView::rowHeight(const IndexPath& path)
{
    const double h = delegate_ ? delegate_->heightForRowAtIndexPath(this, path) : -1;
    return h >= 0 ? h : kRowHeight;
}

double TableView::headerHeight(int section)
{
    const double h = delegate_ ? delegate_->heightForHeaderInSection(this, section) : -1;
    if (h >= 0)
        return h;
    const bool titled = dataSource_ && !dataSource_->titleForHeaderInSection(this, section).isEmpty();
    if (style_ == Style::Grouped)
        return titled ? 46 : 10;
    return titled ? 22 : 0;
}

double TableView::footerHeight(int section)
{
    const double h = delegate_ ? delegate_->heightForFooterInSection(this, section) : -1;
    if (h >= 0)
        return h;
    return style_ == Style::Grouped ? 10 : 0;
}

int TableView::numberOfRowsInSection(int section) const
{
    return section >= 0 && section < rows_.size() ? rows_[section] : 0;
}

void TableView::reloadData()
{
    dropConfirmation();
    for (Placed& p : placed_) {
        if (p.cell)
            p.cell->removeFromSuperview();
    }
    placed_.clear();
    rows_.clear();
    pressed_.reset();
    selected_.reset();
    if (!dataSource_) {
        layoutRows();
        return;
    }
    const int sections = dataSource_->numberOfSectionsInTableView(this);
    for (int s = 0; s < sections; ++s)
        rows_.append(dataSource_->numberOfRowsInSection(this, s));
    for (int s = 0; s < sections; ++s)
        for (int r = 0; r < rows_[s]; ++r)
            placed_.append({{s, r}, QRect(), nullptr, nullptr, nullptr});
    layoutRows();
}

void TableView::contentOffsetChanged()
{
    placeCells();
}

void TableView::placeCells()
{
    // A screen's height either way is made ahead; beyond three, cells go.
    const int y = qRound(contentOffset().y());
    const QRect near(0, y - height(), width(), 3 * height());
    const QRect far(0, y - 3 * height(), width(), 7 * height());
    int index = 0;
    for (int s = 0; s < rows_.size(); ++s) {
        for (int r = 0; r < rows_[s]; ++r, ++index) {
            Placed& p = placed_[index];
            if (!p.cell && p.frame.intersects(near) && dataSource_) {
                TableViewCell* cell = dataSource_->cellForRowAtIndexPath(this, p.path);
                p.cell = cell ? cell : new TableViewCell;
                addSubview(p.cell);
                if (selected_ && *selected_ == p.path)
                    p.cell->setHighlighted(true);
                placeCell(p, r == 0, r == rows_[s] - 1);
                p.cell->show();
            } else if (p.cell && !p.frame.intersects(far) && !(confirming_ && *confirming_ == p.path)) {
                p.cell->removeFromSuperview();
                p.cell = nullptr;
                p.deleteControl = nullptr;
                p.handle = nullptr;
            }
        }
    }
}

void TableView::placeCell(Placed& p, bool first, bool last)
{
    p.cell->setFrame(p.frame);
    p.cell->setPlacement(first, last, style_ == Style::Grouped);
    placeEditingControls(p);
    p.cell->layoutSubviews();
}

void TableView::resizeEvent(QResizeEvent* event)
{
    ScrollView::resizeEvent(event);
    layoutRows();
}

void TableView::layoutRows()
{
    headers_.clear();
    const int margin = style_ == Style::Grouped ? kGroupMargin : 0;
    const int w = width() - 2 * margin;
    double y = 0;
    int index = 0;
    for (int s = 0; s < rows_.size(); ++s) {
        const double header = headerHeight(s);
        if (dataSource_)
            headers_.append({qRound(y), dataSource_->titleForHeaderInSection(this, s)});
        y += header;
        for (int r = 0; r < rows_[s]; ++r, ++index) {
            const int h = qRound(rowHeight({s, r}));
            Placed& p = placed_[index];
            p.frame = QRect(margin, qRound(y), w, h);
            if (p.cell)
                placeCell(p, r == 0, r == rows_[s] - 1);
            y += h;
        }
        y += footerHeight(s);
    }
    setContentSize(QSize(width(), qRound(y)));
    placeCells();
    update();
}

void TableView::placeEditingControls(Placed& p)
{
    const bool deletes = editing_ && (!delegate_ || delegate_->editingStyleForRowAtIndexPath(this, p.path) == EditingStyle::Delete);
    const bool moves = editing_ && dataSource_ && dataSource_->canMoveRowAtIndexPath(this, p.path);
    if (deletes && !p.deleteControl) {
        auto* control = new DeleteControl;
        control->setProperty(TableViewCell::kPlacedByTable, true);
        control->setAccessibleName(QStringLiteral("حذف ") + p.cell->textLabel()->text());
        const IndexPath path = p.path;
        control->addAction(ControlEvent::TouchUpInside, [this, path] { askForDeletion(path); });
        p.cell->addSubview(control);
        p.deleteControl = control;
    } else if (!deletes && p.deleteControl) {
        p.deleteControl->removeFromSuperview();
    }
    if (moves && !p.handle) {
        auto* handle = new ReorderHandle(this, p.path);
        handle->setProperty(TableViewCell::kPlacedByTable, true);
        handle->setAccessibleName(QStringLiteral("جابه‌جایی ") + p.cell->textLabel()->text());
        p.cell->addSubview(handle);
        p.handle = handle;
    } else if (!moves && p.handle) {
        p.handle->removeFromSuperview();
    }
    // The delete control at the leading side, the handle at the far one.
    const int w = p.cell->width();
    if (p.deleteControl)
        p.deleteControl->setFrame(leading(QRect(4, 0, 30, p.cell->height()), w));
    if (p.handle)
        p.handle->setFrame(leading(QRect(w - kHandleWidth, 0, kHandleWidth, p.cell->height()), w));
    // The delete confirmation takes its room from the text, never covers it.
    const bool confirming = confirming_ && *confirming_ == p.path;
    const int near = deletes ? kDeleteInset - 10 : 0;
    const int far = (moves ? kHandleWidth : 0) + (confirming ? kConfirmWidth + kConfirmGap : 0);
    if (rightToLeft())
        p.cell->setEditingInset(far, near);
    else
        p.cell->setEditingInset(near, far);
}

void TableView::setEditing(bool editing, bool)
{
    if (editing == editing_)
        return;
    editing_ = editing;
    dropConfirmation();
    for (Placed& p : placed_)
        if (p.cell)
            placeEditingControls(p);
}

TableViewCell* TableView::cellForRowAtIndexPath(const IndexPath& path) const
{
    for (const Placed& p : placed_)
        if (p.path == path)
            return p.cell;
    return nullptr;
}

QRect TableView::rectForRowAtIndexPath(const IndexPath& path) const
{
    for (const Placed& p : placed_)
        if (p.path == path)
            return p.cell ? p.cell->frame() : p.frame;
    return QRect();
}

std::optional<IndexPath> TableView::indexPathForRowAtPoint(const QPoint& at) const
{
    for (const Placed& p : placed_)
        if ((p.cell ? p.cell->frame() : p.frame).contains(at))
            return p.path;
    return std::nullopt;
}

Button* TableView::deleteControl(const IndexPath& path) const
{
    for (const Placed& p : placed_)
        if (p.path == path)
            return p.deleteControl;
    return nullptr;
}

Button* TableView::confirmationButton() const
{
    return confirm_.data();
}

View* TableView::reorderControl(const IndexPath& path) const
{
    for (const Placed& p : placed_)
        if (p.path == path)
            return p.handle;
    return nullptr;
}

void TableView::insertRowsAtIndexPaths(const QList<IndexPath>& paths, RowAnimation animation)
{
    reloadData();
    if (animation == RowAnimation::None)
        return;
    for (const IndexPath& path : paths) {
        if (TableViewCell* cell = cellForRowAtIndexPath(path)) {
            cell->setAlpha(0);
            cell->animateAlpha(1, kRowAnimationMs);
        }
    }
}

void TableView::deleteRowsAtIndexPaths(const QList<IndexPath>& paths, RowAnimation animation)
{
    // The rows that go fade out as pictures over the rebuilt table.
    if (animation != RowAnimation::None && animationsEnabled()) {
        for (const IndexPath& path : paths) {
            if (TableViewCell* cell = cellForRowAtIndexPath(path)) {
                auto* ghost = new View(cell->frame());
                ghost->setAttribute(Qt::WA_TransparentForMouseEvents);
                auto* picture = new QLabel(ghost);
                picture->setPixmap(cell->grab());
                picture->resize(cell->size());
                addSubview(ghost);
                ghost->animateAlpha(0, kRowAnimationMs);
                QTimer::singleShot(kRowAnimationMs, ghost, [ghost] { ghost->removeFromSuperview(); });
            }
        }
    }
    reloadData();
}

void TableView::selectRowAtIndexPath(const IndexPath& path)
{
    if (selected_ && !(*selected_ == path))
        if (TableViewCell* old = cellForRowAtIndexPath(*selected_))
            old->setHighlighted(false);
    selected_ = path;
    if (TableViewCell* cell = cellForRowAtIndexPath(path))
        cell->setHighlighted(true);
}

void TableView::deselectRowAtIndexPath(const IndexPath& path, bool animated)
{
    if (selected_ && *selected_ == path)
        selected_.reset();
    QPointer<TableViewCell> cell = cellForRowAtIndexPath(path);
    if (!cell)
        return;
    const int ms = animated ? animationMs(kDeselectMs) : 0;
    if (ms == 0)
        cell->setHighlighted(false);
    else
        QTimer::singleShot(ms, cell, [cell] { cell->setHighlighted(false); });
}

void TableView::contentPressed(const QPoint& at)
{
    if (editing_ || confirm_)
        return;
    pressed_ = indexPathForRowAtPoint(at);
    if (pressed_)
        if (TableViewCell* cell = cellForRowAtIndexPath(*pressed_))
            cell->setHighlighted(true);
}

void TableView::contentPressCancelled()
{
    if (pressed_ && !(selected_ && *selected_ == *pressed_))
        if (TableViewCell* cell = cellForRowAtIndexPath(*pressed_))
            cell->setHighlighted(false);
    pressed_.reset();
}

void TableView::contentTapped(const QPoint& at)
{
    pressed_.reset();
    if (confirm_) {
        // A tap anywhere else withdraws the question.
        dropConfirmation();
        return;
    }
    if (editing_)
        return;
    if (const std::optional<IndexPath> path = indexPathForRowAtPoint(at))
        activateRow(*path);
}

void TableView::activateRow(const IndexPath& path)
{
    if (editing_ || !cellForRowAtIndexPath(path))
        return;
    selectRowAtIndexPath(path);
    if (delegate_)
        delegate_->didSelectRowAtIndexPath(this, path);
}

std::optional<IndexPath> TableView::indexPathForCell(const TableViewCell* cell) const
{
    for (const Placed& p : placed_)
        if (p.cell == cell)
            return p.path;
    return std::nullopt;
}

void TableView::askForDeletion(const IndexPath& path)
{
    const bool same = confirming_ && *confirming_ == path;
    dropConfirmation();
    if (same)
        return;
    TableViewCell* cell = cellForRowAtIndexPath(path);
    if (!cell)
        return;
    confirming_ = path;
    if (Button* control = deleteControl(path))
        control->setSelected(true);
    auto* button = new Button(Button::Type::Custom);
    button->setProperty(TableViewCell::kPlacedByTable, true);
    button->setTitle(QStringLiteral("حذف"));
    button->setTitleColor(Qt::white);
    button->setTitleFont(ui::font(QStringLiteral("Helvetica-Bold"), 15));
    button->setBackgroundColor(deleteRed());
    button->setCornerRadius(5);
    const int handle = reorderControl(path) ? kHandleWidth : 0;
    button->setFrame(leading(QRect(cell->width() - handle - kConfirmWidth - kConfirmGap, (cell->height() - kConfirmHeight) / 2, kConfirmWidth,
                                 kConfirmHeight),
        cell->width()));
    button->addAction(ControlEvent::TouchUpInside, [this, path] {
        dropConfirmation();
        if (dataSource_)
            dataSource_->commitEditingStyle(this, EditingStyle::Delete, path);
    });
    cell->addSubview(button);
    confirm_ = button;
    placeEditingControls(path);
}

void TableView::placeEditingControls(const IndexPath& path)
{
    for (Placed& p : placed_)
        if (p.path == path && p.cell)
            placeEditingControls(p);
}

void TableView::dropConfirmation()
{
    const std::optional<IndexPath> was = confirming_;
    if (was)
        if (Button* control = deleteControl(*was))
            control->setSelected(false);
    confirming_.reset();
    if (confirm_)
        confirm_->removeFromSuperview();
    confirm_ = nullptr;
    if (was)
        placeEditingControls(*was);
}

void TableView::dragRow(const IndexPath& from, int contentY, bool finished)
{
    TableViewCell* cell = cellForRowAtIndexPath(from);
    if (!cell)
        return;
    dropConfirmation();
    if (!finished) {
        cell->move(cell->x(), contentY - cell->height() / 2);
        cell->raise();
        return;
    }
    // The row lands where the finger let go, within its own section: above
    // the first row it becomes the first, below the last the last.
    int target = from.row;
    for (const Placed& p : placed_) {
        if (p.path.section == from.section && p.cell != cell) {
            const QRect r = p.frame;
            if (contentY >= r.top() && contentY < r.bottom())
                target = p.path.row;
        }
    }
    const int rows = numberOfRowsInSection(from.section);
    if (rows > 0 && contentY < rectForRowAtIndexPath({from.section, 0}).top())
        target = 0;
    if (rows > 0 && contentY >= rectForRowAtIndexPath({from.section, rows - 1}).bottom())
        target = rows - 1;
    moveRow(from, {from.section, target});
}

void TableView::moveRow(const IndexPath& from, const IndexPath& to)
{
    const IndexPath target = delegate_ ? delegate_->targetIndexPathForMove(this, from, to) : to;
    // The rows change places as the finger left them, then the data source
    // is told; it may rebuild the table from its own data.
    const auto it = std::find_if(placed_.begin(), placed_.end(), [&](const Placed& p) { return p.path == from; });
    if (it == placed_.end())
        return;
    Placed moving = *it;
    placed_.erase(it);
    int insertAt = target.row;
    for (int s = 0; s < target.section && s < rows_.size(); ++s)
        insertAt += rows_[s];
    insertAt = std::clamp(insertAt, 0, static_cast<int>(placed_.size()));
    placed_.insert(insertAt, moving);
    for (int s = 0, i = 0; s < rows_.size(); ++s)
        for (int r = 0; r < rows_[s] && i < placed_.size(); ++r, ++i)
            placed_[i].path = {s, r};
    layoutRows();
    if (dataSource_)
        dataSource_->moveRowAtIndexPath(this, from, target);
}

void TableView::draw(QPainter& painter)
{
    // A plain table ruled on below its last row, like a sheet of paper.
    if (style_ == Style::Plain) {
        painter.setPen(QPen(QColor(220, 220, 224), 1));
        const int top = contentSize().height() - qRound(contentOffset().y());
        // Lines as far apart as the rows above them.
        const int step = qRound(placed_.isEmpty() ? kRowHeight : rowHeight(placed_.last().path));
        for (int y = top + step; y < height() && step > 0; y += step)
            painter.drawLine(QPointF(0, y - 0.5), QPointF(width(), y - 0.5));
    }
    // Section titles: over a grouped table in its own gray-blue, over a
    // plain one in a band.
    for (int s = 0; s < headers_.size(); ++s) {
        const auto& [y, title] = headers_[s];
        if (title.isEmpty())
            continue;
        const int top = y - qRound(contentOffset().y());
        if (style_ == Style::Grouped) {
            const QRect r(20, top + 14, width() - 40, 26);
            drawText(painter, r.translated(0, 1), title, ui::font(QStringLiteral("Helvetica-Bold"), 17), Qt::white, TextAlignment::Right);
            drawText(painter, r, title, ui::font(QStringLiteral("Helvetica-Bold"), 17), QColor(76, 86, 108), TextAlignment::Right);
        } else {
            const QRect r(0, top, width(), 22);
            painter.fillRect(r, QColor(160, 170, 182));
            drawText(painter, r.adjusted(12, 0, -12, 0), title, ui::font(QStringLiteral("Helvetica-Bold"), 16), Qt::white,
                TextAlignment::Right);
        }
    }
}

} // namespace ui
