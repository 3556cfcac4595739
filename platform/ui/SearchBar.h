#pragma once

#include "SearchBarDelegate.h"
#include "View.h"

#include <QPointer>

namespace ui {

class SearchBar;
class Button;
class LineEdit;

// A search field with a Cancel button; Persian is typed right to left.
class SearchBar : public View {
public:
    explicit SearchBar(const QRect& frame = QRect(0, 0, 320, 44));

    void setDelegate(SearchBarDelegate* delegate) { delegate_ = delegate; }
    void setText(const QString& text);
    QString text() const;
    void setPlaceholder(const QString& placeholder);
    QString placeholder() const;
    void setShowsCancelButton(bool shows);
    void setCancelButtonEnabled(bool enabled);
    bool isCancelButtonEnabled() const;
    Button* cancelButton() const { return cancel_; }
    LineEdit* field() const { return field_; }

    // The keyboard goes to the field, or away from it; as on a phone, the
    // Cancel button is disabled when the field gives the keyboard up.
    void becomeFirstResponder();
    void resignFirstResponder();
    bool isFirstResponder() const;

protected:
    void draw(QPainter& painter) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    SearchBarDelegate* delegate_ = nullptr;
    LineEdit* field_;
    Button* cancel_;
    bool showsCancel_ = true;
};

} // namespace ui
