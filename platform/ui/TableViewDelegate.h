#pragma once

#include "IndexPath.h"
#include "ScrollViewDelegate.h"
#include "TableViewDataSource.h"

namespace ui {

// The table's delegate hears its scrolling too.
class TableViewDelegate : public virtual ScrollViewDelegate {
public:
    // A negative answer leaves the table's own default.
    virtual double heightForRowAtIndexPath(TableView*, const IndexPath&) { return -1; }
    virtual double heightForHeaderInSection(TableView*, int) { return -1; }
    virtual double heightForFooterInSection(TableView*, int) { return -1; }
    virtual void didSelectRowAtIndexPath(TableView*, const IndexPath&) {}
    virtual EditingStyle editingStyleForRowAtIndexPath(TableView*, const IndexPath&) { return EditingStyle::Delete; }
    virtual IndexPath targetIndexPathForMove(TableView*, const IndexPath&, const IndexPath& proposed) { return proposed; }
};

} // namespace ui
