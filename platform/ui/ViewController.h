#pragma once

#include "ModalTransitionStyle.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

namespace ui {

class View;
class Window;
class NavigationController;
class NavigationItem;
class TabBarController;
class TabBarItem;

// One screen. It owns its view and the screen it presents; a container
// (window, navigation stack, tab bar) owns the screens it holds. Views are
// made on first use: loadView, then viewDidLoad.
class ViewController : public QObject {
public:
    ViewController();
    ~ViewController() override;

    View* view();
    bool isViewLoaded() const { return !view_.isNull(); }

    virtual void loadView();
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool) {}
    virtual void viewDidAppear(bool) {}
    virtual void viewWillDisappear(bool) {}
    virtual void viewDidDisappear(bool) {}
    virtual bool shouldAutorotateToInterfaceOrientation(int orientation) { return orientation == 1; }
    // The escape gesture (the Escape key, a screen reader's scrub): leaves
    // this screen, or what it shows, if it can be left; true when it did.
    virtual bool accessibilityPerformEscape() { return false; }
    // A key that no control took (an arrow, for one), without modifiers;
    // true when this screen used it.
    virtual bool keyCommand(int key) { (void)key; return false; }
    // Whether what this screen shows asks the bottom bar of the container
    // around it to hide (a pushed screen that hides it, for one).
    virtual bool asksBottomBarHidden() const { return false; }
    // Changes made on this screen and not saved (a form, a settings tab):
    // leaving it asks first (ui::unsaved). Saving says whether they were
    // saved (the screen says why not, and keeps them); discarding puts back
    // what was saved, or closes a form.
    virtual bool hasUnsavedChanges() const { return false; }
    virtual bool saveChanges() { return true; }
    virtual void discardChanges() {}

    // Shows `controller` over this screen, taking ownership of it.
    void presentViewController(ViewController* controller, bool animated);
    // Closes the screen this one presents or, when it presents none, this
    // screen itself; the closed screen is destroyed.
    void dismissViewController(bool animated);
    ViewController* presentedViewController() const { return presented_.data(); }
    ViewController* presentingViewController() const { return presenting_.data(); }
    void setModalTransitionStyle(ModalTransitionStyle style) { transition_ = style; }
    ModalTransitionStyle modalTransitionStyle() const { return transition_; }

    void setTitle(const QString& title);
    QString title() const { return title_; }
    NavigationItem* navigationItem();
    TabBarItem* tabBarItem();
    // The containers this screen stands in, if any.
    NavigationController* navigationController() const;
    TabBarController* tabBarController() const;
    void setHidesBottomBarWhenPushed(bool hides) { hidesBottomBar_ = hides; }
    bool hidesBottomBarWhenPushed() const { return hidesBottomBar_; }

    // The class's own name, as the log shows it.
    QString className() const;

    // Appearance calls, passed on to the screens a container shows.
    void beginAppearance(bool animated);
    void endAppearance(bool animated);
    void beginDisappearance(bool animated);
    void endDisappearance(bool animated);

protected:
    void setView(View* view);
    // Tells the nearest container around this screen that lays out by what
    // it shows (a tab bar) that what this screen shows has changed.
    void shownContentChanged();
    // A contained screen's content changed; true when this container laid
    // itself out again for it.
    virtual bool containedContentChanged() { return false; }
    virtual QList<ViewController*> visibleChildren() const { return {}; }

private:
    QPointer<View> view_;
    QPointer<ViewController> presented_;
    QPointer<ViewController> presenting_;
    ModalTransitionStyle transition_ = ModalTransitionStyle::CoverVertical;
    QString title_;
    NavigationItem* navigationItem_ = nullptr;
    TabBarItem* tabBarItem_ = nullptr;
    bool hidesBottomBar_ = false;
};

} // namespace ui
