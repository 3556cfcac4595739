#include "DatePicker.h"

#include "Label.h"
#include "Style.h"

#include "platform/foundation/Digits.h"

#include <QMouseEvent>
#include <QPainter>

namespace ui {

namespace {

// The digits as a Persian reader writes them.
QString digits(int value)
{
    return foundation::Digits::arabicIndic(QString::asprintf("%02d", value));
}

constexpr int kDragStep = DatePicker::kRowHeight / 2;

} // namespace

DatePicker::DatePicker(const QRect& frame)
    : Control(frame)
{
}

void DatePicker::setTime(const QTime& time)
{
    hour_ = time.hour();
    minute_ = time.minute();
    update();
}

QRect DatePicker::hourWheel() const
{
    return QRect(width() / 2 - 110, 10, 100, height() - 20);
}

QRect DatePicker::minuteWheel() const
{
    return QRect(width() / 2 + 10, 10, 100, height() - 20);
}

void DatePicker::step(bool hours, int by)
{
    if (hours)
        hour_ = ((hour_ + by) % 24 + 24) % 24;
    else
        minute_ = ((minute_ + by) % 60 + 60) % 60;
    update();
    sendActions(ControlEvent::ValueChanged);
}

void DatePicker::mousePressEvent(QMouseEvent* event)
{
    if (!isControlEnabled()) {
        event->ignore();
        return;
    }
    dragging_ = false;
    onHours_ = event->position().x() < width() / 2.0;
    pressY_ = lastY_ = event->position().y();
}

void DatePicker::mouseMoveEvent(QMouseEvent* event)
{
    if (!isControlEnabled())
        return;
    const double y = event->position().y();
    // Dragging up brings the following values into the middle.
    while (lastY_ - y >= kDragStep) {
        dragging_ = true;
        lastY_ -= kDragStep;
        step(onHours_, 1);
    }
    while (y - lastY_ >= kDragStep) {
        dragging_ = true;
        lastY_ += kDragStep;
        step(onHours_, -1);
    }
}

void DatePicker::mouseReleaseEvent(QMouseEvent* event)
{
    if (!isControlEnabled() || dragging_)
        return;
    const double mid = height() / 2.0;
    const double y = event->position().y();
    if (std::abs(y - mid) > kRowHeight / 2.0)
        step(onHours_, y > mid ? 1 : -1);
}

void DatePicker::drawWheel(QPainter& painter, const QRect& wheel, int value, int count)
{
    QLinearGradient fill(wheel.topLeft(), wheel.bottomLeft());
    fill.setColorAt(0, QColor(190, 190, 196));
    fill.setColorAt(0.25, Qt::white);
    fill.setColorAt(0.75, Qt::white);
    fill.setColorAt(1, QColor(190, 190, 196));
    painter.fillRect(wheel, fill);
    const int mid = wheel.center().y();
    for (int i = -2; i <= 2; ++i) {
        const int v = ((value + i) % count + count) % count;
        const QRect row(wheel.left(), mid - kRowHeight / 2 + i * kRowHeight, wheel.width(), kRowHeight);
        const int size = i == 0 ? 24 : 21 - std::abs(i) * 2;
        drawText(painter, row, digits(v), ui::font(QStringLiteral("Helvetica-Bold"), size),
            i == 0 ? QColor(Qt::black) : QColor(90, 90, 96), TextAlignment::Center);
    }
}

void DatePicker::draw(QPainter& painter)
{
    painter.fillRect(rect(), QColor(40, 44, 54));
    painter.setOpacity(isControlEnabled() ? 1.0 : 0.6);
    painter.save();
    painter.setClipRect(hourWheel().united(minuteWheel()));
    drawWheel(painter, hourWheel(), hour_, 24);
    drawWheel(painter, minuteWheel(), minute_, 60);
    painter.restore();
    drawText(painter, QRect(width() / 2 - 10, height() / 2 - 20, 20, 40), QStringLiteral(":"),
        ui::font(QStringLiteral("Helvetica-Bold"), 24), Qt::white, TextAlignment::Center);
    // The band of the chosen values.
    const QRect band(hourWheel().left() - 4, height() / 2 - kRowHeight / 2, minuteWheel().right() - hourWheel().left() + 8, kRowHeight);
    painter.fillRect(band, QColor(80, 120, 220, 50));
    painter.setPen(QPen(QColor(70, 90, 140, 160), 1));
    painter.drawRect(band);
}

bool DatePicker::stepped(int key)
{
    const bool hours = key == Qt::Key_Up || key == Qt::Key_Down;
    step(hours, key == Qt::Key_Down || key == Qt::Key_Right ? 1 : -1);
    return true;
}

} // namespace ui
