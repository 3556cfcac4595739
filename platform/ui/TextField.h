#pragma once

#include "View.h"

class QLineEdit;

namespace ui {

class TextField;

class TextFieldDelegate {
public:
    virtual ~TextFieldDelegate() = default;
    virtual void textFieldDidBeginEditing(TextField*) {}
    virtual void textFieldDidChange(TextField*) {}
    // The return key; the answer says whether the field does its default.
    virtual bool textFieldShouldReturn(TextField*) { return true; }
};

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
    void setFont(const QFont& font);
    // The font shrinks as the text grows, down to a minimum.
    void setAdjustsFontSizeToFitWidth(bool adjusts);
    void setReturnKeyType(ReturnKey key) { returnKey_ = key; }
    ReturnKey returnKeyType() const { return returnKey_; }
    // The field takes no more characters than this.
    void setMaxLength(int length);
    // Only a hint to the keyboard; any text may be typed.
    void setAsciiCapableKeyboard(bool ascii) { ascii_ = ascii; }

    void becomeFirstResponder();
    void resignFirstResponder();
    bool isFirstResponder() const;
    QLineEdit* field() const { return field_; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool pendingFocus_ = false;
    void fit();

    TextFieldDelegate* delegate_ = nullptr;
    QLineEdit* field_;
    QFont font_;
    bool adjusts_ = false;
    bool ascii_ = false;
    ReturnKey returnKey_ = ReturnKey::Default;
};

} // namespace ui
