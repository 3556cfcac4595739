#include "NavigationController.h"

#include "BarButtonItem.h"
#include "Button.h"
#include "Label.h"
#include "NavigationBar.h"
#include "NavigationItem.h"
#include "Style.h"
#include "UnsavedChanges.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QVariantAnimation>

namespace ui {

namespace {

constexpr int kPushMs = 350;
constexpr int kBarMs = 250;

// A view that tells its owner when its size changes.
class ContainerView : public View {
public:
    explicit ContainerView(std::function<void()> onResize) : onResize_(std::move(onResize)) {}

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        View::resizeEvent(event);
        if (onResize_)
            onResize_();
    }

private:
    std::function<void()> onResize_;
};

} // namespace

NavigationController::NavigationController(ViewController* root)
{
    if (root) {
        root->setParent(this);
        stack_.append(root);
    }
}

void NavigationController::loadView()
{
    auto* container = new ContainerView([this] { layoutContent(); });
    container->setFrame(QRect(0, 0, 320, 460));
    container->setBackgroundColor(Qt::black);
    setView(container);
    bar_ = new NavigationBar;
    container->addSubview(bar_);
    if (ViewController* top = topViewController())
        container->addSubview(top->view());
    if (ViewController* top = topViewController())
        top->view()->show();
    updateBar();
    layoutContent();
}

void NavigationController::setBarStyle(BarStyle style)
{
    view();
    bar_->setBlack(style == BarStyle::Black);
}

ViewController* NavigationController::topViewController() const
{
    for (auto it = stack_.crbegin(); it != stack_.crend(); ++it)
        if (*it)
            return it->data();
    return nullptr;
}

QList<ViewController*> NavigationController::viewControllers() const
{
    QList<ViewController*> list;
    for (const auto& c : stack_)
        if (c)
            list.append(c.data());
    return list;
}

QList<ViewController*> NavigationController::visibleChildren() const
{
    ViewController* top = topViewController();
    return top ? QList<ViewController*>{top} : QList<ViewController*>{};
}

void NavigationController::layoutContent()
{
    if (!isViewLoaded())
        return;
    View* container = view();
    const int barBottom = barHidden_ ? 0 : kBarHeight;
    bar_->setFrame(QRect(0, barOffset_, container->width(), kBarHeight));
    bar_->raise();
    for (ViewController* c : viewControllers()) {
        if (c->isViewLoaded() && c->view()->parentWidget() == container)
            c->view()->setFrame(QRect(c->view()->x(), barBottom + barOffset_, container->width(), container->height() - barBottom - barOffset_));
    }
}

void NavigationController::updateBar()
{
    if (!bar_)
        return;
    ViewController* top = topViewController();
    if (!top) {
        bar_->setContent(QString(), nullptr, nullptr, QString(), {});
        return;
    }
    NavigationItem* item = top->navigationItem();
    QPointer<NavigationController> self(this);
    item->setChangeHandler([self] {
        if (self)
            self->updateBar();
    });
    for (BarButtonItem* b : {item->leftBarButtonItem(), item->rightBarButtonItem()}) {
        if (b)
            b->setChangeHandler([self] {
                if (self)
                    self->updateBar();
            });
    }
    QString back;
    const QList<ViewController*> list = viewControllers();
    if (list.size() > 1 && !item->leftBarButtonItem()) {
        back = list[list.size() - 2]->navigationItem()->title();
        if (back.isEmpty())
            back = QStringLiteral("بازگشت");
    }
    bar_->setContent(item->title().isEmpty() ? top->title() : item->title(), item->leftBarButtonItem(), item->rightBarButtonItem(), back,
        [self] {
            if (self)
                self->popAskingFirst();
        },
        item->titleAction());
}

void NavigationController::settle()
{
    // A transition that has not ended yet ends now, where it was going:
    // the next starts from a screen at rest, never from one half moved and
    // about to be hidden by the earlier transition's end.
    if (slide_) {
        slide_->stop();
        slide_->deleteLater();
    }
    if (std::function<void()> finish = std::exchange(slideFinish_, nullptr))
        finish();
    if (bar_ && barAnimation_) {
        barAnimation_->stop();
        barAnimation_->deleteLater();
    }
    if (std::function<void()> finish = std::exchange(barFinish_, nullptr))
        finish();
}

