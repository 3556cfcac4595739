#pragma once

#include "View.h"

#include <QPointer>
#include <QString>

#include <functional>

namespace ui {

class BarButtonItem;
class Button;

// The bar itself: title in the middle, buttons at the ends.
class NavigationBar : public View {
public:
    NavigationBar();
    // What the bar shows: a title, the buttons of the two items and, with no
    // left item, a back button titled `back` (none when it is empty).
    void setContent(const QString& title, BarButtonItem* left, BarButtonItem* right, const QString& back, std::function<void()> onBack,
        std::function<void()> onTitle = {});
    QRect titleRect() const;
    void setBlack(bool black);
    // The buttons on the bar now (left, right), for tests and the device.
    Button* leftButton() const;
    Button* rightButton() const;
    QString title() const { return title_; }

protected:
    void draw(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString title_;
    std::function<void()> onTitle_;
    bool black_ = true;
    QPointer<Button> left_;
    QPointer<Button> right_;
};

} // namespace ui
