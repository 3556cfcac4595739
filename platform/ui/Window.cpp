#include "Window.h"

#include "AlertView.h"
#include "Application.h"
#include "Style.h"
#include "Touch.h"
#include "View.h"
#include "ViewController.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QVariantAnimation>

namespace ui {

namespace {

constexpr int kModalMs = 500;

// Draws the two screens of a modal transition while it runs.
class TransitionOverlay : public QWidget {
public:
    TransitionOverlay(QWidget* parent, const QPixmap& from, const QPixmap& to, ModalTransitionStyle style, bool forward)
        : QWidget(parent), from_(from), to_(to), style_(style), forward_(forward)
    {
        setGeometry(parent->rect());
        setAttribute(Qt::WA_TransparentForMouseEvents, false);
        show();
        raise();
    }

    void setProgress(double p)
    {
        progress_ = p;
        update();
    }

    // A tap on the pictures of the turn, in the window's points.
    std::function<void(const QPoint&)> tapped;

protected:
    void mousePressEvent(QMouseEvent*) override {}
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (tapped)
            tapped(event->position().toPoint());
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.fillRect(rect(), Qt::black);
        if (style_ == ModalTransitionStyle::FlipHorizontal) {
            // A card turning about its vertical axis: the old face for the
            // first half, then the new one.
            const double angle = progress_ * 180.0 * (forward_ ? 1 : -1);
            const bool second = progress_ > 0.5;
            const double shown = second ? angle - (forward_ ? 180 : -180) : angle;
            QTransform t;
            t.translate(width() / 2.0, height() / 2.0);
            t.rotate(shown, Qt::YAxis);
            t.translate(-width() / 2.0, -height() / 2.0);
            painter.setTransform(t);
            painter.drawPixmap(rect(), second ? to_ : from_);
        } else {
            // Cover vertical: the presented screen slides over from below.
            const double eased = 1 - (1 - progress_) * (1 - progress_);
            if (forward_) {
                painter.drawPixmap(rect(), from_);
                painter.drawPixmap(rect().translated(0, qRound(height() * (1 - eased))), to_);
            } else {
                painter.drawPixmap(rect(), to_);
                painter.drawPixmap(rect().translated(0, qRound(height() * eased)), from_);
            }
        }
    }

private:
    QPixmap from_;
    QPixmap to_;
    ModalTransitionStyle style_;
    bool forward_;
    double progress_ = 0;
};

} // namespace

Window::Window()
{
    setWindowTitle(QStringLiteral("Kelvaro"));
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

Window::~Window() = default;

void Window::setRootViewController(ViewController* controller)
{
    if (controller == root_)
        return;
    ViewController* oldTop = topViewController();
    root_ = controller;
    if (controller && !controller->parent())
        controller->setParent(this);
    ViewController* newTop = topViewController();
    if (!isVisible() || oldTop == newTop) {
        if (newTop)
            newTop->view();
        return;
    }
    if (newTop)
        newTop->beginAppearance(false);
    if (oldTop)
        oldTop->beginDisappearance(false);
    display(newTop);
    if (oldTop && oldTop->isViewLoaded() && oldTop != newTop)
        oldTop->view()->hide();
    if (newTop)
        newTop->endAppearance(false);
    if (oldTop)
        oldTop->endDisappearance(false);
}

ViewController* Window::rootViewController() const
{
    return root_;
}

ViewController* Window::topViewController() const
{
    ViewController* top = root_;
    while (top && top->presentedViewController())
        top = top->presentedViewController();
    return top;
}

void Window::makeKeyAndVisible()
{
    Application::shared()->setKeyWindow(this);
    ViewController* top = topViewController();
    if (top)
        top->beginAppearance(false);
    display(top);
    QWidget::show();
    if (top)
        top->endAppearance(false);
}

void Window::display(ViewController* controller)
{
    if (!controller)
        return;
    View* view = controller->view();
    if (view->parentWidget() != this)
        view->setParent(this);
    view->setFrame(rect());
    view->show();
    view->raise();
}

void Window::keyPressEvent(QKeyEvent* event)
{
    // The platform's quit key, and Ctrl+Q where the platform names none.
    if (event->matches(QKeySequence::Quit) || (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_Q)) {
        Application::shared()->requestQuit();
        return;
    }
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    // A key while a screen turns in acts on it at rest.
    settleTransition();
    if (event->key() != Qt::Key_Escape) {
        ViewController* top = AlertView::visibleAlerts().isEmpty() && !isTransitioning() ? topViewController() : nullptr;
        if (!top || !top->keyCommand(event->key()))
            QWidget::keyPressEvent(event);
        return;
    }
    const QList<AlertView*> alerts = AlertView::visibleAlerts();
    if (!alerts.isEmpty()) {
        alerts.last()->dismiss();
        return;
    }
    if (isTransitioning())
        return;
    if (ViewController* top = topViewController())
        top->accessibilityPerformEscape();
}

void Window::replaceRoot(ViewController* closing, ViewController* presenter)
{
    if (root_ == closing)
        root_ = presenter;
}

void Window::settleTransition()
{
    if (modal_) {
        modal_->stop();
        modal_->deleteLater();
    }
    if (std::function<void()> finish = std::exchange(modalFinish_, nullptr))
        finish();
}

void Window::transition(ViewController* from, ViewController* to, ModalTransitionStyle style, bool animated, bool forward)
{
    // One presentation at a time: one still turning ends now, where it was
    // going, before the next begins.
    settleTransition();
    QPointer<ViewController> a(from);
    QPointer<ViewController> b(to);
    b->beginAppearance(animated);
    a->beginDisappearance(animated);
    const int duration = animated ? animationMs(kModalMs) : 0;

    auto finish = [this, a, b, animated] {
        if (b)
            display(b);
        if (a && a->isViewLoaded() && a != b)
            a->view()->hide();
        if (b)
            b->endAppearance(animated);
        if (a)
            a->endDisappearance(animated);
    };
    if (duration == 0 || !isVisible()) {
        finish();
        return;
    }

    // Both faces as pictures: the new one laid out at full size first.
    const QPixmap fromPicture = from->view()->grab();
    display(to);
    const QPixmap toPicture = to->view()->grab();
    auto* overlay = new TransitionOverlay(this, fromPicture, toPicture, style, forward);
    auto* animation = new QVariantAnimation(overlay);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    animation->setDuration(duration);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    connect(animation, &QVariantAnimation::valueChanged, overlay, [overlay](const QVariant& v) { overlay->setProgress(v.toDouble()); });
    ++transitions_;
    QPointer<TransitionOverlay> picture(overlay);
    modal_ = animation;
    modalFinish_ = [this, picture, finish] {
        --transitions_;
        finish();
        if (picture) {
            // Out of the way of the tap that ended the turn.
            picture->hide();
            picture->deleteLater();
        }
    };
    // A tap is not lost on the pictures: the turn ends, and the tap reaches
    // the screen it uncovers, once this one is done.
    QPointer<Window> self(this);
    overlay->tapped = [self](const QPoint& at) {
        const QPointer<Window> window = self;
        if (!window)
            return;
        window->settleTransition();
        QTimer::singleShot(0, window, [window, at] {
            if (window)
                touch::tap(window, at);
        });
    };
    connect(animation, &QVariantAnimation::finished, this, [this] {
        if (std::function<void()> f = std::exchange(modalFinish_, nullptr))
            f();
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace ui
