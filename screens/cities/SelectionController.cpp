#include "SelectionController.h"

#include "NewCityController.h"
#include "SearchController.h"

#include "notifications/MyNotification.h"
#include "platform/ui/Application.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/Style.h"
#include "platform/ui/TabBarController.h"
#include "platform/ui/UnsavedChanges.h"
#include "screens/common/SaveFailure.h"
#include "screens/common/AboutInfo.h"
#include "screens/common/AzanMark.h"
#include "screens/common/CustomUITabBarController.h"
#include "calendar/DateKey.h"
#include "calendar/DateTimePersian.h"
#include "store/Cities.h"
#include "store/Days.h"

#include <QPointer>

namespace {

// The tabs that need a chosen city: alarms, azan sound, events time.
constexpr int kCityTabs[] = {1, 2, 3};
// The list's room above the line of the azans' city.
constexpr int kListHeight = 284;
constexpr int kLineHeight = 24;
constexpr int kMarkSide = 34;

} // namespace

SelectionController::SelectionController()
{
    setTitle(QStringLiteral("شهرها"));
}

void SelectionController::viewDidLoad()
{
    if (ui::NavigationController* nav = navigationController())
        nav->setBarStyle(ui::NavigationController::BarStyle::Black);
    firstTime_ = false;

    ui::View* screen = view();
    screen->setBackgroundColor(QColor(197, 204, 212));
    scroll_ = &screen->add<ui::View>(QRect(0, 0, 320, screen->height()));
    scroll_->setAutoresizingMask(ui::View::FlexibleWidth | ui::View::FlexibleHeight);
    scroll_->setBackgroundColor(QColor(197, 204, 212));
    scroll_->setCornerRadius(7);

    tblScrollView_ = &screen->add<ui::ScrollView>(QRect(4, 5, 312, kListHeight));
    tblScrollView_->setBackgroundColor(Qt::transparent);
    tblScrollView_->setCornerRadius(7);
    tblScrollView_->setScrollEnabled(true);
    tbl_ = &tblScrollView_->add<ui::TableView>(QRect(0, 0, 312, 308));
    tbl_->setDataSource(this);
    tbl_->setDelegate(this);
    tbl_->setScrollEnabled(false);
    tbl_->setCornerRadius(7);

    // An empty list says what to do, and a tap on it does it.
    emptyHint_ = &tblScrollView_->add<ui::Button>(ui::Button::Type::Custom, QRect(0, 0, 312, kRowHeight));
    emptyHint_->setTitle(QStringLiteral("نام شهر را بنویسید"));
    emptyHint_->setTitleFont(ui::font(QStringLiteral("Helvetica"), 17));
    emptyHint_->setTitleColor(ui::grayColor());
    emptyHint_->setAccessibleDescription(QStringLiteral("جست‌وجوی شهر"));
    emptyHint_->addAction(ui::ControlEvent::TouchUpInside, [this] { SearchControllerShow(); });
    emptyHint_->hide();

    // Which city the azans follow, between the list and the new city.
    azanLine_ = &screen->add<ui::Label>(QRect(12, 5 + kListHeight + 1, 296, kLineHeight));
    azanLine_->setTextFont(ui::font(QStringLiteral("Helvetica"), 13));
    azanLine_->setTextColor(QColor(40, 48, 64));
    azanLine_->setBackgroundColor(Qt::transparent);
    azanLine_->setTextAlignment(ui::TextAlignment::Right);
    azanLine_->setAdjustsFontSizeToFitWidth(true);

    createNewCityTable_ = &screen->add<ui::TableView>(QRect(4, 319, 312, 43));
    createNewCityTable_->setDataSource(this);
    createNewCityTable_->setDelegate(this);
    createNewCityTable_->setCornerRadius(7);
    createNewCityTable_->setScrollEnabled(false);
    createNewCityTable_->reloadData();

    // The title links to the maker's web site.
    navigationItem()->setTitle(title());
    navigationItem()->setTitleAction([this] { ShowWebSite(); });
}

void SelectionController::viewDidAppear(bool)
{
    ui::NavigationItem* item = navigationItem();
    btnDone_ = item->rightBarButtonItem();
    if (btnDone_) {
        btnDone_->setStyle(ui::BarButtonItem::Style::Done);
        btnDone_->setAction([this] { Done(); });
    }
    if (auto* tabs = dynamic_cast<CustomUITabBarController*>(tabBarController()))
        delegate_ = tabs->parentDelegate();
    if (ui::BarButtonItem* search = item->leftBarButtonItem())
        search->setAction([this] { SearchControllerShow(); });
    updateDataSource();
    if (datasource_.isEmpty() && !firstTime_)
        SearchControllerShow();
    firstTime_ = true;
}

void SelectionController::updateDataSource()
{
    datasource_ = cities::chosenList();
    showAzanCity();
    tbl_->reloadData();
    const int n = static_cast<int>(datasource_.size());
    if (btnDone_)
        btnDone_->setEnabled(n > 0);
    if (ui::TabBarController* tabs = tabBarController()) {
        const QList<ui::TabBarItem*> items = tabs->tabBar()->items();
        for (int i : kCityTabs)
            if (i < items.size())
                items[i]->setEnabled(n > 0);
    }
    emptyHint_->setHidden(n > 0);
    if (n == 0)
        emptyHint_->raise();
    const int h = kRowHeight * std::max(n, kMinimumRows);
    tbl_->setFrame(QRect(0, 0, 312, h));
    tblScrollView_->setContentSize(QSize(300, h + 1));
}

void SelectionController::SearchControllerShow()
{
    ui::NavigationController* nav = navigationController();
    if (!nav)
        return;
    auto* search = new SearchController;
    search->setDelegate(this);
    search->setHidesBottomBarWhenPushed(true);
    nav->pushViewController(search, true);
    nav->setNavigationBarHidden(true, true);
}

