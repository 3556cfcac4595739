#include "OptionsViewController.h"

#include "AboutController.h"
#include "HistoryViewController.h"
#include "SettingController.h"
#include "SoundsViewController.h"

#include "platform/ui/BarButtonItem.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/Style.h"
#include "platform/ui/TabBarController.h"

namespace {

ui::ViewController* tab(ui::ViewController* controller, const QString& title, const QString& icon)
{
    controller->tabBarItem()->setTitle(title);
    controller->tabBarItem()->setImage(ui::image(icon));
    return controller;
}

ui::NavigationController* inNavigation(ui::ViewController* root)
{
    auto* nav = new ui::NavigationController(root);
    nav->setBarStyle(ui::NavigationController::BarStyle::Black);
    return nav;
}

} // namespace

CustomUITabBarController* OptionsViewController::tabBarControl(ui::ViewController* cities)
{
    // Tab 0: the chosen cities, with the search on the left of its bar and
    // Done on the right.
    cities->navigationItem()->setTitle(cities->title());
    cities->navigationItem()->setLeftBarButtonItem(new ui::BarButtonItem(ui::BarButtonItem::SystemItem::Search));
    cities->navigationItem()->setRightBarButtonItem(new ui::BarButtonItem(ui::BarButtonItem::SystemItem::Done));

    auto* tabs = new CustomUITabBarController;
    tabs->setViewControllers({
        tab(inNavigation(cities), QStringLiteral("شهرها"), QStringLiteral("tabCities.png")),
        tab(inNavigation(new SettingController), QStringLiteral("هشدارها"), QStringLiteral("tabAlarms.png")),
        tab(inNavigation(new SoundsViewController), QStringLiteral("صدای اذان"), QStringLiteral("tabSound.png")),
        tab(inNavigation(new HistoryViewController), QStringLiteral("رویدادها"), QStringLiteral("tabEvents.png")),
        tab(new AboutController, QStringLiteral("درباره"), QStringLiteral("tabAbout.png")),
    });
    return tabs;
}
