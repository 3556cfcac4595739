#pragma once

#include "ScrollView.h"
#include "TableViewCell.h"
#include "TableViewDataSource.h"
#include "TableViewDelegate.h"

#include <QList>
#include <QPointer>

namespace ui {

class Button;

enum class RowAnimation { Fade = 0, Right = 1, Left = 2, Top = 3, Bottom = 4, None = 5 };

// Rows in sections, plain or grouped, scrolling; rows are tapped to be
// selected, and in editing mode deleted (after a confirmation) and moved by
// their handles. The data source is asked for the cells of the rows in
// sight and a screen either way: a list of a thousand places costs what a
// screenful does.
class TableView : public ScrollView {
public:
    enum class Style { Plain, Grouped };

    explicit TableView(const QRect& frame = QRect(), Style style = Style::Plain);
    ~TableView() override;

    Style tableStyle() const { return style_; }
    void setDataSource(TableViewDataSource* source) { dataSource_ = source; }
    void setDelegate(TableViewDelegate* delegate)
    {
        delegate_ = delegate;
        ScrollView::setDelegate(delegate);
    }

    // Asks the data source for everything again and rebuilds the cells.
    void reloadData();
    void insertRowsAtIndexPaths(const QList<IndexPath>& paths, RowAnimation animation);
    void deleteRowsAtIndexPaths(const QList<IndexPath>& paths, RowAnimation animation);
    void setEditing(bool editing, bool animated);
    bool isEditing() const { return editing_; }
    void deselectRowAtIndexPath(const IndexPath& path, bool animated);
    void selectRowAtIndexPath(const IndexPath& path);

    int numberOfSections() const { return static_cast<int>(rows_.size()); }
    // The rows the table shows now (which may differ from what the data
    // source would answer until the table is told of a change).
    int numberOfRowsInSection(int section) const;
    // The row's cell, when it has one (rows far out of sight have none).
    TableViewCell* cellForRowAtIndexPath(const IndexPath& path) const;
    QRect rectForRowAtIndexPath(const IndexPath& path) const;
    std::optional<IndexPath> indexPathForRowAtPoint(const QPoint& contentPoint) const;
    std::optional<IndexPath> indexPathForCell(const TableViewCell* cell) const;
    // As a tap on the row: selects it and tells the delegate.
    void activateRow(const IndexPath& path);

    // Editing mode, as a finger would do it: the row's delete control, then
    // its confirmation button, or its handle dragged to another row.
    Button* deleteControl(const IndexPath& path) const;
    Button* confirmationButton() const;
    View* reorderControl(const IndexPath& path) const;
    void moveRow(const IndexPath& from, const IndexPath& to);

protected:
    void contentTapped(const QPoint& at) override;
    void contentPressed(const QPoint& at) override;
    void contentPressCancelled() override;
    void draw(QPainter& painter) override;
    void resizeEvent(QResizeEvent* event) override;
    void contentOffsetChanged() override;

private:
    struct Placed {
        IndexPath path;
        QRect frame;
        QPointer<TableViewCell> cell;
        QPointer<Button> deleteControl;
        QPointer<View> handle;
    };
    double rowHeight(const IndexPath& path);
    double headerHeight(int section);
    double footerHeight(int section);
    void layoutRows();
    // Makes the cells of the rows near sight, and drops those far from it.
    void placeCells();
    void placeCell(Placed& placed, bool first, bool last);
    void askForDeletion(const IndexPath& path);
    void dropConfirmation();
    void placeEditingControls(Placed& placed);
    void placeEditingControls(const IndexPath& path);
    friend class ReorderHandle;
    void dragRow(const IndexPath& from, int contentY, bool finished);

    Style style_;
    TableViewDataSource* dataSource_ = nullptr;
    TableViewDelegate* delegate_ = nullptr;
    bool editing_ = false;
    QList<int> rows_;
    QList<Placed> placed_;
    QList<QPair<int, QString>> headers_;  // y and title of each header
    QPointer<Button> confirm_;
    std::optional<IndexPath> confirming_;
    std::optional<IndexPath> pressed_;
    std::optional<IndexPath> selected_;
};

} // namespace ui
