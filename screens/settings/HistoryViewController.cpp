#include "HistoryViewController.h"

#include "calendar/ClockTime.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/Style.h"
#include "platform/ui/Switch.h"
#include "notifications/MyNotification.h"
#include "screens/common/SaveFailure.h"
#include "screens/common/SettingsScreen.h"
#include "store/Settings.h"

namespace {
constexpr int kDefaultHour = 8;
} // namespace

HistoryViewController::HistoryViewController()
{
    setTitle(QStringLiteral("رویدادها"));
}

void HistoryViewController::viewDidLoad()
{
    ui::View* screen = view();
    screen->setBackgroundColor(QColor(197, 204, 212));
    tbl_ = &screen->add<ui::TableView>(QRect(0, 0, 320, 70), ui::TableView::Style::Grouped);
    tbl_->setDataSource(this);
    tbl_->setScrollEnabled(false);
    picker_ = &screen->add<ui::DatePicker>(QRect(0, 90, 320, 216));
    picker_->addAction(ui::ControlEvent::ValueChanged, [this] { pickerValueChanged(picker_); });

    // The frame goes in front of the picker's own parts.
    auto* frame = new ui::ImageView(ui::image(QStringLiteral("pickerRound.png")));
    picker_->insertSubview(frame, static_cast<int>(picker_->subviews().size()));
    installSaveButton(this, [this] { save(); });
    load();
    tbl_->reloadData();
}

ui::BarButtonItem* HistoryViewController::saveButton() const
{
    return const_cast<HistoryViewController*>(this)->navigationItem()->rightBarButtonItem();
}

void HistoryViewController::load()
{
    const std::optional<ClockTime> at = Settings::load().value_or(Settings::defaults()).eventsTime;
    selectedDate_ = Settings::eventsTimeText(at);
    currentDate_ = selectedDate_;
    const bool on = at.has_value();
    picker_->setTime(on ? QTime(at->hour, at->minute) : QTime(kDefaultHour, 0));
    picker_->setControlEnabled(on);
    picker_->setAlpha(on ? 1.0 : 0.0);
}

ClockTime HistoryViewController::pickerTime() const
{
    const QTime t = picker_->time();
    return {t.hour(), t.minute()};
}

int HistoryViewController::numberOfRowsInSection(ui::TableView*, int)
{
    return 1;
}

ui::TableViewCell* HistoryViewController::cellForRowAtIndexPath(ui::TableView*, const ui::IndexPath&)
{
    auto* cell = new ui::TableViewCell;
    cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::None);
    cell->textLabel()->setText(QStringLiteral("تقویم تاریخ"));
    auto* toggle = &cell->contentView()->add<ui::Switch>(QRect(220, 9, 94, 27));
    toggle->setOn(picker_->isControlEnabled());
    toggle->addAction(ui::ControlEvent::ValueChanged, [this, toggle] { valueChanged(toggle); });
    return cell;
}

void HistoryViewController::valueChanged(ui::Switch* sender)
{
    const bool on = sender->isOn();
    picker_->setControlEnabled(on);
    picker_->animateAlpha(on ? 1.0 : 0.0, kFadeMs);
    currentDate_ = Settings::eventsTimeText(on ? std::optional<ClockTime>(pickerTime()) : std::nullopt);
    saveButton()->setEnabled(currentDate_ != selectedDate_);
}

void HistoryViewController::pickerValueChanged(ui::DatePicker*)
{
    currentDate_ = pickerTime().padded();
    saveButton()->setEnabled(currentDate_ != selectedDate_);
}

void HistoryViewController::save()
{
    const std::optional<ClockTime> time = picker_->isControlEnabled() ? std::optional<ClockTime>(pickerTime()) : std::nullopt;
    currentDate_ = Settings::eventsTimeText(time);
    if (!Settings::saveEventsTime(time)) {
        tellSaveFailed(QStringLiteral("the events time"));
        return;
    }
    selectedDate_ = currentDate_;
    saveButton()->setEnabled(false);
    // What is saved is what the next notifications follow, even before the
    // settings are left.
    MyNotification::initialize()->update();
}
