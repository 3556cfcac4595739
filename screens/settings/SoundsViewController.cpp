#include "SoundsViewController.h"

#include "platform/foundation/Directories.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "screens/common/AboutInfo.h"
#include "notifications/MyNotification.h"
#include "notifications/Planner.h"
#include "screens/common/SaveFailure.h"
#include "screens/common/SettingsScreen.h"
#include "store/Settings.h"

#include <QDir>

SoundsViewController::SoundsViewController()
{
    setTitle(QStringLiteral("صدای اذان"));
}

void SoundsViewController::viewDidLoad()
{
    tbl_ = fillWithTable(this, this, this);
    installSaveButton(this, [this] { save(); });

    names_ = AboutInfo::load().recordings;
    selected_ = Settings::load().value_or(Settings::defaults()).recording;
    tbl_->reloadData();
}

ui::BarButtonItem* SoundsViewController::saveButton() const
{
    return const_cast<SoundsViewController*>(this)->navigationItem()->rightBarButtonItem();
}

int SoundsViewController::numberOfSectionsInTableView(ui::TableView*)
{
    return 1;
}

int SoundsViewController::numberOfRowsInSection(ui::TableView*, int)
{
    return kEntries;
}

double SoundsViewController::heightForHeaderInSection(ui::TableView*, int)
{
    return 6;
}

ui::TableViewCell* SoundsViewController::cellForRowAtIndexPath(ui::TableView*, const ui::IndexPath& path)
{
    auto* cell = new ui::TableViewCell;
    cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::Blue);
    cell->textLabel()->setText(path.row == kRandom ? QStringLiteral("تصادفی") : names_.value(path.row));
    if (path.row == selected_) {
        cell->setAccessoryType(ui::TableViewCell::Accessory::Checkmark);
        selectedPath_ = path;
    }
    return cell;
}

void SoundsViewController::didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path)
{
    if (selectedPath_) {
        if (ui::TableViewCell* old = table->cellForRowAtIndexPath(*selectedPath_))
            old->setAccessoryType(ui::TableViewCell::Accessory::None);
        if (player_) {
            player_->stop();
            player_.reset();
        }
    }
    if (ui::TableViewCell* cell = table->cellForRowAtIndexPath(path))
        cell->setAccessoryType(ui::TableViewCell::Accessory::Checkmark);
    table->deselectRowAtIndexPath(path, true);
    selectedPath_ = path;

    player_ = audio::AudioPlayer::create(QDir(foundation::Directories::resourcePath()).filePath(planner::recordingFile(path.row)));
    if (player_)
        player_->play();
    saveButton()->setEnabled(path.row != selected_);
}

void SoundsViewController::save()
{
    const int row = selectedPath_ ? selectedPath_->row : selected_;
    if (!Settings::saveRecording(row)) {
        tellSaveFailed(QStringLiteral("the azan recording"));
        return;
    }
    selected_ = row;
    saveButton()->setEnabled(false);
    // What is saved is what the next notifications follow, even before the
    // settings are left.
    MyNotification::initialize()->update();
    if (player_)
        player_->stop();
}

void SoundsViewController::viewDidDisappear(bool)
{
    if (player_)
        player_->stop();
}
