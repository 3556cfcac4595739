#include "HistoryViewController.h"

#include "calendar/ClockTime.h"
#include "calendar/Utility.h"
#include "platform/foundation/Clock.h"
#include "platform/ui/SegmentedControl.h"
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
    tbl_ = &screen->add<ui::TableView>(QRect(0, 0, 320, 62), ui::TableView::Style::Grouped);
    tbl_->setDataSource(this);
    tbl_->setScrollEnabled(false);
    picker_ = &screen->add<ui::DatePicker>(QRect(0, 62, 320, 176));
    picker_->addAction(ui::ControlEvent::ValueChanged, [this] { pickerValueChanged(picker_); });

    // The frame goes in front of the picker's own parts.
    auto* frame = new ui::ImageView(ui::image(QStringLiteral("pickerRound.png")));
    picker_->insertSubview(frame, static_cast<int>(picker_->subviews().size()));
    installSaveButton(this, [this] { save(); });
    addHijriPanel();
    load();
    tbl_->reloadData();
}

void HistoryViewController::addHijriPanel()
{
    auto* panel = &view()->add<ui::View>(QRect(8, 244, 304, 118));
    panel->setBackgroundColor(Qt::white);
    panel->setCornerRadius(8);
    auto* title = &panel->add<ui::Label>(QRect(10, 4, 284, 24));
    title->setText(QStringLiteral("تاریخ قمری"));
    title->setTextFont(ui::font(QStringLiteral("Helvetica-Bold"), 16));
    title->setTextAlignment(ui::TextAlignment::Right);
    hijri_ = &panel->add<ui::SegmentedControl>(
        QStringList{QStringLiteral("یک روز کمتر"), QStringLiteral("طبق پیش‌بینی"), QStringLiteral("یک روز بیشتر")},
        QRect(10, 30, 284, 30));
    hijri_->addAction(ui::ControlEvent::ValueChanged, [this] { hijriChanged(); });
    hijriToday_ = &panel->add<ui::Label>(QRect(10, 64, 284, 20));
    hijriToday_->setTextFont(ui::font(QStringLiteral("Helvetica"), 14));
    hijriToday_->setTextAlignment(ui::TextAlignment::Right);
    auto* said = &panel->add<ui::Label>(QRect(10, 86, 284, 28));
    said->setText(Utility::ConvertToPersian(hijri::observedUpTo()));
    said->setTextFont(ui::font(QStringLiteral("Helvetica"), 11));
    said->setTextColor(ui::grayColor());
    said->setTextAlignment(ui::TextAlignment::Right);
    said->setNumberOfLines(0);
}

void HistoryViewController::showHijri()
{
    for (int i = 0; i < hijri_->numberOfSegments(); ++i) {
        if (kCorrections[i] == correction_)
            hijri_->setSelectedSegmentIndex(i);
        hijri_->setEnabledForSegment(i, hijri::allows(month_.year, month_.month, kCorrections[i]));
    }
    const QDate today = foundation::Clock::now().date();
    const HijriDate h = hijri::preview(today, month_.year, month_.month, correction_);
    hijriToday_->setText(Utility::ConvertToPersian(QStringLiteral("امروز: ") + LunarCalendar::text(h)));
}

void HistoryViewController::hijriChanged()
{
    correction_ = kCorrections[std::clamp(hijri_->selectedSegmentIndex(), 0, 2)];
    showHijri();
    enableSave();
}

void HistoryViewController::enableSave()
{
    saveButton()->setEnabled(currentDate_ != selectedDate_ || correction_ != storedCorrection_);
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
    // The lunar month in progress, as it stands.
    month_ = hijri::monthOf(foundation::Clock::now().date());
    storedCorrection_ = correction_ = hijri::correction(month_.year, month_.month);
    showHijri();
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
    enableSave();
}

void HistoryViewController::pickerValueChanged(ui::DatePicker*)
{
    currentDate_ = pickerTime().padded();
    enableSave();
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
    if (correction_ != storedCorrection_) {
        if (!hijri::setCorrection(month_.year, month_.month, correction_)) {
            tellSaveFailed(QStringLiteral("the lunar date"));
            enableSave();
            return;
        }
        storedCorrection_ = correction_;
    }
    saveButton()->setEnabled(false);
    // What is saved is what the next notifications follow, even before the
    // settings are left.
    MyNotification::initialize()->update();
}
