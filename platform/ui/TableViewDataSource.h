#pragma once

#include "IndexPath.h"

#include <QString>

namespace ui {

class TableView;
class TableViewCell;

enum class EditingStyle { None, Delete, Insert };

// The questions a table asks about its content. Cells are handed over: the
// table owns every cell it is given.
class TableViewDataSource {
public:
    virtual ~TableViewDataSource() = default;
    virtual int numberOfSectionsInTableView(TableView*) { return 1; }
    virtual int numberOfRowsInSection(TableView* table, int section) = 0;
    virtual TableViewCell* cellForRowAtIndexPath(TableView* table, const IndexPath& path) = 0;
    virtual QString titleForHeaderInSection(TableView*, int) { return QString(); }
    virtual bool canMoveRowAtIndexPath(TableView*, const IndexPath&) { return false; }
    virtual void commitEditingStyle(TableView*, EditingStyle, const IndexPath&) {}
    virtual void moveRowAtIndexPath(TableView*, const IndexPath&, const IndexPath&) {}
};

} // namespace ui