void NavigationController::slide(ViewController* from, ViewController* to, bool forward, bool animated, bool dropFrom)
{
    settle();
    View* container = view();
    to->beginAppearance(animated);
    if (from)
        from->beginDisappearance(animated);
    View* incoming = to->view();
    if (incoming->parentWidget() != container)
        container->addSubview(incoming);
    incoming->show();
    layoutContent();
    updateBar();
    shownContentChanged();
    const int w = container->width();
    QPointer<ViewController> a(from);
    QPointer<ViewController> b(to);
    auto finish = [a, b, animated, dropFrom] {
        if (a && a->isViewLoaded() && a != b) {
            a->view()->hide();
            a->view()->move(0, a->view()->y());
        }
        if (b && b->isViewLoaded())
            b->view()->move(0, b->view()->y());
        if (b)
            b->endAppearance(animated);
        if (a) {
            a->endDisappearance(animated);
            if (dropFrom)
                a->deleteLater();
        }
    };
    const int ms = animated ? animationMs(kPushMs) : 0;
    if (ms == 0 || !from) {
        incoming->move(0, incoming->y());
        finish();
        return;
    }
    auto* animation = new QVariantAnimation(container);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    animation->setDuration(ms);
    animation->setEasingCurve(QEasingCurve::OutCubic);
    View* outgoing = from->view();
    incoming->raise();
    bar_->raise();
    QObject::connect(animation, &QVariantAnimation::valueChanged, container, [=](const QVariant& v) {
        const double p = v.toDouble();
        // Forward: the new screen comes in from the right; back, the old one leaves to the right.
        if (forward) {
            incoming->move(qRound(w * (1 - p)), incoming->y());
            if (a)
                outgoing->move(qRound(-w * 0.3 * p), outgoing->y());
        } else {
            incoming->move(qRound(-w * 0.3 * (1 - p)), incoming->y());
            if (a)
                outgoing->move(qRound(w * p), outgoing->y());
            outgoing->raise();
        }
    });
    slide_ = animation;
    slideFinish_ = finish;
    QPointer<NavigationController> self(this);
    QObject::connect(animation, &QVariantAnimation::finished, container, [self] {
        if (self)
            if (std::function<void()> f = std::exchange(self->slideFinish_, nullptr))
                f();
    });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void NavigationController::pushViewController(ViewController* controller, bool animated)
{
    if (!controller)
        return;
    view();
    ViewController* from = topViewController();
    controller->setParent(this);
    stack_.append(controller);
    slide(from, controller, true, animated, false);
}

void NavigationController::popViewControllerAnimated(bool animated)
{
    if (viewControllers().size() < 2)
        return;
    ViewController* from = topViewController();
    stack_.removeAll(QPointer<ViewController>(from));
    slide(from, topViewController(), false, animated, true);
}

void NavigationController::popAskingFirst()
{
    ViewController* top = topViewController();
    if (!top || viewControllers().size() < 2)
        return;
    QPointer<NavigationController> self(this);
    QPointer<ViewController> leaving(top);
    unsaved::confirmLeaving(top, [self, leaving] {
        // Saving a form may have closed it already.
        if (self && leaving && self->topViewController() == leaving)
            self->popViewControllerAnimated(true);
    });
}

bool NavigationController::asksBottomBarHidden() const
{
    const QList<ViewController*> stack = viewControllers();
    for (int i = 1; i < stack.size(); ++i)
        if (stack[i]->hidesBottomBarWhenPushed())
            return true;
    return false;
}

bool NavigationController::accessibilityPerformEscape()
{
    ViewController* top = topViewController();
    if (top && top->accessibilityPerformEscape())
        return true;
    if (viewControllers().size() < 2)
        return false;
    popAskingFirst();
    return true;
}

void NavigationController::setNavigationBarHidden(bool hidden, bool animated)
{
    if (hidden == barHidden_)
        return;
    barHidden_ = hidden;
    if (!isViewLoaded())
        return;
    // The bar's own earlier move ends first.
    if (barAnimation_) {
        barAnimation_->stop();
        barAnimation_->deleteLater();
    }
    if (std::function<void()> finish = std::exchange(barFinish_, nullptr))
        finish();
    const int ms = animated ? animationMs(kBarMs) : 0;
    if (ms == 0) {
        barOffset_ = 0;
        bar_->setVisible(!hidden);
        layoutContent();
        return;
    }
    // The bar slides up out of sight, or down into it.
    bar_->setVisible(true);
    auto* animation = new QVariantAnimation(view());
    animation->setStartValue(hidden ? 0 : -kBarHeight);
    animation->setEndValue(hidden ? -kBarHeight : 0);
    animation->setDuration(ms);
    QPointer<NavigationController> self(this);
    QObject::connect(animation, &QVariantAnimation::valueChanged, view(), [self](const QVariant& v) {
        if (!self)
            return;
        self->barOffset_ = v.toInt();
        self->bar_->move(0, self->barOffset_);
        self->bar_->raise();
    });
    barFinish_ = [self] {
        if (!self)
            return;
        self->barOffset_ = 0;
        self->bar_->setVisible(!self->barHidden_);
        self->layoutContent();
    };
    barAnimation_ = animation;
    QObject::connect(animation, &QVariantAnimation::finished, view(), [self] {
        if (self)
            if (std::function<void()> f = std::exchange(self->barFinish_, nullptr))
                f();
    });
    layoutContent();
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace ui
