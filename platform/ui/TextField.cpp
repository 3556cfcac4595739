#include "TextField.h"

#include "Style.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLineEdit>

namespace ui {

namespace {
constexpr int kMinimumFontSize = 10;
}

TextField::TextField(const QRect& frame)
    : View(frame), field_(new QLineEdit(this)), font_(ui::font(QStringLiteral("Helvetica"), 17))
{
    field_->setFrame(false);
    field_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field_->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; color: black; }"));
    field_->setFont(font_);
    field_->installEventFilter(this);
    QObject::connect(field_, &QLineEdit::textChanged, this, [this] {
        fit();
        if (delegate_)
            delegate_->textFieldDidChange(this);
    });
    QObject::connect(field_, &QLineEdit::returnPressed, this, [this] {
        if (delegate_)
            delegate_->textFieldShouldReturn(this);
    });
    field_->show();
}

void TextField::resizeEvent(QResizeEvent* event)
{
    View::resizeEvent(event);
    field_->setGeometry(rect());
    fit();
}

bool TextField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == field_ && event->type() == QEvent::FocusIn && delegate_)
        delegate_->textFieldDidBeginEditing(this);
    return View::eventFilter(watched, event);
}

void TextField::fit()
{
    QFont f = font_;
    if (adjusts_) {
        const QString shown = field_->text().isEmpty() ? field_->placeholderText() : field_->text();
        while (f.pixelSize() > kMinimumFontSize && QFontMetrics(f).horizontalAdvance(shown) > width() - 8)
            f.setPixelSize(f.pixelSize() - 1);
    }
    field_->setFont(f);
}

void TextField::setText(const QString& text)
{
    field_->setText(text);
}

void TextField::setMaxLength(int length)
{
    field_->setMaxLength(length);
}

QString TextField::text() const
{
    return field_->text();
}

void TextField::setPlaceholder(const QString& placeholder)
{
    field_->setPlaceholderText(placeholder);
    fit();
}

QString TextField::placeholder() const
{
    return field_->placeholderText();
}

void TextField::setTextColor(const QColor& color)
{
    field_->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; color: %1; }").arg(color.name()));
}

void TextField::setFont(const QFont& font)
{
    font_ = font;
    fit();
}

void TextField::setAdjustsFontSizeToFitWidth(bool adjusts)
{
    adjusts_ = adjusts;
    fit();
}

void TextField::showEvent(QShowEvent* event)
{
    View::showEvent(event);
    if (pendingFocus_ && isVisible()) {
        pendingFocus_ = false;
        field_->setFocus(Qt::OtherFocusReason);
    }
}

void TextField::becomeFirstResponder()
{
    // A field not on screen yet takes the keyboard when it comes.
    pendingFocus_ = !isVisible();
    field_->setFocus(Qt::OtherFocusReason);
}

void TextField::resignFirstResponder()
{
    pendingFocus_ = false;
    field_->clearFocus();
}

bool TextField::isFirstResponder() const
{
    return pendingFocus_ || field_->hasFocus() || (window() && window()->focusWidget() == field_);
}

} // namespace ui
