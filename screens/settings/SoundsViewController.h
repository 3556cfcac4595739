#pragma once

#include "store/Settings.h"

#include "platform/audio/AudioPlayer.h"
#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"

#include <memory>
#include <optional>

namespace ui {
class BarButtonItem;
}

// The azan recording: one of seven, or a random one for each azan; a tap
// previews it.
class SoundsViewController : public ui::ViewController, public ui::TableViewDataSource, public ui::TableViewDelegate {
public:
    SoundsViewController();

    void viewDidLoad() override;
    void viewDidDisappear(bool animated) override;
    void save();

    int numberOfSectionsInTableView(ui::TableView* table) override;
    int numberOfRowsInSection(ui::TableView* table, int section) override;
    double heightForHeaderInSection(ui::TableView* table, int section) override;
    ui::TableViewCell* cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    void didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;

    int selected() const { return selected_; }
    std::optional<ui::IndexPath> selectedPath() const { return selectedPath_; }
    audio::AudioPlayer* player() const { return player_.get(); }
    ui::TableView* tbl() const { return tbl_; }
    ui::BarButtonItem* saveButton() const;

    // The recordings, then the random choice.
    static constexpr int kEntries = Settings::kRecordings + 1;
    static constexpr int kRandom = Settings::kRandomRecording;

private:
    int selected_ = 0;
    std::optional<ui::IndexPath> selectedPath_;
    std::unique_ptr<audio::AudioPlayer> player_;
    ui::TableView* tbl_ = nullptr;
    QStringList names_;
};
