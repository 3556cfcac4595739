#include "ReminderController.h"

#include "calendar/Utility.h"
#include "notifications/MyNotification.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/Slider.h"
#include "platform/ui/Style.h"
#include "platform/ui/Switch.h"
#include "screens/common/SaveFailure.h"
#include "screens/common/SettingsScreen.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kStep = 5;
// The side control's segments from the right: before, at, after.
constexpr int kAfterSegment = 2;
// The week from the right, Saturday first, as Qt numbers its days.
constexpr int kWeek[7] = {Qt::Saturday, Qt::Sunday, Qt::Monday, Qt::Tuesday, Qt::Wednesday, Qt::Thursday, Qt::Friday};
const char* kInitials[7] = {"ش", "ی", "د", "س", "چ", "پ", "ج"};
const char* kDayNames[7] = {"شنبه", "یکشنبه", "دوشنبه", "سه‌شنبه", "چهارشنبه", "پنجشنبه", "جمعه"};
const QColor kInk(40, 48, 60);

ui::Label* caption(ui::View& parent, const QString& text, const QRect& frame)
{
    auto* label = &parent.add<ui::Label>(frame);
    label->setText(text);
    label->setTextColor(kInk);
    label->setBackgroundColor(Qt::transparent);
    label->setTextFont(ui::font(QStringLiteral("Helvetica-Bold"), 14));
    label->setTextAlignment(ui::TextAlignment::Right);
    return label;
}

} // namespace

ReminderController::ReminderController(const reminders::TimeReminder& reminder)
    : opened_(reminder)
    , edited_(reminder)
{
    setTitle(reminder.id == 0 ? QStringLiteral("یادآوری تازه") : QStringLiteral("یادآوری"));
    side_value_ = reminder.minutes < 0 ? -1 : reminder.minutes > 0 ? 1 : 0;
    amount_ = reminder.minutes == 0 ? 20 : std::abs(reminder.minutes);
}

void ReminderController::viewDidLoad()
{
    ui::View* screen = view();
    screen->setBackgroundColor(QColor(197, 204, 212));
    installSaveButton(this, [this] { save(); })->setEnabled(true);

    caption(*screen, QStringLiteral("وقت"), QRect(10, 6, 300, 20));
    // The day's six times, then the moments the sun stands in line with the Qibla.
    QStringList times;
    for (int k = 0; k < kTimesOfDay; ++k)
        times.append(dayTimeShortName(static_cast<DayTime>(k)));
    times.append(QStringLiteral("قبله"));
    time_ = &screen->add<ui::SegmentedControl>(times, QRect(10, 28, 300, 32));
    time_->setAccessibleName(QStringLiteral("از کدام وقت روز"));
    time_->setSelectedSegmentIndex(static_cast<int>(edited_.time));
    time_->addAction(ui::ControlEvent::ValueChanged, [this] { setTime(time_->selectedSegmentIndex()); });

    side_ = &screen->add<ui::SegmentedControl>(QStringList{QStringLiteral("پیش از آن"), QStringLiteral("هنگام آن"), QStringLiteral("پس از آن")},
        QRect(10, 68, 300, 32));
    side_->setAccessibleName(QStringLiteral("پیش از وقت، هنگام آن یا پس از آن"));
    side_->setSelectedSegmentIndex(side_value_ + 1);
    side_->addAction(ui::ControlEvent::ValueChanged, [this] { setSide(side_->selectedSegmentIndex() - 1); });

    minutes_ = &screen->add<ui::Slider>(QRect(10, 112, 210, 23));
    minutes_->setMinimumValue(kStep);
    minutes_->setMaximumValue(reminders::kMaxMinutes);
    minutes_->setValue(amount_);
    minutes_->setAccessibleName(QStringLiteral("چند دقیقه"));
    minutes_->addAction(ui::ControlEvent::ValueChanged, [this] {
        setMinutes(static_cast<int>(std::lround(minutes_->value() / kStep)) * kStep);
    });
    minutesLabel_ = caption(*screen, QString(), QRect(226, 108, 84, 30));
    minutesLabel_->setTextFont(ui::font(QStringLiteral("Helvetica"), 15));
    // A minute at a time, for what the slider's steps do not reach.
    auto* less = &screen->add<ui::Button>(ui::Button::Type::Custom, QRect(10, 142, 44, 30));
    auto* more = &screen->add<ui::Button>(ui::Button::Type::Custom, QRect(60, 142, 44, 30));
    more->setTitle(QStringLiteral("+"));
    more->setAccessibleName(QStringLiteral("یک دقیقه بیشتر"));
    more->addAction(ui::ControlEvent::TouchUpInside, [this] { setMinutes(amount_ + 1); });
    for (ui::Button* b : {less, more}) {
        b->setTitleColor(kInk);
        b->setTitleFont(ui::font(QStringLiteral("Helvetica-Bold"), 18));
        b->setBackgroundColor(QColor(255, 255, 255, 160));
        b->setCornerRadius(8);
    }
    less->setTitle(QStringLiteral("−"));
    less->setAccessibleName(QStringLiteral("یک دقیقه کمتر"));
    less->addAction(ui::ControlEvent::TouchUpInside, [this] { setMinutes(amount_ - 1); });

    caption(*screen, QStringLiteral("روزهای هفته"), QRect(10, 180, 300, 20));
    for (int i = 0; i < 7; ++i) {
        // Saturday at the right.
        auto* day = &screen->add<ui::Button>(ui::Button::Type::Custom, QRect(10 + (6 - i) * 43, 202, 40, 36));
        day->setTitle(QString::fromUtf8(kInitials[i]));
        day->setTitleFont(ui::font(QStringLiteral("Helvetica-Bold"), 16));
        day->setTitleColor(kInk);
        day->setTitleColor(Qt::white, ui::ControlState::Selected);
        day->setCornerRadius(8);
        day->setAccessibleName(QString::fromUtf8(kDayNames[i]));
        const int dayOfWeek = kWeek[i];
        day->setTag(dayOfWeek);
        day->addAction(ui::ControlEvent::TouchUpInside, [this, dayOfWeek] { toggleWeekday(dayOfWeek); });
        weekdays_.append(day);
    }

    caption(*screen, QStringLiteral("فقط در ماه رمضان"), QRect(110, 252, 200, 27));
    ramadan_ = &screen->add<ui::Switch>(QRect(10, 252, 94, 27));
    ramadan_->setOn(edited_.ramadanOnly);
    ramadan_->setAccessibleName(QStringLiteral("فقط در ماه رمضان"));
    ramadan_->addAction(ui::ControlEvent::ValueChanged, [this] { setRamadanOnly(ramadan_->isOn()); });

    summary_ = caption(*screen, QString(), QRect(10, 290, 300, 44));
    summary_->setTextFont(ui::font(QStringLiteral("Helvetica"), 14));
    summary_->setNumberOfLines(2);

    if (edited_.id != 0) {
        auto* drop = &screen->add<ui::Button>(ui::Button::Type::Custom, QRect(10, 342, 300, 36));
        drop->setTitle(QStringLiteral("حذف یادآوری"));
        drop->setTitleColor(Qt::white);
        drop->setTitleFont(ui::font(QStringLiteral("Helvetica-Bold"), 15));
        drop->setBackgroundColor(QColor(195, 56, 61));
        drop->setCornerRadius(8);
        drop->addAction(ui::ControlEvent::TouchUpInside, [this] { remove(); });
    }
    show();
}

