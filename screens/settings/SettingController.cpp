#include "SettingController.h"

#include "calendar/Utility.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/Slider.h"
#include "platform/ui/Style.h"
#include "platform/ui/Switch.h"
#include "ReminderController.h"
#include "notifications/MyNotification.h"
#include "screens/common/SaveFailure.h"
#include "screens/common/SettingsScreen.h"
#include "store/Settings.h"

#include <cmath>

namespace {

const char* kLabels[SettingController::kSettings] = {"اذان صبح", "اذان ظهر", "اذان مغرب", "طلوع آفتاب", "وقت سحر", "وقت افطار"};
constexpr int kMinuteStep = 5;
constexpr int kSliderMax = 11;

} // namespace

SettingController::SettingController()
{
    setTitle(QStringLiteral("هشدارها"));
    notifications_ = QList<int>(kSettings, 0);
    difArray_ = QList<int>(Settings::kReminders, kMinuteStep);
    minuteLabels_ = QList<QPointer<ui::Label>>(Settings::kReminders);
}

void SettingController::viewDidLoad()
{
    tbl_ = fillWithTable(this, this, this);
    load();
    installSaveButton(this, [this] { save(); });
    tbl_->reloadData();
}

bool SettingController::hasUnsavedChanges() const
{
    return isViewLoaded() && saveButton() && saveButton()->isEnabled();
}

bool SettingController::saveChanges()
{
    save();
    return !hasUnsavedChanges();
}

void SettingController::discardChanges()
{
    load();
    tbl_->reloadData();
    saveButton()->setEnabled(false);
}

ui::BarButtonItem* SettingController::saveButton() const
{
    return const_cast<SettingController*>(this)->navigationItem()->rightBarButtonItem();
}

void SettingController::load()
{
    own_ = reminders::timeReminders().value_or(QList<reminders::TimeReminder>());
    const Settings settings = Settings::load().value_or(Settings::defaults());
    notifications_ = QList<int>(kSettings, 0);
    difArray_ = QList<int>(Settings::kReminders, kMinuteStep);
    for (int i = 0; i < kSettings; ++i) {
        const int v = settings.alarms[static_cast<size_t>(i)];
        if (v != 0) {
            notifications_[i] = 1;
            if (i >= kAzans)
                difArray_[i - kAzans] = v;
        }
    }
}

int SettingController::numberOfSectionsInTableView(ui::TableView*)
{
    return 5;
}

int SettingController::numberOfRowsInSection(ui::TableView*, int section)
{
    if (section == 0)
        return kAzans;
    if (section >= 1 && section <= 3)
        return 1 + notifications_[section + 2];
    if (section == kOwnSection)
        return static_cast<int>(own_.size()) + 1;
    return 0;
}

