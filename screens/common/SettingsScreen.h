#pragma once

#include <functional>

namespace ui {
class BarButtonItem;
class ViewController;
class TableView;
class TableViewDataSource;
class TableViewDelegate;
} // namespace ui

// What every settings screen sets up alike: the black bar with its title and
// a Save button "ذخیره" that starts disabled.
ui::BarButtonItem* installSaveButton(ui::ViewController* screen, std::function<void()> save);
// A grouped table filling the screen, answered by the screen; it follows
// the screen's size.
ui::TableView* fillWithTable(ui::ViewController* screen, ui::TableViewDataSource* source, ui::TableViewDelegate* delegate);
