#include "HistoryViewController.h"

#include "EventKindsController.h"
#include "HijriMonthsController.h"

#include "calendar/ClockTime.h"
#include "calendar/Utility.h"
#include "platform/foundation/Clock.h"
#include "calendar/DateTexts.h"
#include "calendar/EventRules.h"
#include "platform/ui/TableViewCell.h"
#include "store/EventKinds.h"
#include "store/HijriMonths.h"
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

#include <algorithm>

namespace {
constexpr int kPickerTop = 62;
constexpr int kPickerHeight = 176;
constexpr int kMoreRows = 2;
constexpr int kMoreHeight = 98;
enum MoreRow { KindsRow = 0, HijriRow = 1 };
} // namespace

HistoryViewController::HistoryViewController()
{
    setTitle(QStringLiteral("رویدادها"));
}

void HistoryViewController::viewDidLoad()
{
    ui::View* screen = view();
    screen->setBackgroundColor(QColor(197, 204, 212));
    tbl_ = &screen->add<ui::TableView>(QRect(0, 0, 320, kPickerTop), ui::TableView::Style::Grouped);
    tbl_->setDataSource(this);
    tbl_->setScrollEnabled(false);
    picker_ = &screen->add<ui::DatePicker>(QRect(0, kPickerTop, 320, kPickerHeight));
    picker_->addAction(ui::ControlEvent::ValueChanged, [this] { pickerValueChanged(picker_); });

    // The frame goes in front of the picker's own parts.
    auto* frame = new ui::ImageView(ui::image(QStringLiteral("pickerRound.png")));
    picker_->insertSubview(frame, static_cast<int>(picker_->subviews().size()));

    more_ = &screen->add<ui::TableView>(QRect(0, kPickerTop + kPickerHeight, 320, kMoreHeight), ui::TableView::Style::Grouped);
    more_->setDataSource(this);
    more_->setDelegate(this);
    more_->setScrollEnabled(false);
    said_ = &screen->add<ui::Label>(QRect(12, kPickerTop + kPickerHeight + kMoreHeight - 2, 296, 30));
    said_->setTextFont(ui::font(QStringLiteral("Helvetica"), 10));
    said_->setTextColor(QColor(76, 86, 108));
    said_->setBackgroundColor(Qt::transparent);
    said_->setTextAlignment(ui::TextAlignment::Right);
    said_->setNumberOfLines(0);
    installSaveButton(this, [this] { save(); });
    load();
    tbl_->reloadData();
    if (readFailed_)
        tellReadFailed(title());
}

void HistoryViewController::viewWillAppear(bool animated)
{
    ui::ViewController::viewWillAppear(animated);
    // Back from the kinds or the months: their rows say what is now.
    if (more_)
        more_->reloadData();
    if (said_)
        said_->setText(Utility::ConvertToPersian(hijri::observedUpTo()));
}

void HistoryViewController::openKinds()
{
    auto* screen = new EventKindsController;
    screen->setChanged([this] { more_->reloadData(); });
    if (ui::NavigationController* nav = navigationController())
        nav->pushViewController(screen, true);
    else
        delete screen;
}

void HistoryViewController::openHijriMonths()
{
    auto* screen = new HijriMonthsController;
    screen->setChanged([this] { more_->reloadData(); });
    if (ui::NavigationController* nav = navigationController())
        nav->pushViewController(screen, true);
    else
        delete screen;
}

void HistoryViewController::enableSave()
{
    saveButton()->setEnabled(!readFailed_ && currentDate_ != selectedDate_);
}

bool HistoryViewController::hasUnsavedChanges() const
{
    return saveIsPending(this);
}

bool HistoryViewController::saveChanges()
{
    save();
    return !hasUnsavedChanges();
}

void HistoryViewController::discardChanges()
{
    load();
    tbl_->reloadData();
    enableSave();
}

ui::BarButtonItem* HistoryViewController::saveButton() const
{
    return saveButtonOf(this);
}

void HistoryViewController::load()
{
    // Unread settings are not edited as if they were the defaults.
    const std::optional<Settings> loaded = Settings::load();
    readFailed_ = !loaded;
    const std::optional<ClockTime> at = loaded.value_or(Settings::defaults()).eventsTime;
    selectedDate_ = Settings::eventsTimeText(at);
    currentDate_ = selectedDate_;
    const bool on = at.has_value();
    const ClockTime shown = at.value_or(Settings::kDefaultEventsTime);
    picker_->setTime(QTime(shown.hour, shown.minute));
    picker_->setControlEnabled(on);
    picker_->setAlpha(on ? 1.0 : 0.0);
}

ClockTime HistoryViewController::pickerTime() const
{
    const QTime t = picker_->time();
    return {t.hour(), t.minute()};
}

int HistoryViewController::numberOfRowsInSection(ui::TableView* table, int)
{
    return table == more_ ? kMoreRows : 1;
}

ui::TableViewCell* HistoryViewController::cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path)
{
    if (table == more_) {
        auto* cell = new ui::TableViewCell(ui::TableViewCell::Style::Value1);
        cell->setAccessoryType(ui::TableViewCell::Accessory::DisclosureIndicator);
        if (path.row == KindsRow) {
            cell->textLabel()->setText(QStringLiteral("گروه‌های مناسبت"));
            const EventRules::Kinds kinds = eventKinds::load().value_or(EventRules::kDefaultKinds);
            const int shown = static_cast<int>(std::count(kinds.begin(), kinds.end(), true));
            cell->detailTextLabel()->setText(shown == 1 && kinds[0] ? QStringLiteral("رسمی ایران")
                                                                    : Utility::ConvertToPersian(QStringLiteral("%1 گروه").arg(shown)));
        } else {
            cell->textLabel()->setText(QStringLiteral("تاریخ قمری"));
            cell->detailTextLabel()->setText(Utility::ConvertToPersian(DateTexts::hijri(foundation::Clock::now().date())));
        }
        return cell;
    }
    auto* cell = new ui::TableViewCell;
    cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::None);
    cell->textLabel()->setText(QStringLiteral("تقویم تاریخ"));
    auto* toggle = &cell->contentView()->add<ui::Switch>(QRect(220, 9, 94, 27));
    toggle->setOn(picker_->isControlEnabled());
    toggle->addAction(ui::ControlEvent::ValueChanged, [this, toggle] { valueChanged(toggle); });
    return cell;
}

void HistoryViewController::didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path)
{
    table->deselectRowAtIndexPath(path, true);
    if (table != more_)
        return;
    if (path.row == KindsRow)
        openKinds();
    else
        openHijriMonths();
}

void HistoryViewController::valueChanged(ui::Switch* sender)
{
    const bool on = sender->isOn();
    picker_->setControlEnabled(on);
    picker_->animateAlpha(on ? 1.0 : 0.0, kFadeMs);
    currentDate_ = Settings::eventsTimeText(on ? std::optional<ClockTime>(pickerTime()) : std::nullopt);
    enableSave();
}

void HistoryViewController::pickerValueChanged(ui::DatePicker*)
{
    currentDate_ = pickerTime().padded();
    enableSave();
}

void HistoryViewController::save()
{
    if (readFailed_)
        return;
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
