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

#include <algorithm>

namespace ui {

namespace {
constexpr int kBoxWidth = 284;
constexpr int kButtonHeight = 44;
constexpr int kPadding = 16;
constexpr int kButtonGap = 8;
constexpr int kMinButtonHeight = 34;

QList<AlertView*>& alerts()
{
    static QList<AlertView*> list;
    return list;
}
} // namespace

AlertView::AlertView(const QString& title, const QString& message, const QString& button)
    : title_(title), message_(message), buttonTitle_(button), text_(new Label), button_(new Button)
{
    text_->setText(title.isEmpty() ? message : message.isEmpty() ? title : title + QLatin1Char('\n') + message);
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

AlertView::~AlertView()
{
    alerts().removeAll(this);
}

void AlertView::addButton(const QString& title, std::function<void()> action)
{
    auto* b = new Button;
    b->setTitle(title);
    b->setTitleColor(Qt::white);
    b->setTitleFont(ui::font(QStringLiteral("Helvetica"), 17));
    b->setBackgroundColor(QColor(255, 255, 255, 25));
    b->setCornerRadius(6);
    b->addAction(ControlEvent::TouchUpInside, [this, action = std::move(action)] {
        dismiss();
        if (action)
            action();
    });
    addSubview(b);
    others_.append(b);
}

QList<Button*> AlertView::buttons() const
{
    QList<Button*> list = others_;
    list.append(button_);
    return list;
}

int AlertView::buttonHeight() const
{
    // Many buttons on a small screen: lower ones, down to a finger's.
    const int count = static_cast<int>(others_.size()) + 1;
    const int room = height() - 4 * kPadding - 3 * kPadding - (count - 1) * kButtonGap;
    return std::clamp(room / count, kMinButtonHeight, kButtonHeight);
}

QRect AlertView::boxRect() const
{
    const QFontMetrics metrics(text_->textFont());
    const QRect textBounds = metrics.boundingRect(QRect(0, 0, kBoxWidth - 2 * kPadding, 1000), Qt::TextWordWrap, text_->text());
    const int buttons = static_cast<int>(others_.size()) * (buttonHeight() + kButtonGap) + buttonHeight();
    const int h = std::min<int>(textBounds.height(), height() - 2 * kPadding - buttons - 3 * kPadding) + buttons + 3 * kPadding;
    return QRect((width() - kBoxWidth) / 2, (height() - h) / 2, kBoxWidth, h);
}

void AlertView::resizeEvent(QResizeEvent* event)
{
    View::resizeEvent(event);
    const QRect box = boxRect();
    const int bh = buttonHeight();
    const int buttons = static_cast<int>(others_.size()) * (bh + kButtonGap);
    text_->setFrame(QRect(box.x() + kPadding, box.y() + kPadding, box.width() - 2 * kPadding, box.height() - bh - buttons - 3 * kPadding));
    button_->setFrame(QRect(box.x() + 10, box.bottom() - bh - 10, box.width() - 20, bh));
    for (int i = 0; i < others_.size(); ++i)
        others_[i]->setFrame(
            QRect(box.x() + 10, button_->y() - (static_cast<int>(others_.size()) - i) * (bh + kButtonGap), box.width() - 20, bh));
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
    // One alert is seen at a time: the newest, over the app. Those it
    // covers wait unseen, and come back in turn as the ones above go.
    alerts().removeAll(this);
    for (AlertView* below : std::as_const(alerts()))
        below->setVisible(false);
    setParent(window);
    setFrame(window->rect());
    View::show();
    raise();
    alerts().append(this);
}

void AlertView::dismiss()
{
    const bool wasTop = !alerts().isEmpty() && alerts().last() == this;
    alerts().removeAll(this);
    removeFromSuperview();
    if (wasTop && !alerts().isEmpty()) {
        AlertView* next = alerts().last();
        next->setVisible(true);
        next->raise();
    }
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
