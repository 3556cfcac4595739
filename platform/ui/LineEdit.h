#pragma once

#include <QFont>
#include <QLineEdit>

namespace ui {

// The one line of typing that search bars and text fields are made of.
// Persian runs from the right: the text and the placeholder stand at the
// right, centred in the height, with the clear button at the left; the
// keyboard comes and goes as on a phone.
class LineEdit : public QLineEdit {
public:
    explicit LineEdit(QWidget* parent);

    // The size and weight of `font`, in the families that suit Persian.
    void setBaseFont(const QFont& font);
    QFont baseFont() const { return base_; }
    void setPlaceholder(const QString& placeholder);
    QString placeholder() const { return placeholder_; }
    // The font shrinks as the text grows, down to a minimum.
    void setAdjustsFontSizeToFitWidth(bool adjusts);

    // The keyboard goes to the field, or away from it. A field not on
    // screen yet takes the keyboard when it comes.
    void becomeFirstResponder();
    void resignFirstResponder();
    bool isFirstResponder() const;

    static constexpr int kMinimumFontSize = 10;

protected:
    // Named for a screen reader by the row it stands in, or its placeholder.
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The placeholder, drawn here rather than by Qt: it stands clear of the
    // cursor at the right edge, where Qt would draw the cursor over its
    // first letter.
    void paintEvent(QPaintEvent* event) override;

private:
    void fit();

    QFont base_;
    QString placeholder_;
    bool adjusts_ = false;
    bool pendingFocus_ = false;
    // Whether the field has the keyboard, or asked for it, through the
    // window's going to the back and coming to the front.
    bool keepsKeyboard_ = false;
};

} // namespace ui
