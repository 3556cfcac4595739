#include "SoundsViewController.h"

#include "calendar/Utility.h"
#include "notifications/MyNotification.h"
#include "notifications/Planner.h"
#include "platform/foundation/Directories.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Slider.h"
#include "platform/ui/Style.h"
#include "platform/ui/Switch.h"
#include "screens/common/AboutInfo.h"
#include "screens/common/SaveFailure.h"
#include "screens/common/SettingsScreen.h"
#include "store/Settings.h"

#include <QDir>

#include <cmath>

namespace {

constexpr int kBarTop = 8;
constexpr int kTableTop = 44;

// What Save stores of the settings.
bool sameSound(const Settings& a, const Settings& b)
{
    return a.recording == b.recording && a.azanRecording == b.azanRecording && a.volume == b.volume && a.rises == b.rises;
}

} // namespace

SoundsViewController::SoundsViewController()
{
    setTitle(QStringLiteral("صدای اذان"));
    previewLater_.setSingleShot(true);
    previewLater_.setInterval(kPreviewDelayMs);
    previewLater_.callOnTimeout([this] { preview(); });
}

void SoundsViewController::viewDidLoad()
{
    ui::View* screen = view();
    screen->setBackgroundColor(QColor(197, 204, 212));
    installSaveButton(this, [this] { save(); });
    names_ = AboutInfo::load().recordings;
    // Unread settings are not edited as if they were the defaults: a save
    // would write the defaults over the user's own.
    const std::optional<Settings> loaded = Settings::load();
    readFailed_ = !loaded;
    stored_ = loaded.value_or(Settings::defaults());
    edited_ = stored_;
    if (readFailed_)
        (new ui::AlertView(QStringLiteral("تنظیمات صدا خوانده نشد"), QStringLiteral("لحظه‌ای دیگر دوباره این صفحه را باز کنید."), QStringLiteral("باشه")))
            ->present();

    azans_ = &screen->add<ui::SegmentedControl>(
        QStringList{QStringLiteral("همه"), QStringLiteral("صبح"), QStringLiteral("ظهر"), QStringLiteral("مغرب")}, QRect(10, kBarTop, 300, 30));
    azans_->setAccessibleName(QStringLiteral("اذان"));
    azans_->setSelectedSegmentIndex(kForAll);
    azans_->addAction(ui::ControlEvent::ValueChanged, [this] { showAzan(azans_->selectedSegmentIndex()); });

    tbl_ = &screen->add<ui::TableView>(QRect(0, kTableTop, 320, screen->height() - kTableTop), ui::TableView::Style::Grouped);
    tbl_->setAutoresizingMask(ui::View::FlexibleWidth | ui::View::FlexibleHeight);
    tbl_->setDataSource(this);
    tbl_->setDelegate(this);
    tbl_->reloadData();
}

bool SoundsViewController::hasUnsavedChanges() const
{
    return saveIsPending(this);
}

bool SoundsViewController::saveChanges()
{
    save();
    return !hasUnsavedChanges();
}

void SoundsViewController::discardChanges()
{
    previewLater_.stop();
    if (player_)
        player_->stop();
    edited_ = stored_;
    showAzan(segment_);
    changed();
}

ui::BarButtonItem* SoundsViewController::saveButton() const
{
    return saveButtonOf(this);
}

void SoundsViewController::showAzan(int segment)
{
    segment_ = std::clamp(segment, 0, Settings::kAzans);
    if (azans_ && azans_->selectedSegmentIndex() != segment_)
        azans_->setSelectedSegmentIndex(segment_);
    tbl_->reloadData();
}

int SoundsViewController::recordingShown() const
{
    return segment_ == kForAll ? edited_.recording : edited_.recordingOf(segment_ - 1);
}

int SoundsViewController::checkedRow() const
{
    if (segment_ == kForAll)
        return edited_.recording;
    const std::optional<int> own = edited_.azanRecording[static_cast<size_t>(segment_ - 1)];
    return own ? *own + 1 : 0;
}

int SoundsViewController::shownVolume() const
{
    // For all: the dawn azan's, which all share once it is moved.
    return edited_.volume[static_cast<size_t>(segment_ == kForAll ? 0 : segment_ - 1)];
}

void SoundsViewController::setVolume(int percent)
{
    const int v = std::clamp(percent, 0, 100);
    if (segment_ == kForAll)
        edited_.volume.fill(v);
    else
        edited_.volume[static_cast<size_t>(segment_ - 1)] = v;
    if (volumeLabel_)
        volumeLabel_->setText(volumeText(v));
    if (volume_ && std::lround(volume_->value()) != v)
        volume_->setValue(v);
    changed();
}

QString SoundsViewController::volumeText(int percent) const
{
    return Utility::ConvertToPersian(QString::number(percent)) + QStringLiteral("٪");
}

int SoundsViewController::numberOfSectionsInTableView(ui::TableView*)
{
    return 2;
}

