#pragma once

#include "Button.h"
#include "IndexPath.h"
#include "View.h"

#include <QColor>

class QMouseEvent;

namespace ui {

class TableView;

// The red of a removal: the control, and the button that confirms it.
inline QColor deleteRed()
{
    return QColor(204, 35, 35);
}

// The controls a table's rows get in editing mode: the red round control
// at a row's start, which asks for its removal, and the grip at its end,
// which moves the row where it is dragged.
class DeleteControl : public Button {
public:
    DeleteControl() : Button(Type::Custom) {}

protected:
    void draw(QPainter& painter) override;
};

class ReorderHandle : public View {
public:
    ReorderHandle(TableView* table, const IndexPath& path);

protected:
    void draw(QPainter& painter) override;
    void mousePressEvent(QMouseEvent*) override {}
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int contentY(QMouseEvent* event) const;
    TableView* table_;
    IndexPath path_;
};

} // namespace ui
