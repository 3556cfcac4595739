#include "SearchBar.h"

#include "Button.h"
#include "LineEdit.h"
#include "Style.h"

#include <QPainter>
#include <QResizeEvent>

namespace ui {

namespace {
constexpr int kCancelWidth = 64;
}

SearchBar::SearchBar(const QRect& frame)
    : View(frame), field_(new LineEdit(this)), cancel_(new Button(Button::Type::Custom))
{
    field_->setBaseFont(ui::font(QStringLiteral("Helvetica"), 15));
    field_->setClearButtonEnabled(true);
    field_->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #7a8797; border-radius: 14px; padding: 0 10px;"
                                         " background: white; color: black; }"));
    QObject::connect(field_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (delegate_)
            delegate_->searchBarTextDidChange(this, text);
    });
    QObject::connect(field_, &QLineEdit::returnPressed, this, [this] {
        if (delegate_)
            delegate_->searchBarSearchButtonClicked(this);
    });
    cancel_->setTitle(QStringLiteral("انصراف"));
    cancel_->setTitleColor(Qt::white);
    cancel_->setTitleFont(ui::font(QStringLiteral("Helvetica-Bold"), 13));
    cancel_->setBackgroundColor(QColor(90, 106, 130));
    cancel_->setCornerRadius(5);
    cancel_->addAction(ControlEvent::TouchUpInside, [this] {
        if (delegate_)
            delegate_->searchBarCancelButtonClicked(this);
    });
    addSubview(cancel_);
    field_->show();
}

void SearchBar::resizeEvent(QResizeEvent* event)
{
    View::resizeEvent(event);
    const int cancel = showsCancel_ ? kCancelWidth + 6 : 0;
    field_->setGeometry(leading(QRect(6, 7, width() - 12 - cancel, height() - 14), width()));
    cancel_->setFrame(leading(QRect(width() - kCancelWidth - 6, 7, kCancelWidth, height() - 14), width()));
    cancel_->setVisible(showsCancel_);
}

void SearchBar::setText(const QString& text)
{
    field_->setText(text);
}

QString SearchBar::text() const
{
    return field_->text();
}

void SearchBar::setPlaceholder(const QString& placeholder)
{
    field_->setPlaceholder(placeholder);
}

QString SearchBar::placeholder() const
{
    return field_->placeholder();
}

void SearchBar::setShowsCancelButton(bool shows)
{
    showsCancel_ = shows;
    QResizeEvent relayout(size(), size());
    resizeEvent(&relayout);
}

void SearchBar::setCancelButtonEnabled(bool enabled)
{
    cancel_->setControlEnabled(enabled);
    cancel_->setAlpha(enabled ? 1.0 : 0.5);
}

bool SearchBar::isCancelButtonEnabled() const
{
    return cancel_->isControlEnabled();
}

void SearchBar::becomeFirstResponder()
{
    field_->becomeFirstResponder();
}

void SearchBar::resignFirstResponder()
{
    field_->resignFirstResponder();
    setCancelButtonEnabled(false);
}

bool SearchBar::isFirstResponder() const
{
    return field_->isFirstResponder();
}

void SearchBar::draw(QPainter& painter)
{
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, QColor(160, 172, 186));
    fill.setColorAt(1, QColor(110, 124, 142));
    painter.fillRect(rect(), fill);
    painter.setPen(QColor(70, 80, 96));
    painter.drawLine(0, height() - 1, width(), height() - 1);
}

} // namespace ui