int SoundsViewController::numberOfRowsInSection(ui::TableView*, int section)
{
    if (section == kVolumeSection)
        return 2;
    return segment_ == kForAll ? kEntries : kEntries + 1;
}

double SoundsViewController::heightForHeaderInSection(ui::TableView*, int section)
{
    return section == kVolumeSection ? 6 : 10;
}

ui::TableViewCell* SoundsViewController::cellForRowAtIndexPath(ui::TableView*, const ui::IndexPath& path)
{
    auto* cell = new ui::TableViewCell;
    if (path.section == kVolumeSection) {
        cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::None);
        if (path.row == 0) {
            cell->textLabel()->setText(QStringLiteral("بلندی صدا"));
            auto* slider = &cell->contentView()->add<ui::Slider>(QRect(100, 13, 120, 23));
            slider->setMinimumValue(0);
            slider->setMaximumValue(100);
            slider->setValue(shownVolume());
            slider->setAccessibleName(QStringLiteral("بلندی صدای اذان"));
            slider->addAction(ui::ControlEvent::ValueChanged, [this, slider] {
                const int v = static_cast<int>(std::lround(slider->value() / kVolumeStep)) * kVolumeStep;
                setVolume(v);
                previewLater_.start();
            });
            volume_ = slider;
            auto* label = &cell->contentView()->add<ui::Label>(QRect(225, 13, 50, 18));
            label->setTextFont(ui::font(QStringLiteral("Helvetica"), 16));
            label->setTextAlignment(ui::TextAlignment::Center);
            label->setBackgroundColor(Qt::transparent);
            // For all, while the azans have volumes of their own: says so
            // until the slider gives them one.
            const bool differ = segment_ == kForAll && (edited_.volume[1] != edited_.volume[0] || edited_.volume[2] != edited_.volume[0]);
            label->setText(differ ? QStringLiteral("متفاوت") : volumeText(shownVolume()));
            volumeLabel_ = label;
        } else {
            cell->textLabel()->setText(QStringLiteral("آغاز آرام"));
            auto* toggle = &cell->contentView()->add<ui::Switch>(QRect(220, 9, 94, 27));
            toggle->setOn(edited_.rises);
            toggle->setAccessibleName(QStringLiteral("آغاز آرام: صدا در چند ثانیهٔ نخست بلند می‌شود"));
            toggle->addAction(ui::ControlEvent::ValueChanged, [this, toggle] {
                edited_.rises = toggle->isOn();
                changed();
            });
            rises_ = toggle;
        }
        return cell;
    }
    cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::Blue);
    const bool asForAll = segment_ != kForAll && path.row == 0;
    const int recording = segment_ == kForAll ? path.row : path.row - 1;
    if (asForAll) {
        const QString all = edited_.recording == kRandom ? QStringLiteral("تصادفی") : names_.value(edited_.recording);
        cell->textLabel()->setText(QStringLiteral("مانند همه (%1)").arg(all));
    } else {
        cell->textLabel()->setText(recording == kRandom ? QStringLiteral("تصادفی") : names_.value(recording));
    }
    if (path.row == checkedRow())
        cell->setAccessoryType(ui::TableViewCell::Accessory::Checkmark);
    return cell;
}

void SoundsViewController::didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path)
{
    table->deselectRowAtIndexPath(path, true);
    if (path.section != kRecordingsSection)
        return;
    if (segment_ == kForAll)
        edited_.recording = path.row;
    else
        edited_.azanRecording[static_cast<size_t>(segment_ - 1)] = path.row == 0 ? std::nullopt : std::optional<int>(path.row - 1);
    for (int r = 0; r < table->numberOfRowsInSection(kRecordingsSection); ++r)
        if (ui::TableViewCell* cell = table->cellForRowAtIndexPath({kRecordingsSection, r}))
            cell->setAccessoryType(r == path.row ? ui::TableViewCell::Accessory::Checkmark : ui::TableViewCell::Accessory::None);
    preview();
    changed();
}

void SoundsViewController::preview()
{
    previewLater_.stop();
    if (player_) {
        player_->stop();
        player_.reset();
    }
    player_ = audio::AudioPlayer::create(QDir(foundation::Directories::resourcePath()).filePath(planner::recordingFile(recordingShown())));
    if (!player_)
        return;
    player_->setVolume(shownVolume() / 100.0);
    player_->play();
}

void SoundsViewController::changed()
{
    if (ui::BarButtonItem* save = saveButton())
        save->setEnabled(!readFailed_ && !sameSound(edited_, stored_));
}

void SoundsViewController::save()
{
    if (!Settings::saveAzanSound(edited_)) {
        tellSaveFailed(QStringLiteral("the azan's sound"));
        return;
    }
    stored_ = edited_;
    changed();
    // What is saved is what the next notifications follow, even before the
    // settings are left.
    MyNotification::initialize()->update();
    if (player_)
        player_->stop();
}

void SoundsViewController::viewDidDisappear(bool)
{
    previewLater_.stop();
    if (player_)
        player_->stop();
}