void SelectionController::closeForm()
{
    if (ui::NavigationController* nav = navigationController()) {
        nav->popViewControllerAnimated(true);
        nav->setNavigationBarHidden(false, true);
    }
    updateDataSource();
}

void SelectionController::showAzanCity()
{
    // The city the notifications follow, as the scheduler finds it.
    const std::optional<days::CityDays> azans = days::firstWithTimes(DateKey::make(DateTimePersian().date()), 1);
    azanCity_ = azans ? azans->cityId : 0;
    QString line;
    for (const Row& row : std::as_const(datasource_))
        if (row.value(QStringLiteral("StateID")).toInt() == azanCity_)
            line = QStringLiteral("اذان‌ها به افق ") + row.value(QStringLiteral("StateName"));
    if (line.isEmpty() && !datasource_.isEmpty())
        line = QStringLiteral("هیچ‌یک از این شهرها اوقات ندارد؛ اذانی پخش نمی‌شود.");
    azanLine_->setText(line);
}

void SelectionController::chooseAzanCity(int stateId)
{
    if (stateId == azanCity_)
        return;
    if (!cities::chooseAzanCity(stateId)) {
        tellSaveFailed(QStringLiteral("the city the azans follow"));
        return;
    }
    // The notifications follow it at once, as the list says.
    MyNotification::initialize()->update();
    updateDataSource();
}

void SelectionController::ShowWebSite()
{
    ui::Application::shared()->openURL(AboutInfo::load().webSite);
}

void SelectionController::Done()
{
    // Leaving the settings asks about what any tab holds unsaved.
    QPointer<SelectionController> self(this);
    ui::unsaved::confirmLeaving(tabBarController(), [self] {
        if (!self)
            return;
        MyNotification::initialize()->update();
        if (self->delegate_)
            self->delegate_->closeForm();
    });
}

int SelectionController::numberOfRowsInSection(ui::TableView* table, int)
{
    if (table == createNewCityTable_)
        return 1;
    table->setEditing(true, true);
    return static_cast<int>(datasource_.size());
}

ui::TableViewCell* SelectionController::cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path)
{
    auto* cell = new ui::TableViewCell(ui::TableViewCell::Style::Value1, QStringLiteral("cell"));
    if (table == createNewCityTable_) {
        cell->textLabel()->setText(QStringLiteral("ایجاد شهر جدید"));
        cell->setAccessoryType(ui::TableViewCell::Accessory::DisclosureIndicator);
        return cell;
    }
    const QString name = datasource_[path.row].value(QStringLiteral("StateName"));
    const int id = datasource_[path.row].value(QStringLiteral("StateID")).toInt();
    cell->textLabel()->setText(name);
    // The city the notifications follow is drawn as it is, with its bell
    // lit; the others in grey, their bells a tap away.
    const bool azans = id == azanCity_;
    if (!azans)
        cell->textLabel()->setTextColor(ui::grayColor());
    auto* mark = new AzanMark(QRect(0, 0, kMarkSide, kMarkSide), azans);
    mark->setAccessibleName(QStringLiteral("اذان به افق ") + name);
    mark->addAction(ui::ControlEvent::TouchUpInside, [this, id] { chooseAzanCity(id); });
    cell->setAccessoryView(mark);
    return cell;
}

ui::EditingStyle SelectionController::editingStyleForRowAtIndexPath(ui::TableView* table, const ui::IndexPath&)
{
    return table == createNewCityTable_ ? ui::EditingStyle::None : ui::EditingStyle::Delete;
}

bool SelectionController::canMoveRowAtIndexPath(ui::TableView* table, const ui::IndexPath&)
{
    return table == tbl_;
}

ui::IndexPath SelectionController::targetIndexPathForMove(ui::TableView*, const ui::IndexPath&, const ui::IndexPath& proposed)
{
    return proposed;
}

void SelectionController::commitEditingStyle(ui::TableView* table, ui::EditingStyle style, const ui::IndexPath& path)
{
    if (table != tbl_ || style != ui::EditingStyle::Delete)
        return;
    const int s = MyDB::getValue(datasource_, path.row, QStringLiteral("StateID")).value_or(QString()).toInt();
    // A city of the user's own goes altogether, so it never stays half deleted.
    if (!cities::remove(s)) {
        tellSaveFailed(QStringLiteral("deleting a chosen city"));
        updateDataSource();
        return;
    }
    datasource_.removeAt(path.row);
    tbl_->deleteRowsAtIndexPaths({path}, ui::RowAnimation::Fade);
    updateDataSource();
}

void SelectionController::moveRowAtIndexPath(ui::TableView*, const ui::IndexPath& from, const ui::IndexPath& to)
{
    const Row moving = datasource_[from.row];
    datasource_.removeAt(from.row);
    datasource_.insert(to.row, moving);
    QList<int> order;
    for (const Row& row : std::as_const(datasource_))
        order.append(row.value(QStringLiteral("StateID")).toInt());
    if (!cities::reorder(order)) {
        // The list shows the order that is stored.
        tellSaveFailed(QStringLiteral("the order of the chosen cities"));
        updateDataSource();
        return;
    }
    // Without a city chosen for them, the azans follow the new first.
    showAzanCity();
    tbl_->reloadData();
}

void SelectionController::didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path)
{
    if (table != createNewCityTable_)
        return;
    if (ui::NavigationController* nav = navigationController()) {
        auto* form = new NewCityController;
        form->setHidesBottomBarWhenPushed(true);
        nav->pushViewController(form, true);
    }
    table->deselectRowAtIndexPath(path, true);
}
