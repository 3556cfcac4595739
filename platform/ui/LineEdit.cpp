#include "LineEdit.h"

#include "Label.h"
#include "TableViewCell.h"

#include <QFocusEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace ui {

LineEdit::LineEdit(QWidget* parent)
    : QLineEdit(parent)
{
    // Right to left: the clear button goes to the left. The alignment is
    // absolute, or Qt would mirror "right" to the left for Persian text.
    setLayoutDirection(Qt::RightToLeft);
    setAlignment(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);
    QObject::connect(this, &QLineEdit::textChanged, this, [this] { fit(); });
}

void LineEdit::setBaseFont(const QFont& font)
{
    base_ = font;
    // The field places its line by its first family's measures: Persian
    // first, so Persian letters stand in the middle of the field.
    base_.setFamilies({QStringLiteral("Noto Sans Arabic"), QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans")});
    fit();
}

void LineEdit::setPlaceholder(const QString& placeholder)
{
    placeholder_ = placeholder;
    fit();
    update();
}

void LineEdit::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (!text().isEmpty() || placeholder_.isEmpty())
        return;
    QStyleOptionFrame option;
    initStyleOption(&option);
    // Where Qt puts the text, less its own two points at each side and the
    // cursor's room at the right.
    constexpr int kQtMargin = 2;
    constexpr int kCursorRoom = 3;
    const QRect room = style()->subElementRect(QStyle::SE_LineEditContents, &option, this)
                           .marginsRemoved(textMargins())
                           .adjusted(kQtMargin, 0, -kQtMargin - kCursorRoom, 0);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.setFont(font());
    painter.drawText(room, Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter,
        fontMetrics().elidedText(placeholder_, Qt::ElideRight, room.width()));
}

void LineEdit::setAdjustsFontSizeToFitWidth(bool adjusts)
{
    adjusts_ = adjusts;
    fit();
}

void LineEdit::fit()
{
    QFont f = base_;
    if (adjusts_ && f.pixelSize() > 0) {
        const QString shown = text().isEmpty() ? placeholder_ : text();
        const int room = contentsRect().width() - textMargins().left() - textMargins().right() - 8;
        while (f.pixelSize() > kMinimumFontSize && QFontMetricsF(f).horizontalAdvance(shown) > room)
            f.setPixelSize(f.pixelSize() - 1);
    }
    if (f != font())
        setFont(f);
}

void LineEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    fit();
}

void LineEdit::showEvent(QShowEvent* event)
{
    QLineEdit::showEvent(event);
    if (accessibleName().isEmpty()) {
        QString name = placeholder_;
        for (QWidget* p = parentWidget(); p; p = p->parentWidget()) {
            if (auto* cell = dynamic_cast<TableViewCell*>(p)) {
                if (!cell->textLabel()->text().isEmpty())
                    name = cell->textLabel()->text();
                break;
            }
        }
        setAccessibleName(name);
    }
    if (pendingFocus_ && isVisible()) {
        pendingFocus_ = false;
        setFocus(Qt::OtherFocusReason);
    }
}

void LineEdit::focusInEvent(QFocusEvent* event)
{
    if (event->reason() == Qt::ActiveWindowFocusReason && !keepsKeyboard_) {
        // The window coming to the front picks its first field; the
        // keyboard comes back only to the field that had it.
        clearFocus();
        return;
    }
    keepsKeyboard_ = true;
    QLineEdit::focusInEvent(event);
    // Whatever brought the keyboard here, the text stays as it is: nothing
    // selected, ready to go on typing at its end.
    if (hasSelectedText()) {
        deselect();
        end(false);
    }
}

void LineEdit::focusOutEvent(QFocusEvent* event)
{
    if (event->reason() != Qt::ActiveWindowFocusReason)
        keepsKeyboard_ = false;
    QLineEdit::focusOutEvent(event);
}

void LineEdit::becomeFirstResponder()
{
    pendingFocus_ = !isVisible();
    keepsKeyboard_ = true;
    setFocus(Qt::OtherFocusReason);
    if (QWidget* w = window())
        w->activateWindow();
}

void LineEdit::resignFirstResponder()
{
    pendingFocus_ = false;
    keepsKeyboard_ = false;
    clearFocus();
}

bool LineEdit::isFirstResponder() const
{
    return pendingFocus_ || hasFocus() || (window() && window()->focusWidget() == this);
}

} // namespace ui
