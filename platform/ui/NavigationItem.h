#pragma once

#include "BarButtonItem.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

namespace ui {

// What a screen shows in the navigation bar while it is on top.
class NavigationItem : public QObject {
public:
    void setTitle(const QString& title);
    QString title() const { return title_; }
    // The item becomes the navigation item's.
    void setLeftBarButtonItem(BarButtonItem* item);
    void setRightBarButtonItem(BarButtonItem* item);
    BarButtonItem* leftBarButtonItem() const { return left_; }
    BarButtonItem* rightBarButtonItem() const { return right_; }
    void setChangeHandler(std::function<void()> handler) { changed_ = std::move(handler); }
    // A tap on the title (a link, where a screen wants one).
    void setTitleAction(std::function<void()> action) { titleAction_ = std::move(action); }
    const std::function<void()>& titleAction() const { return titleAction_; }

private:
    void place(QPointer<BarButtonItem>& slot, BarButtonItem* item);
    void changed();

    QString title_;
    std::function<void()> titleAction_;
    QPointer<BarButtonItem> left_;
    QPointer<BarButtonItem> right_;
    std::function<void()> changed_;
};

} // namespace ui
