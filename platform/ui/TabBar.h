#pragma once

#include "View.h"

#include <QList>
#include <QPointer>

namespace ui {

class TabBarController;
class TabBarItem;

// The tabs at the bottom of a tab bar controller, one item each.
class TabBar : public View {
public:
    explicit TabBar(TabBarController* owner);
    QList<TabBarItem*> items() const;
    void setItems(const QList<TabBarItem*>& items);
    void setSelectedIndex(int index);
    int selectedIndex() const { return selected_; }
    QRect itemRect(int index) const;
    // As a tap on the item: it opens its tab, if it is enabled.
    void selectItem(int index);

protected:
    void draw(QPainter& painter) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TabBarController* owner_;
    QList<QPointer<TabBarItem>> items_;
    int selected_ = 0;
};

} // namespace ui
