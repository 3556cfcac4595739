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
// That Save button, where it was put.
ui::BarButtonItem* saveButtonOf(const ui::ViewController* screen);
// Whether the screen holds changes not saved: its Save button is on.
bool saveIsPending(const ui::ViewController* screen);
// A grouped table filling the screen, answered by the screen; it follows
// the screen's size.
ui::TableView* fillWithTable(ui::ViewController* screen, ui::TableViewDataSource* source, ui::TableViewDelegate* delegate);
