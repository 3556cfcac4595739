#include "SearchBar.h"

#include "Button.h"
#include "Style.h"

#include <QLineEdit>
#include <QPainter>
#include <QResizeEvent>

namespace ui {

namespace {
constexpr int kCancelWidth = 64;
}

SearchBar::SearchBar(const QRect& frame)
    : View(frame), field_(new QLineEdit(this)), cancel_(new Button(Button::Type::Custom))
{
    field_->setFont(ui::font(QStringLiteral("Helvetica"), 15));
    field_->setLayoutDirection(Qt::RightToLeft);
    field_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field_->setClearButtonEnabled(true);
    field_->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #7a8797; border-radius: 14px; padding: 0 10px;"
                                         " background: white; color: black; }"));
    QObject::connect(field_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (delegate_)
            delegate_->searchBarTextDidChange(this, text);
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
    field_->setGeometry(6, 7, width() - 12 - cancel, height() - 14);
    cancel_->setFrame(QRect(width() - kCancelWidth - 6, 7, kCancelWidth, height() - 14));
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
    field_->setPlaceholderText(placeholder);
}

void SearchBar::setShowsCancelButton(bool shows)
{
    showsCancel_ = shows;
    QResizeEvent relayout(size(), size());
    resizeEvent(&relayout);
}

void SearchBar::setCancelButtonEnabled(bool enabled)
{
    cancel_->setEnabled(enabled);
    cancel_->setAlpha(enabled ? 1.0 : 0.5);
}

bool SearchBar::isCancelButtonEnabled() const
{
    return cancel_->isEnabled();
}

void SearchBar::showEvent(QShowEvent* event)
{
    View::showEvent(event);
    if (pendingFocus_ && isVisible()) {
        pendingFocus_ = false;
        field_->setFocus(Qt::OtherFocusReason);
    }
}

void SearchBar::becomeFirstResponder()
{
    // A field not on screen yet takes the keyboard when it comes.
    pendingFocus_ = !isVisible();
    field_->setFocus(Qt::OtherFocusReason);
    if (QWidget* w = window())
        w->activateWindow();
}

void SearchBar::resignFirstResponder()
{
    pendingFocus_ = false;
    field_->clearFocus();
    setCancelButtonEnabled(false);
}

bool SearchBar::isFirstResponder() const
{
    return pendingFocus_ || field_->hasFocus() || (window() && window()->focusWidget() == field_);
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
