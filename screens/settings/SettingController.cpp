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

const QString kTitle = QStringLiteral("هشدارها");

const Alarm& alarm(int index)
{
    return kAlarmTable[static_cast<size_t>(index)];
}

} // namespace

SettingController::SettingController()
{
    setTitle(kTitle);
    notifications_ = QList<int>(kSettings, 0);
    difArray_ = QList<int>(Settings::kReminders, kReminderStep);
    minuteLabels_ = QList<QPointer<ui::Label>>(Settings::kReminders);
}

void SettingController::viewDidLoad()
{
    tbl_ = fillWithTable(this, this, this);
    load();
    installSaveButton(this, [this] { save(); });
    tbl_->reloadData();
    if (readFailed_)
        tellReadFailed(kTitle);
}

void SettingController::edited()
{
    // Settings that could not be read are not saved over as if they were
    // the defaults.
    saveButton()->setEnabled(!readFailed_);
}

bool SettingController::hasUnsavedChanges() const
{
    return saveIsPending(this);
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
    return saveButtonOf(this);
}

void SettingController::load()
{
    own_ = reminders::timeReminders().value_or(QList<reminders::TimeReminder>());
    const std::optional<Settings> loaded = Settings::load();
    readFailed_ = !loaded;
    const Settings settings = loaded.value_or(Settings::defaults());
    notifications_ = QList<int>(kSettings, 0);
    difArray_ = QList<int>(Settings::kReminders, kReminderStep);
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
    return kOwnSection + 1;
}

int SettingController::numberOfRowsInSection(ui::TableView*, int section)
{
    // The azans, then each reminder (with its minutes when it is on).
    if (section == 0)
        return kAzans;
    if (section >= 1 && section < kOwnSection)
        return 1 + notifications_[section - 1 + kAzans];
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
        const int index = path.section == 0 ? path.row : path.section - 1 + kAzans;
        cell->textLabel()->setText(alarm(index).name());
        auto* toggle = &cell->contentView()->add<ui::Switch>(QRect(220, 9, 94, 27));
        toggle->setOn(notifications_[index] == 1);
        toggle->setTag(index);
        toggle->addAction(ui::ControlEvent::ValueChanged, [this, toggle] { valueChanged(toggle); });
        return cell;
    }
    const int k = path.section - 1;
    const Alarm& a = alarm(k + kAzans);
    // The slider's steps from one step to the cap.
    auto* slider = &cell->contentView()->add<ui::Slider>(QRect(20, 13, 170, 23));
    slider->setMinimumValue(0);
    slider->setMaximumValue(a.cap / a.step - 1);
    slider->setValue(difArray_[k] / a.step - 1);
    slider->setTag(k);
    slider->setAccessibleName(a.name() + QStringLiteral("، دقیقه قبل"));
    const QString minutes = Utility::ConvertToPersian(QString::number(difArray_[k]));
    slider->setAccessibleValue(minutes);
    slider->addAction(ui::ControlEvent::ValueChanged, [this, slider] { sliderChanged(slider); });
    // The minutes, then their caption, as the line reads ("۵ دقیقه قبل").
    auto* value = &cell->contentView()->add<ui::Label>(QRect(226, 13, 22, 15));
    value->setTextFont(ui::font(QStringLiteral("Helvetica"), 18));
    value->setTextAlignment(ui::TextAlignment::Center);
    value->setBackgroundColor(Qt::transparent);
    value->setText(minutes);
    minuteLabels_[k] = value;
    auto* caption = &cell->contentView()->add<ui::Label>(QRect(252, 11, 50, 20));
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
    edited();
    const int tag = sender->tag();
    notifications_[tag] = sender->isOn() ? 1 : 0;
    if (tag < kAzans)
        return;
    const int s = tag - kAzans + 1;
    const ui::IndexPath p{s, 1};
    // The counts compared are what the table shows before the change.
    if (sender->isOn() && tbl_->numberOfRowsInSection(s) == 1)
        tbl_->insertRowsAtIndexPaths({p}, ui::RowAnimation::Top);
    else if (!sender->isOn() && tbl_->numberOfRowsInSection(s) > 1)
        tbl_->deleteRowsAtIndexPaths({p}, ui::RowAnimation::Fade);
}

void SettingController::sliderChanged(ui::Slider* sender)
{
    edited();
    const int k = sender->tag();
    const int m = (static_cast<int>(std::floor(sender->value())) + 1) * alarm(k + kAzans).step;
    const QString minutes = Utility::ConvertToPersian(QString::number(m));
    if (minuteLabels_[k])
        minuteLabels_[k]->setText(minutes);
    sender->setAccessibleValue(minutes);
    difArray_[k] = m;
}

void SettingController::save()
{
    if (readFailed_)
        return;
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
