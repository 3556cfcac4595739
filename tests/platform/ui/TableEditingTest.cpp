// A table in editing mode: rows deleted through their delete control and its
// confirmation, rows moved by their handles.
#include "Screen.h"

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/Touch.h"

#include <gtest/gtest.h>

namespace {

// Rows named by a list; deletions and moves change the list, as a screen's
// data would change.
struct Names : ui::TableViewDataSource, ui::TableViewDelegate {
    QStringList names{"a", "b", "c", "d"};
    bool movable = true;

    int numberOfRowsInSection(ui::TableView*, int) override { return static_cast<int>(names.size()); }
    ui::TableViewCell* cellForRowAtIndexPath(ui::TableView*, const ui::IndexPath& path) override
    {
        auto* cell = new ui::TableViewCell;
        cell->textLabel()->setText(names[path.row]);
        return cell;
    }
    bool canMoveRowAtIndexPath(ui::TableView*, const ui::IndexPath&) override { return movable; }
    void commitEditingStyle(ui::TableView* table, ui::EditingStyle style, const ui::IndexPath& path) override
    {
        if (style != ui::EditingStyle::Delete)
            return;
        names.removeAt(path.row);
        table->deleteRowsAtIndexPaths({path}, ui::RowAnimation::Fade);
    }
    void moveRowAtIndexPath(ui::TableView*, const ui::IndexPath& from, const ui::IndexPath& to) override
    {
        names.move(from.row, to.row);
    }
};

struct Editing : TestWindow {
    Names names;
    ui::TableView* table = new ui::TableView(QRect(0, 0, 320, 300));

    Editing()
    {
        screen->view()->addSubview(table);
        table->setDataSource(&names);
        table->setDelegate(&names);
        table->reloadData();
        table->setEditing(true, false);
        settle();
    }
    void tap(QWidget* widget)
    {
        ui::touch::tap(&window, centre(widget));
        settle();
    }
    // The texts the table shows, top to bottom.
    QStringList shown() const
    {
        QStringList texts;
        for (int r = 0; r < table->numberOfRowsInSection(0); ++r)
            texts.append(table->cellForRowAtIndexPath({0, r})->textLabel()->text());
        return texts;
    }
};

TEST(TableEditing, DeletingTakesTheControlAndThenItsConfirmation)
{
    Editing e;
    ui::Button* control = e.table->deleteControl({0, 1});
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(e.table->confirmationButton(), nullptr);
    e.tap(control);
    ui::Button* confirm = e.table->confirmationButton();
    ASSERT_NE(confirm, nullptr);
    // Asked, not yet done.
    EXPECT_EQ(e.names.names.size(), 4);
    e.tap(confirm);
    EXPECT_EQ(e.names.names, QStringList({"a", "c", "d"}));
    EXPECT_EQ(e.shown(), QStringList({"a", "c", "d"}));
    EXPECT_EQ(e.table->confirmationButton(), nullptr);
}

TEST(TableEditing, TheControlTappedAgainTakesTheQuestionBack)
{
    Editing e;
    e.tap(e.table->deleteControl({0, 2}));
    ASSERT_NE(e.table->confirmationButton(), nullptr);
    e.tap(e.table->deleteControl({0, 2}));
    EXPECT_EQ(e.table->confirmationButton(), nullptr);
    EXPECT_EQ(e.names.names.size(), 4);
}

TEST(TableEditing, AHandleDraggedOntoAnotherRowMovesTheRowThere)
{
    Editing e;
    ui::View* handle = e.table->reorderControl({0, 0});
    ASSERT_NE(handle, nullptr);
    const QPoint from = e.centre(handle);
    const QPoint onto = e.centre(e.table->cellForRowAtIndexPath({0, 2}));
    ui::touch::drag(&e.window, from, QPoint(from.x(), onto.y()));
    e.settle();
    EXPECT_EQ(e.names.names, QStringList({"b", "c", "a", "d"}));
    EXPECT_EQ(e.shown(), QStringList({"b", "c", "a", "d"}));
}

TEST(TableEditing, DraggedPastTheLastRowARowBecomesTheLast)
{
    Editing e;
    const QPoint from = e.centre(e.table->reorderControl({0, 1}));
    ui::touch::drag(&e.window, from, e.table->mapTo(&e.window, QPoint(from.x(), 290)));
    e.settle();
    EXPECT_EQ(e.names.names, QStringList({"a", "c", "d", "b"}));
}

TEST(TableEditing, RowsThatCannotMoveHaveNoHandle)
{
    Editing e;
    e.names.movable = false;
    e.table->reloadData();
    EXPECT_EQ(e.table->reorderControl({0, 0}), nullptr);
    EXPECT_NE(e.table->deleteControl({0, 0}), nullptr);
}

TEST(TableEditing, OutOfEditingThereAreNoControls)
{
    Editing e;
    e.table->setEditing(false, false);
    Editing::settle();
    EXPECT_EQ(e.table->deleteControl({0, 0}), nullptr);
    EXPECT_EQ(e.table->reorderControl({0, 0}), nullptr);
}

} // namespace
