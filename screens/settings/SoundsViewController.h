#pragma once

#include "store/Settings.h"

#include "platform/audio/AudioPlayer.h"
#include "platform/ui/Label.h"
#include "platform/ui/Slider.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"

#include <QPointer>
#include <QTimer>

#include <memory>
#include <optional>

namespace ui {
class BarButtonItem;
class SegmentedControl;
} // namespace ui

// The azan's sound: the recording for all azans (one of seven, or a random
// one for each azan), and for each of the dawn, noon and evening azans a
// recording of its own if the user wants one, its volume, and whether the
// azans rise to it from silence. A tap on a recording previews it at the
// chosen volume; so does letting go of the volume.
class SoundsViewController : public ui::ViewController, public ui::TableViewDataSource, public ui::TableViewDelegate {
public:
    SoundsViewController();

    void viewDidLoad() override;
    void viewDidDisappear(bool animated) override;
    bool hasUnsavedChanges() const override;
    bool saveChanges() override;
    void discardChanges() override;

    void save();

    int numberOfSectionsInTableView(ui::TableView* table) override;
    int numberOfRowsInSection(ui::TableView* table, int section) override;
    double heightForHeaderInSection(ui::TableView* table, int section) override;
    ui::TableViewCell* cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;
    void didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path) override;

    // Which azan the screen sets: kForAll, or 1 + the azan (0 dawn).
    void showAzan(int segment);
    int shownAzan() const { return segment_; }
    // The recording row checked for the azan shown.
    int checkedRow() const;
    // Sets the volume shown (0 to 100), as the slider does.
    void setVolume(int percent);
    int shownVolume() const;

    // What Save would store.
    const Settings& edited() const { return edited_; }
    audio::AudioPlayer* player() const { return player_.get(); }
    ui::TableView* tbl() const { return tbl_; }
    ui::SegmentedControl* azans() const { return azans_; }
    ui::Slider* volumeSlider() const { return volume_; }
    ui::Switch* risesSwitch() const { return rises_; }
    ui::BarButtonItem* saveButton() const;

    static constexpr int kForAll = 0;
    static constexpr int kVolumeSection = 0;
    static constexpr int kRecordingsSection = 1;
    // The recordings, then the random choice; for one azan, "as for all"
    // comes first.
    static constexpr int kEntries = Settings::kRecordings + 1;
    static constexpr int kRandom = Settings::kRandomRecording;
    static constexpr int kVolumeStep = 5;
    // A preview of a new volume waits for the finger to rest this long.
    static constexpr int kPreviewDelayMs = 400;

private:
    // The recording the azan shown plays (for all: the one for all).
    int recordingShown() const;
    void preview();
    void changed();
    QString volumeText(int percent) const;

    Settings stored_;
    bool readFailed_ = false;
    Settings edited_;
    int segment_ = kForAll;
    std::unique_ptr<audio::AudioPlayer> player_;
    ui::TableView* tbl_ = nullptr;
    ui::SegmentedControl* azans_ = nullptr;
    QPointer<ui::Slider> volume_;
    QPointer<ui::Label> volumeLabel_;
    QPointer<ui::Switch> rises_;
    QTimer previewLater_;
    QStringList names_;
};
