#pragma once

#include "calendar/EventRules.h"

#include "platform/ui/TableView.h"
#include "platform/ui/TableViewDelegate.h"
#include "platform/ui/ViewController.h"

#include <functional>

namespace ui {
class BarButtonItem;
class Switch;
} // namespace ui

// Which kinds of occasions the calendar, the day page, the events notice
// and the exports show: Iran's official ones, the festivals of ancient
// Iran, the international days, Afghanistan's. A switch each, kept with
// Save.
class EventKindsController : public ui::ViewController, public ui::TableViewDataSource, public ui::TableViewDelegate {
public:
    EventKindsController();

    void viewDidLoad() override;
    bool hasUnsavedChanges() const override;
    bool saveChanges() override;
    void discardChanges() override;

    // Told once the kinds are stored.
    void setChanged(std::function<void()> changed) { changed_ = std::move(changed); }

    void setShown(EventRules::Kind kind, bool shown);
    // Stores them; false (and said) when they were not.
    bool save();

    const EventRules::Kinds& kinds() const { return kinds_; }
    bool loaded() const { return loaded_; }
    ui::BarButtonItem* saveButton() const;
    ui::Switch* kindSwitch(EventRules::Kind kind) const { return switches_[static_cast<size_t>(kind)]; }

    int numberOfRowsInSection(ui::TableView* table, int section) override;
    ui::TableViewCell* cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    double heightForFooterInSection(ui::TableView* table, int section) override;

private:
    EventRules::Kinds kinds_ = EventRules::kDefaultKinds;
    EventRules::Kinds stored_ = EventRules::kDefaultKinds;
    bool loaded_ = false;
    std::array<ui::Switch*, EventRules::kKinds> switches_{};
    ui::TableView* tbl_ = nullptr;
    std::function<void()> changed_;
};
