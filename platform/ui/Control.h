#pragma once

#include "View.h"

#include <functional>
#include <map>
#include <vector>

namespace ui {

enum class ControlEvent { TouchUpInside, ValueChanged };

// A view that the user operates; it sends actions on its events.
class Control : public View {
public:
    using View::View;

    void addAction(ControlEvent event, std::function<void()> action);
    void sendActions(ControlEvent event);

    void setEnabled(bool enabled);
    bool isEnabled() const { return enabled_; }
    void setSelected(bool selected);
    bool isSelected() const { return selected_; }
    bool isHighlighted() const { return highlighted_; }
    void setTag(int tag) { tag_ = tag; }
    int tag() const { return tag_; }

protected:
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
    int tag_ = 0;
};

} // namespace ui
