#pragma once

#include "Control.h"

#include <QStringList>

namespace ui {

class SegmentedControl;

// A segment as a screen reader reaches it: the control draws its segments
// itself, and each is told apart by one of these, owned by the control.
class SegmentItem : public QObject {
public:
    SegmentItem(SegmentedControl* control, int index);
    SegmentedControl* control() const;
    int index() const { return index_; }

private:
    int index_;
};

// A row of segments of which one is chosen; a tap on another chooses it
// and sends ValueChanged. Segments run from the right, as a Persian reader
// reads them; one may be turned off.
class SegmentedControl : public Control {
public:
    explicit SegmentedControl(const QStringList& titles, const QRect& frame = QRect());

    int selectedSegmentIndex() const { return selected_; }
    void setSelectedSegmentIndex(int index);
    void setEnabledForSegment(int index, bool enabled);
    bool isEnabledForSegment(int index) const;
    int numberOfSegments() const { return static_cast<int>(titles_.size()); }
    QString titleForSegment(int index) const { return titles_.value(index); }
    // The segment's rectangle, in the control's points.
    QRect segmentRect(int index) const;
    // What a tap on the segment does: chosen, if it may be, and told.
    void chooseSegment(int index) { choose(index); }
    const QList<SegmentItem*>& segmentItems() const { return items_; }

protected:
    void draw(QPainter& painter) override;
    void tapped(const QPoint& at) override;
    bool stepped(int key) override;

private:
    void choose(int index);

    QStringList titles_;
    QList<bool> enabled_;
    QList<SegmentItem*> items_;
    int selected_ = -1;
};

} // namespace ui
