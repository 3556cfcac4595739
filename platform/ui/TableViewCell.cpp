#include "TableViewCell.h"

#include "Label.h"
#include "Style.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace ui {

namespace {
constexpr int kMargin = 10;
constexpr int kAccessoryWidth = 20;
constexpr int kAccessoryGap = 6;
const QColor kSelectedBlue(5, 140, 245);
const QColor kSelectedGray(185, 185, 185);
const QColor kDetailBlue(56, 84, 135);
} // namespace

TableViewCell::TableViewCell(Style style, const QString& reuseIdentifier)
    : style_(style), reuse_(reuseIdentifier), text_(new Label)
{
    setBackgroundColor(Qt::white);
    text_->setTextFont(ui::font(QStringLiteral("Helvetica-Bold"), 17));
    text_->setTextColor(Qt::black);
    if (rightToLeft())
        text_->setTextAlignment(TextAlignment::Right);
    addSubview(text_);
    if (style == Style::Value1) {
        detail_ = new Label;
        detail_->setTextFont(ui::font(QStringLiteral("Helvetica"), 17));
        detail_->setTextColor(kDetailBlue);
        detail_->setTextAlignment(rightToLeft() ? TextAlignment::Left : TextAlignment::Right);
        addSubview(detail_);
    }
}

void TableViewCell::setAccessoryType(Accessory accessory)
{
    accessory_ = accessory;
    layoutSubviews();
    update();
}

void TableViewCell::setAccessoryView(View* view)
{
    if (accessoryView_)
        accessoryView_->removeFromSuperview();
    accessoryView_ = view;
    if (view) {
        view->setProperty(kPlacedByTable, true);
        addSubview(view);
    }
    layoutSubviews();
}

void TableViewCell::setHighlighted(bool highlighted)
{
    if (selection_ == SelectionStyle::None)
        highlighted = false;
    if (highlighted == highlighted_)
        return;
    highlighted_ = highlighted;
    // The text turns white on the highlight and back afterwards.
    if (highlighted) {
        textColor_ = text_->textColor();
        text_->setTextColor(Qt::white);
    } else {
        text_->setTextColor(textColor_);
    }
    update();
}

void TableViewCell::setPlacement(bool first, bool last, bool grouped)
{
    first_ = first;
    last_ = last;
    grouped_ = grouped;
    setBackgroundColor(Qt::transparent);
    update();
}

void TableViewCell::setEditingInset(int left, int right)
{
    insetLeft_ = left;
    insetRight_ = right;
    layoutSubviews();
}

void TableViewCell::resizeEvent(QResizeEvent* event)
{
    View::resizeEvent(event);
    layoutSubviews();
}

void TableViewCell::layoutSubviews()
{
    const int own = accessoryView_ ? accessoryView_->width() + kAccessoryGap : 0;
    const int accessory = accessoryView_ ? own : accessory_ == Accessory::None ? 0 : kAccessoryWidth;
    if (accessoryView_) {
        const int w = accessoryView_->width();
        const int h = accessoryView_->height();
        const int x = rightToLeft() ? kMargin + insetLeft_ : width() - kMargin - insetRight_ - w;
        accessoryView_->setFrame(QRect(x, (height() - h) / 2, w, h));
    }
    if (rightToLeft()) {
        // The text at the right, the detail and the accessory at the left;
        // the screen's controls at the mirror of the frames it gave them.
        const int right = width() - kMargin - insetRight_;
        const int left = kMargin + insetLeft_ + accessory;
        const int need = detail_ && !detail_->text().isEmpty() ? QFontMetrics(detail_->textFont()).horizontalAdvance(detail_->text()) + 8 : 0;
        const int detailWidth = std::min(need, (right - left) * 2 / 3);
        text_->setFrame(QRect(left + detailWidth, 0, right - left - detailWidth, height()));
        if (detail_)
            detail_->setFrame(QRect(left, 0, detailWidth, height()));
        mirrorContents();
        return;
    }
    const int right = width() - kMargin - insetRight_ - accessory;
    const int left = kMargin + insetLeft_;
    if (detail_) {
        // The detail takes what it needs at the right, the text the rest.
        const int need = detail_->text().isEmpty() ? 0 : QFontMetrics(detail_->textFont()).horizontalAdvance(detail_->text()) + 8;
        const int detailWidth = std::min(need, (right - left) * 2 / 3);
        text_->setFrame(QRect(left, 0, right - left - detailWidth, height()));
        detail_->setFrame(QRect(right - detailWidth, 0, detailWidth, height()));
    } else {
        text_->setFrame(QRect(left, 0, right - left, height()));
    }
}

void TableViewCell::mirrorContents()
{
    constexpr int kControlInset = 6;
    if (width() <= 0)
        return;
    for (View* child : subviews()) {
        if (child == text_ || child == detail_ || child->property(kPlacedByTable).toBool())
            continue;
        // The frame the screen gave, unless it was placed here (then the
        // frame remembered with it).
        const QRect placed = child->property("ui.mirrored").toRect();
        const QRect given = child->frame() == placed ? child->property("ui.given").toRect() : child->frame();
        QRect mirrored = leading(given, width());
        // A control given a frame past the cell's far edge (a switch of the
        // old phones' width) comes inside its rounded box.
        if (mirrored.left() < kControlInset && mirrored.width() <= width() - 2 * kControlInset)
            mirrored.moveLeft(kControlInset);
        child->setProperty("ui.given", given);
        child->setProperty("ui.mirrored", mirrored);
        child->setFrame(mirrored);
    }
}

void TableViewCell::draw(QPainter& painter)
{
    QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    if (grouped_) {
        // A group is one rounded box; each cell draws its slice of it.
        constexpr double kRadius = 9;
        painter.setClipRect(rect());
        if (!first_)
            r.setTop(r.top() - 2 * kRadius);
        if (!last_)
            r.setBottom(r.bottom() + 2 * kRadius);
        shape.addRoundedRect(r, kRadius, kRadius);
    } else {
        shape.addRect(r);
    }
    QColor fill = Qt::white;
    if (highlighted_)
        fill = selection_ == SelectionStyle::Gray ? kSelectedGray : kSelectedBlue;
    painter.fillPath(shape, fill);
    painter.setPen(QPen(QColor(200, 200, 205), 1));
    if (grouped_) {
        painter.drawPath(shape);
        if (!last_)
            painter.drawLine(QPointF(0, height() - 0.5), QPointF(width(), height() - 0.5));
    } else
        painter.drawLine(QPointF(0, height() - 0.5), QPointF(width(), height() - 0.5));

    const bool rtl = rightToLeft();
    const double cx = rtl ? kMargin + insetLeft_ + 6 : width() - kMargin - insetRight_ - 6;
    const double cy = height() / 2.0;
    if (accessory_ == Accessory::DisclosureIndicator) {
        // It points the way the next screen comes from.
        const double d = rtl ? -1 : 1;
        painter.setPen(QPen(highlighted_ ? Qt::white : QColor(128, 128, 128), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF({QPointF(cx - 4 * d, cy - 6), QPointF(cx + 2 * d, cy), QPointF(cx - 4 * d, cy + 6)}));
    } else if (accessory_ == Accessory::Checkmark) {
        painter.setPen(QPen(highlighted_ ? Qt::white : kDetailBlue, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF({QPointF(cx - 9, cy), QPointF(cx - 4, cy + 6), QPointF(cx + 5, cy - 7)}));
    }
}

} // namespace ui