ui::TableViewCell* SettingController::cellForRowAtIndexPath(ui::TableView*, const ui::IndexPath& path)
{
    auto* cell = new ui::TableViewCell;
    cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::None);
    if (path.section == kOwnSection) {
        // The user's own reminders, and a way to add one.
        cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::Blue);
        cell->setAccessoryType(ui::TableViewCell::Accessory::DisclosureIndicator);
        const bool add = path.row >= own_.size();
        cell->textLabel()->setText(add ? QStringLiteral("افزودن یادآوری…") : own_[path.row].summary());
        cell->textLabel()->setTextFont(ui::font(add ? QStringLiteral("Helvetica-Bold") : QStringLiteral("Helvetica"), 15));
        cell->textLabel()->setAdjustsFontSizeToFitWidth(true);
        if (add)
            cell->textLabel()->setTextColor(QColor(40, 100, 220));
        return cell;
    }
    if (path.section == 0 || path.row == 0) {
        const int index = path.section == 0 ? path.row : path.section + 2;
        cell->textLabel()->setText(QString::fromUtf8(kLabels[index]));
        auto* toggle = &cell->contentView()->add<ui::Switch>(QRect(220, 9, 94, 27));
        toggle->setOn(notifications_[index] == 1);
        toggle->setTag(index);
        toggle->addAction(ui::ControlEvent::ValueChanged, [this, toggle] { valueChanged(toggle); });
        return cell;
    }
    const int k = path.section - 1;
    auto* slider = &cell->contentView()->add<ui::Slider>(QRect(20, 13, 170, 23));
    slider->setMinimumValue(0);
    slider->setMaximumValue(kSliderMax);
    slider->setValue(difArray_[k] / kMinuteStep - 1);
    slider->setTag(k);
    slider->setAccessibleName(QString::fromUtf8(kLabels[k + kAzans]) + QStringLiteral("، دقیقه قبل"));
    slider->addAction(ui::ControlEvent::ValueChanged, [this, slider] { sliderChanged(slider); });
    auto* value = &cell->contentView()->add<ui::Label>(QRect(280, 13, 22, 15));
    value->setTextFont(ui::font(QStringLiteral("Helvetica"), 18));
    value->setTextAlignment(ui::TextAlignment::Center);
    value->setBackgroundColor(Qt::transparent);
    value->setText(Utility::ConvertToPersian(QString::number(difArray_[k])));
    minuteLabels_[k] = value;
    auto* caption = &cell->contentView()->add<ui::Label>(QRect(225, 11, 50, 20));
    caption->setTextFont(ui::font(QStringLiteral("Helvetica"), 15));
    caption->setTextAlignment(ui::TextAlignment::Right);
    caption->setBackgroundColor(Qt::transparent);
    caption->setText(QStringLiteral("دقیقه قبل"));
    caption->setAdjustsFontSizeToFitWidth(true);
    return cell;
}

double SettingController::heightForHeaderInSection(ui::TableView*, int section)
{
    return section == 0 ? 8 : 4;
}

double SettingController::heightForFooterInSection(ui::TableView*, int)
{
    return 4;
}

void SettingController::didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path)
{
    table->deselectRowAtIndexPath(path, true);
    if (path.section != kOwnSection)
        return;
    openReminder(path.row < own_.size() ? own_[path.row] : reminders::TimeReminder{});
}

void SettingController::openReminder(const reminders::TimeReminder& reminder)
{
    auto* form = new ReminderController(reminder);
    form->setChanged([this] {
        own_ = reminders::timeReminders().value_or(own_);
        tbl_->reloadData();
    });
    if (ui::NavigationController* nav = navigationController())
        nav->pushViewController(form, true);
}

void SettingController::valueChanged(ui::Switch* sender)
{
    saveButton()->setEnabled(true);
    const int tag = sender->tag();
    notifications_[tag] = sender->isOn() ? 1 : 0;
    if (tag < kAzans)
        return;
    const int s = tag - 2;
    const ui::IndexPath p{s, 1};
    // The counts compared are what the table shows before the change.
    if (sender->isOn() && tbl_->numberOfRowsInSection(s) == 1)
        tbl_->insertRowsAtIndexPaths({p}, ui::RowAnimation::Top);
    else if (!sender->isOn() && tbl_->numberOfRowsInSection(s) > 1)
        tbl_->deleteRowsAtIndexPaths({p}, ui::RowAnimation::Fade);
}

void SettingController::sliderChanged(ui::Slider* sender)
{
    saveButton()->setEnabled(true);
    const int m = (static_cast<int>(std::floor(sender->value())) + 1) * kMinuteStep;
    const int k = sender->tag();
    if (minuteLabels_[k])
        minuteLabels_[k]->setText(Utility::ConvertToPersian(QString::number(m)));
    difArray_[k] = m;
}

void SettingController::save()
{
    std::array<int, Settings::kAlarms> values{};
    for (int i = 0; i < kSettings; ++i)
        values[static_cast<size_t>(i)] = i >= kAzans && notifications_[i] == 1 ? difArray_[i - kAzans] : notifications_[i];
    if (!Settings::saveAlarms(values)) {
        // Save stays on, with the user's choices on the screen.
        tellSaveFailed(QStringLiteral("the alarm settings"));
        return;
    }
    saveButton()->setEnabled(false);
    // What is saved is what the next notifications follow, even before the
    // settings are left.
    MyNotification::initialize()->update();
}