bool ReminderController::hasUnsavedChanges() const
{
    // Once stored or removed, the form has nothing more to keep.
    return !closing_ && !(edited_ == opened_);
}

bool ReminderController::saveChanges()
{
    return save();
}

void ReminderController::discardChanges()
{
    closing_ = true;
    if (ui::NavigationController* nav = navigationController(); nav && nav->topViewController() == this)
        nav->popViewControllerAnimated(true);
}

void ReminderController::setTime(int index)
{
    edited_.time = static_cast<reminders::DayTime>(std::clamp(index, 0, reminders::kDayTimes - 1));
    show();
}

void ReminderController::setSide(int side)
{
    side_value_ = std::clamp(side, -1, reminders::comesAfter(edited_.time) ? 1 : 0);
    show();
}

void ReminderController::setMinutes(int minutes)
{
    amount_ = std::clamp(minutes, 1, reminders::kMaxMinutes);
    if (minutes_ && std::lround(minutes_->value()) != amount_)
        minutes_->setValue(amount_);
    show();
}

void ReminderController::toggleWeekday(int dayOfWeek)
{
    // A tap turns its day off or on; every day is kept as none listed.
    // The last day left stays: a reminder on no day would never come.
    QList<int>& days = edited_.weekdays;
    if (days.isEmpty()) {
        for (int d = Qt::Monday; d <= Qt::Sunday; ++d)
            if (d != dayOfWeek)
                days.append(d);
    } else if (days.contains(dayOfWeek)) {
        if (days.size() > 1)
            days.removeAll(dayOfWeek);
    } else {
        days.append(dayOfWeek);
        std::sort(days.begin(), days.end());
        if (days.size() == 7)
            days.clear();
    }
    show();
}

void ReminderController::setRamadanOnly(bool only)
{
    edited_.ramadanOnly = only;
    show();
}

void ReminderController::show()
{
    // A time that comes before or at only: "after" is off, and one chosen
    // becomes "at".
    const bool after = reminders::comesAfter(edited_.time);
    if (!after && side_value_ > 0)
        side_value_ = 0;
    if (side_) {
        side_->setEnabledForSegment(kAfterSegment, after);
        side_->setSelectedSegmentIndex(side_value_ + 1);
    }
    edited_.minutes = side_value_ * amount_;
    if (minutesLabel_) {
        minutesLabel_->setText(side_value_ == 0 ? QString() : Utility::ConvertToPersian(QStringLiteral("%1 دقیقه").arg(amount_)));
        minutes_->setControlEnabled(side_value_ != 0);
    }
    for (ui::Button* b : std::as_const(weekdays_)) {
        const bool on = edited_.comesOn(b->tag());
        b->setSelected(on);
        b->setBackgroundColor(on ? QColor(40, 100, 220) : QColor(255, 255, 255, 160));
    }
    if (summary_)
        summary_->setText(edited_.summary());
}

bool ReminderController::save()
{
    show();
    if (!reminders::save(edited_)) {
        tellSaveFailed(QStringLiteral("the reminder"));
        return false;
    }
    done();
    return true;
}

bool ReminderController::remove()
{
    if (!reminders::removeTimeReminder(edited_.id)) {
        tellSaveFailed(QStringLiteral("the removal of the reminder"));
        return false;
    }
    done();
    return true;
}

void ReminderController::done()
{
    closing_ = true;
    MyNotification::initialize()->update();
    if (changed_)
        changed_();
    if (ui::NavigationController* nav = navigationController())
        nav->popViewControllerAnimated(true);
}
