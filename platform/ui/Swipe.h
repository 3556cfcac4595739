#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>

#include <functional>

class QWidget;

namespace ui {

// Hears a sideways swipe of a finger over a view and what lies on it (the
// controls there still get their touches): a press, a move of at least
// kDistance sideways and less than half of it up or down, a release.
class Swipe : public QObject {
public:
    // `sideways` is told +1 for a swipe towards the right, -1 towards the left.
    Swipe(QWidget* view, std::function<void(int sideways)> sideways);

    static constexpr int kDistance = 40;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> view_;
    std::function<void(int)> sideways_;
    QPointF start_;
    bool pressed_ = false;
};

} // namespace ui
