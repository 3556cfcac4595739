#pragma once

#include "TextFieldDelegate.h"
#include "View.h"

namespace ui {

class TextField;
class LineEdit;

// One line of text input; Persian is typed right to left.
class TextField : public View {
public:
    enum class ReturnKey { Default, Done };

    explicit TextField(const QRect& frame = QRect());

    void setDelegate(TextFieldDelegate* delegate) { delegate_ = delegate; }
    void setText(const QString& text);
    QString text() const;
    void setPlaceholder(const QString& placeholder);
    QString placeholder() const;
    void setTextColor(const QColor& color);
    // The font shrinks as the text grows, down to a minimum.
    void setAdjustsFontSizeToFitWidth(bool adjusts);
    void setReturnKeyType(ReturnKey key) { returnKey_ = key; }
    ReturnKey returnKeyType() const { return returnKey_; }
    // The field takes no more characters than this.
    void setMaxLength(int length);
    // A field whose text is typed anew rather than edited (a time, a date):
    // reached, or tapped, it selects its whole text, so that what is typed
    // replaces it; a tap on it while the whole is selected places the
    // cursor, for an edit.
    void setSelectsAllOnFocus(bool selects) { selectsAll_ = selects; }
    // Only a hint to the keyboard; any text may be typed.
    void setAsciiCapableKeyboard(bool ascii) { ascii_ = ascii; }
    // Its name, given to the line inside it too: that is what a screen
    // reader reaches, and without a name it would say the hint.
    void setAccessibleName(const QString& name);

    void becomeFirstResponder();
    void resignFirstResponder();
    bool isFirstResponder() const;
    LineEdit* field() const { return field_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TextFieldDelegate* delegate_ = nullptr;
    LineEdit* field_;
    bool ascii_ = false;
    bool selectsAll_ = false;
    // Whether the whole text was selected when the touch began.
    bool wholeSelected_ = false;
    ReturnKey returnKey_ = ReturnKey::Default;
};

} // namespace ui
