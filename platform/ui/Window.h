#pragma once

#include "ModalTransitionStyle.h"

#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

#include <functional>

namespace ui {

class ViewController;

// The phone's screen: it shows its root screen, or the screen presented
// over it, full size.
class Window : public QWidget {
public:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 460;

    Window();
    ~Window() override;

    // A root without an owner becomes the window's.
    void setRootViewController(ViewController* controller);
    ViewController* rootViewController() const;
    void makeKeyAndVisible();
    // The screen on top: the root, or what it presents (and so on).
    ViewController* topViewController() const;
    bool isTransitioning() const { return transitions_ > 0; }

    // Moves the screen on top from `from` to `to`, animated with the style
    // of a modal presentation (forward) or dismissal. A tap or a key while
    // it turns ends it where it was going, then acts on the screen at rest.
    void transition(ViewController* from, ViewController* to, ModalTransitionStyle style, bool animated, bool forward);
    // A closed screen that was the root hands the root to its presenter.
    void replaceRoot(ViewController* closing, ViewController* presenter);

    void display(ViewController* controller);

protected:
    // Escape closes an alert, or leaves the screen on top if it can be left;
    // the quit key (Ctrl+Q) asks the app to quit.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Ends the presentation turning now where it was going.
    void settleTransition();

    QPointer<ViewController> root_;
    int transitions_ = 0;
    // The presentation turning now, and how it ends.
    QPointer<QVariantAnimation> modal_;
    std::function<void()> modalFinish_;
};

} // namespace ui
