#include "AlertView.h"

#include "Application.h"
#include "Button.h"
#include "Label.h"
#include "Style.h"
#include "Window.h"

#include "platform/foundation/Log.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace ui {

namespace {
constexpr int kBoxWidth = 284;
constexpr int kButtonHeight = 44;
constexpr int kPadding = 16;

QList<AlertView*>& alerts()
{
    static QList<AlertView*> list;
    return list;
}
} // namespace

AlertView::AlertView(const QString& title, const QString& message, const QString& button)
    : title_(title), message_(message), buttonTitle_(button), text_(new Label), button_(new Button)
{
    text_->setText(title.isEmpty() ? message : title + QLatin1Char('\n') + message);
    text_->setNumberOfLines(0);
    text_->setTextAlignment(TextAlignment::Center);
    text_->setTextColor(Qt::white);
    text_->setTextFont(ui::font(QStringLiteral("Helvetica"), 16));
    addSubview(text_);
    button_->setTitle(button);
    button_->setTitleColor(Qt::white);
    button_->setTitleFont(ui::font(QStringLiteral("Helvetica-Bold"), 17));
    button_->setBackgroundColor(QColor(255, 255, 255, 40));
    button_->setCornerRadius(6);
    button_->addAction(ControlEvent::TouchUpInside, [this] { dismiss(); });
    addSubview(button_);
}

QRect AlertView::boxRect() const
{
    const QFontMetrics metrics(text_->textFont());
    const QRect textBounds = metrics.boundingRect(QRect(0, 0, kBoxWidth - 2 * kPadding, 1000), Qt::TextWordWrap, text_->text());
    const int h = textBounds.height() + kButtonHeight + 3 * kPadding;
    return QRect((width() - kBoxWidth) / 2, (height() - h) / 2, kBoxWidth, h);
}

void AlertView::resizeEvent(QResizeEvent* event)
{
    View::resizeEvent(event);
    const QRect box = boxRect();
    text_->setFrame(QRect(box.x() + kPadding, box.y() + kPadding, box.width() - 2 * kPadding,
        box.height() - kButtonHeight - 3 * kPadding));
    button_->setFrame(QRect(box.x() + 10, box.bottom() - kButtonHeight - 10, box.width() - 20, kButtonHeight));
}

void AlertView::present()
{
    Window* window = Application::shared()->keyWindow();
    if (!window) {
        // Nowhere to show it: said in the log, and gone.
        foundation::Log::write(QStringLiteral("alert without a window: ") + QString(message_).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        deleteLater();
        return;
    }
    setParent(window);
    setFrame(window->rect());
    View::show();
    raise();
    alerts().append(this);
}

void AlertView::dismiss()
{
    alerts().removeAll(this);
    removeFromSuperview();
}

QList<AlertView*> AlertView::visibleAlerts()
{
    return alerts();
}

void AlertView::draw(QPainter& painter)
{
    painter.fillRect(rect(), QColor(0, 0, 0, 110));
    QPainterPath box;
    box.addRoundedRect(QRectF(boxRect()), 10, 10);
    QLinearGradient fill(boxRect().topLeft(), boxRect().bottomLeft());
    fill.setColorAt(0, QColor(40, 60, 110, 240));
    fill.setColorAt(1, QColor(10, 25, 60, 240));
    painter.fillPath(box, fill);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
    painter.drawPath(box);
}

} // namespace ui
