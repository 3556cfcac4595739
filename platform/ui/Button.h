#pragma once

#include "Control.h"
#include "Label.h"

#include <QFont>
#include <QPixmap>

#include <map>

namespace ui {

enum class ControlState { Normal, Highlighted, Selected };

class Button : public Control {
public:
    enum class Type { Custom = 0, RoundedRect = 1, InfoLight = 3 };

    explicit Button(Type type = Type::Custom, const QRect& frame = QRect());

    Type buttonType() const { return type_; }
    void setTitle(const QString& title, ControlState state = ControlState::Normal);
    void setTitleColor(const QColor& color, ControlState state = ControlState::Normal);
    void setImage(const QPixmap& image, ControlState state = ControlState::Normal);
    void setBackgroundImage(const QPixmap& image, ControlState state = ControlState::Normal);
    void setTitleFont(const QFont& font);
    void setShowsTouchWhenHighlighted(bool shows);

    // What the button shows in its current state.
    QString currentTitle() const;
    QColor currentTitleColor() const;
    QPixmap currentImage() const;
    QPixmap currentBackgroundImage() const;
    QFont titleFont() const { return font_; }

protected:
    void draw(QPainter& painter) override;

private:
    ControlState state() const;
    template <typename T>
    T lookup(const std::map<ControlState, T>& values, const T& fallback) const;

    Type type_;
    std::map<ControlState, QString> titles_;
    std::map<ControlState, QColor> titleColors_;
    std::map<ControlState, QPixmap> images_;
    std::map<ControlState, QPixmap> backgrounds_;
    QFont font_;
    bool showsTouch_ = false;
};

} // namespace ui
