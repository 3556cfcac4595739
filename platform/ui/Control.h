#pragma once

#include "View.h"

#include <functional>
#include <map>
#include <vector>

namespace ui {

enum class ControlEvent { TouchUpInside, ValueChanged };

// A view that the user operates; it sends actions on its events. The
// keyboard reaches it too: Tab brings it the focus, Space or Return acts as
// a tap, the arrow keys step a value.
class Control : public View {
public:
    explicit Control(const QRect& frame = QRect());

    void addAction(ControlEvent event, std::function<void()> action);
    void sendActions(ControlEvent event);

    // Not QWidget's enabled state: a disabled control still gets its
    // touches (and swallows them), and is skipped by Tab.
    void setControlEnabled(bool enabled);
    bool isControlEnabled() const { return enabled_; }
    void setSelected(bool selected);
    bool isSelected() const { return selected_; }
    bool isHighlighted() const { return highlighted_; }
    void setTag(int tag) { tag_ = tag; }
    // As a tap (the keyboard's Space, a screen reader's double tap).
    void activate();
    // As an arrow key (Qt::Key_Left ...); false when it means nothing here.
    bool step(int key) { return enabled_ && stepped(key); }
    int tag() const { return tag_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // An arrow key (Qt::Key_Left ...); false when the control has no use for it.
    virtual bool stepped(int key);
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void setHighlighted(bool highlighted);
    // A finished tap inside the control (the default sends TouchUpInside).
    virtual void tapped(const QPoint& at);

private:
    std::map<ControlEvent, std::vector<std::function<void()>>> actions_;
    bool enabled_ = true;
    bool selected_ = false;
    bool highlighted_ = false;
    // Whether the keyboard brought the focus here (and so shows it).
    bool keyboardFocus_ = false;
    int tag_ = 0;
};

} // namespace ui
