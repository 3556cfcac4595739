#include "TextField.h"

#include "LineEdit.h"
#include "Style.h"

#include <QEvent>
#include <QFocusEvent>
#include <QTimer>

namespace ui {

TextField::TextField(const QRect& frame)
    : View(frame), field_(new LineEdit(this))
{
    field_->setFrame(false);
    field_->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; color: black; }"));
    field_->setBaseFont(ui::font(QStringLiteral("Helvetica"), 17));
    field_->installEventFilter(this);
    QObject::connect(field_, &QLineEdit::textChanged, this, [this] {
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
}

bool TextField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == field_ && event->type() == QEvent::FocusIn && delegate_)
        delegate_->textFieldDidBeginEditing(this);
    if (watched == field_ && selectsAll_) {
        // After the touch has placed the cursor, or Qt its own selection.
        const auto selectAll = [f = field_] { QTimer::singleShot(0, f, [f] { f->selectAll(); }); };
        if (event->type() == QEvent::FocusIn && static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason)
            selectAll();
        else if (event->type() == QEvent::MouseButtonPress)
            wholeSelected_ = field_->hasFocus() && !field_->text().isEmpty() && field_->selectedText() == field_->text();
        else if (event->type() == QEvent::MouseButtonRelease && !wholeSelected_)
            selectAll();
    }
    return View::eventFilter(watched, event);
}

void TextField::setText(const QString& text)
{
    field_->setText(text);
}

void TextField::setMaxLength(int length)
{
    field_->setMaxLength(length);
}

void TextField::setAccessibleName(const QString& name)
{
    View::setAccessibleName(name);
    field_->setAccessibleName(name);
}

QString TextField::text() const
{
    return field_->text();
}

void TextField::setPlaceholder(const QString& placeholder)
{
    field_->setPlaceholder(placeholder);
}

QString TextField::placeholder() const
{
    return field_->placeholder();
}

void TextField::setTextColor(const QColor& color)
{
    field_->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; color: %1; }").arg(color.name()));
}

void TextField::setAdjustsFontSizeToFitWidth(bool adjusts)
{
    field_->setAdjustsFontSizeToFitWidth(adjusts);
}

void TextField::becomeFirstResponder()
{
    field_->becomeFirstResponder();
}

void TextField::resignFirstResponder()
{
    field_->resignFirstResponder();
}

bool TextField::isFirstResponder() const
{
    return field_->isFirstResponder();
}

} // namespace ui
