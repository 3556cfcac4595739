#pragma once

#include "calendar/EventRules.h"
#include "calendar/EventSearch.h"
#include "platform/ui/SearchBarDelegate.h"
#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"

#include <QTimer>

#include <functional>
#include <optional>

namespace ui {
class Label;
class SearchBar;
} // namespace ui

// "جستجوی مناسبت‌ها": the occasions of the kinds shown and the user's own
// reminders whose text holds what is typed, on every day of the data's
// years they fall on, in date order from the first day on or after today;
// a tap opens that day in the calendar.
class OccasionSearchController : public ui::ViewController,
                                 public ui::SearchBarDelegate,
                                 public ui::TableViewDataSource,
                                 public ui::TableViewDelegate {
public:
    OccasionSearchController();

    // Told the day tapped before the screen closes.
    void setOpenDay(std::function<void(const SolarDate&)> open) { openDay_ = std::move(open); }

    void viewDidLoad() override;
    bool accessibilityPerformEscape() override;
    void searchBarTextDidChange(ui::SearchBar* bar, const QString& text) override;
    void searchBarCancelButtonClicked(ui::SearchBar* bar) override;
    void searchBarSearchButtonClicked(ui::SearchBar* bar) override;

    int numberOfRowsInSection(ui::TableView* table, int section) override;
    ui::TableViewCell* cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    double heightForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    void didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;

    // Searches now for `text` (typing waits for a pause first).
    void search(const QString& text);
    const QList<EventSearch::Found>& found() const { return found_; }
    ui::SearchBar* searchBar() const { return bar_; }
    ui::TableView* results() const { return table_; }
    ui::Label* status() const { return status_; }

    // How long typing pauses before a search runs.
    static constexpr int kPauseMs = 250;
    static constexpr int kRowHeight = 46;

private:
    std::function<void(const SolarDate&)> openDay_;
    std::optional<EventRules> rules_;
    QList<EventSearch::Found> found_;
    QTimer pause_;
    ui::SearchBar* bar_ = nullptr;
    ui::Label* status_ = nullptr;
    ui::TableView* table_ = nullptr;
};
