#include "SettingsScreen.h"

#include "platform/ui/BarButtonItem.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/TableView.h"

ui::BarButtonItem* installSaveButton(ui::ViewController* screen, std::function<void()> save)
{
    if (ui::NavigationController* nav = screen->navigationController())
        nav->setBarStyle(ui::NavigationController::BarStyle::Black);
    if (screen->navigationItem()->title().isEmpty())
        screen->navigationItem()->setTitle(screen->title());
    auto* item = new ui::BarButtonItem(QStringLiteral("ذخیره"), ui::BarButtonItem::Style::Done);
    item->setAction(std::move(save));
    item->setEnabled(false);
    screen->navigationItem()->setRightBarButtonItem(item);
    return item;
}

ui::BarButtonItem* saveButtonOf(const ui::ViewController* screen)
{
    return const_cast<ui::ViewController*>(screen)->navigationItem()->rightBarButtonItem();
}

bool saveIsPending(const ui::ViewController* screen)
{
    if (!screen->isViewLoaded())
        return false;
    const ui::BarButtonItem* save = saveButtonOf(screen);
    return save && save->isEnabled();
}

ui::TableView* fillWithTable(ui::ViewController* screen, ui::TableViewDataSource* source, ui::TableViewDelegate* delegate)
{
    ui::View* view = screen->view();
    auto* table = &view->add<ui::TableView>(QRect(0, 0, 320, view->height()), ui::TableView::Style::Grouped);
    // The screen is the room between the bars, whichever bars are shown.
    table->setAutoresizingMask(ui::View::FlexibleWidth | ui::View::FlexibleHeight);
    table->setDataSource(source);
    table->setDelegate(delegate);
    return table;
}
