#pragma once

#include "IndexPath.h"
#include "View.h"

namespace ui {

class Label;

// One row of a table: a text label, in the value-1 style a detail label,
// an accessory, and whatever controls the screen adds to it.
class TableViewCell : public View {
public:
    enum class Style { Default, Value1 };
    enum class Accessory { None, DisclosureIndicator, Checkmark };
    enum class SelectionStyle { None, Blue, Gray };

    explicit TableViewCell(Style style = Style::Default, const QString& reuseIdentifier = QString());

    Style cellStyle() const { return style_; }
    QString reuseIdentifier() const { return reuse_; }
    Label* textLabel() const { return text_; }
    Label* detailTextLabel() const { return detail_; }
    void setAccessoryType(Accessory accessory);
    Accessory accessoryType() const { return accessory_; }
    // A view of the screen's at the accessory's place (the far side from
    // the text), at its own size, in place of the accessory; the text
    // keeps clear of it. The cell takes it.
    void setAccessoryView(View* view);
    View* accessoryView() const { return accessoryView_; }
    void setSelectionStyle(SelectionStyle style) { selection_ = style; }
    SelectionStyle selectionStyle() const { return selection_; }
    void setHighlighted(bool highlighted);
    bool isHighlighted() const { return highlighted_; }
    // The cell's own subviews are its contents; a screen adds its controls here.
    View* contentView() { return this; }

    // Set by the table: where the cell stands in its group and whether it
    // shows editing controls (which push the text aside).
    void setPlacement(bool first, bool last, bool grouped);
    void setEditingInset(int left, int right);
    // Places the labels for the current size, texts and accessory.
    void layoutSubviews();

    // The property that marks a subview the table places itself (editing
    // controls), which the cell leaves where it is.
    static constexpr const char* kPlacedByTable = "ui.placedByTable";

protected:
    void draw(QPainter& painter) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void mirrorContents();

    Style style_;
    QString reuse_;
    Label* text_;
    Label* detail_ = nullptr;
    View* accessoryView_ = nullptr;
    Accessory accessory_ = Accessory::None;
    SelectionStyle selection_ = SelectionStyle::Blue;
    bool highlighted_ = false;
    QColor textColor_;
    bool first_ = true;
    bool last_ = true;
    bool grouped_ = false;
    int insetLeft_ = 0;
    int insetRight_ = 0;
};

} // namespace ui
