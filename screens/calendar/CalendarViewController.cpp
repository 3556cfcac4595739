#include "CalendarViewController.h"

#include "calendar/DateKey.h"
#include "calendar/DateTexts.h"
#include "calendar/PersianCalendar.h"
#include "calendar/Utility.h"
#include "platform/ui/Button.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/Style.h"
#include "platform/ui/Swipe.h"
#include "store/Days.h"
#include "store/HijriMonths.h"
#include "store/Reminders.h"
#include "store/Settings.h"
#include "BarButton.h"
#include "ConverterController.h"
#include "DateReminderController.h"
#include "DayButton.h"
#include "ExportMenu.h"
#include "OccasionSearchController.h"
#include "YearViewController.h"
#include "notifications/MyNotification.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Log.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/SaveDialog.h"

#include <QFileInfo>

namespace {

const QColor kHolidayRed = QColor::fromRgbF(195 / 255.0, 56 / 255.0, 61 / 255.0, 1);
// A reminder's time in the day's list, in the colour of its mark.
const QColor kOwnTime = QColor(190, 105, 10);
const char* kWeekdayInitials[CalendarViewController::kColumns] = {"ش", "ی", "د", "س", "چ", "پ", "ج"};
const char* kWeekdays[CalendarViewController::kColumns] = {"شنبه", "یکشنبه", "دوشنبه", "سه‌شنبه", "چهارشنبه", "پنجشنبه", "جمعه"};
const char* kNoEvent = "بدون رویداد";
constexpr int kEventRowHeight = 17;
constexpr int kGridTop = 64;

// What a screen reader says for a day: its date, its Gregorian and its
// lunar day as the cell shows them, and whether it is today, a holiday, a
// day with events.
QString dayName(const DayButton& day, bool today, bool holiday, bool events)
{
    const SolarDate date = day.date();
    QStringList parts{QStringLiteral("%1 %2 %3").arg(date.day).arg(DateTimePersian::getMonthName(date.month - 1)).arg(date.year),
        QStringLiteral("%1 %2").arg(day.gregorian().day()).arg(DateTexts::gregorianMonthName(day.gregorian().month()))};
    const HijriDate hijri = day.hijri();
    if (hijri.day > 0)
        parts.append(QStringLiteral("%1 %2").arg(hijri.day).arg(LunarCalendar::monthName(hijri.month)));
    if (today)
        parts.append(QStringLiteral("امروز"));
    if (holiday)
        parts.append(QStringLiteral("تعطیل"));
    if (events)
        parts.append(QStringLiteral("دارای رویداد"));
    return Utility::ConvertToPersian(parts.join(QStringLiteral("، ")));
}


} // namespace

CalendarViewController::CalendarViewController(const DateTimePersian& date)
{
    shown_ = {date.fullYear(), date.month(), 1};
    if (PersianCalendar::isValid(date.date()))
        selected_ = date.date();
    now_ = DateTimePersian().date();
}

int CalendarViewController::dayInCell(int year, int month, int j, int k)
{
    const int length = PersianCalendar::daysInMonth(year, month);
    const int first = PersianCalendar::weekday({year, month, 1});
    const int d = kColumns * j + k - first + 1;
    if (d > length)
        return 0;
    if (d <= 0)
        return d + kRows * kColumns <= length ? d + kRows * kColumns : 0;
    return d;
}

QString CalendarViewController::title(const SolarDate& month)
{
    return Utility::ConvertToPersian(QStringLiteral("%1 %2").arg(DateTimePersian::getMonthName(month.month - 1)).arg(month.year));
}

int CalendarViewController::today() const
{
    if (!selected_ || selected_->year != shown_.year || selected_->month != shown_.month)
        return 0;
    return selected_->day;
}

QRect CalendarViewController::cellFrame(int j, int k)
{
    return QRect(46 * (6 - k), 44 * j + 1, 45, 43);
}

void CalendarViewController::viewDidLoad()
{
    ui::View* screen = view();
    screen->setBackgroundColor(QColor(16, 30, 56));
    screen->setAccessibleName(QStringLiteral("تقویم"));

    // The title bar: earlier months to the right, later ones to the left.
    auto* bar = &screen->add<ui::View>(QRect(0, 0, 320, 44));
    bar->setBackgroundColor(QColor(10, 18, 36));
    monthLbl_ = &bar->add<ui::Label>(QRect(86, 0, 148, 44));
    monthLbl_->setTextColor(Qt::white);
    monthLbl_->setTextFont(ui::font(QStringLiteral("Helvetica-Bold"), 20));
    monthLbl_->setAdjustsFontSizeToFitWidth(true);
    monthLbl_->setTextAlignment(ui::TextAlignment::Center);
    // The month's title opens its year at a glance, as a pinch out would.
    yearButton_ = &bar->add<ui::Button>(ui::Button::Type::Custom, monthLbl_->frame());
    yearButton_->addAction(ui::ControlEvent::TouchUpInside, [this] { showYear(); });
    previous_ = addBarButton(*bar, QStringLiteral("ماه قبل ›"), QRect(236, 7, 78, 30));
    previous_->setTag(-1);
    previous_->setAccessibleName(QStringLiteral("ماه قبل"));
    previous_->addAction(ui::ControlEvent::TouchUpInside, [this] { changeMonth(previous_); });
    next_ = addBarButton(*bar, QStringLiteral("‹ ماه بعد"), QRect(6, 7, 78, 30));
    next_->setTag(1);
    next_->setAccessibleName(QStringLiteral("ماه بعد"));
    next_->addAction(ui::ControlEvent::TouchUpInside, [this] { changeMonth(next_); });

    for (int k = 0; k < kColumns; ++k) {
        auto* initial = &screen->add<ui::Label>(QRect(46 * (6 - k), 44, 45, 20));
        initial->setText(QString::fromUtf8(kWeekdayInitials[k]));
        initial->setAccessibleName(QString::fromUtf8(kWeekdays[k]));
        initial->setTextAlignment(ui::TextAlignment::Center);
        initial->setTextFont(ui::font(QStringLiteral("Helvetica-Bold"), 13));
        initial->setTextColor(k == kFriday ? QColor(255, 140, 140) : QColor(220, 226, 240));
    }

    scrl_ = &screen->add<ui::ScrollView>(QRect(0, kGridTop, 320, kPage));
    scrl_->setScrollEnabled(false);
    scrl_->setDelegate(this);

    // A swipe sideways turns the month: towards the right, the next one,
    // which lies at the left.
    new ui::Swipe(scrl_, [this](int sideways) { changeMonthBy(sideways); });

    // The selected day in its three calendars, or why a month button is off.
    dayLine_ = &screen->add<ui::Label>(QRect(8, kGridTop + kPage + 2, 304, 18));
    dayLine_->setTextFont(ui::font(QStringLiteral("Helvetica"), 12));
    dayLine_->setTextColor(QColor(220, 226, 240));
    dayLine_->setTextAlignment(ui::TextAlignment::Right);
    dayLine_->setAdjustsFontSizeToFitWidth(true);

    tblEvents_ = &screen->add<ui::TableView>(QRect(8, kGridTop + kPage + 22, 304, 5 * kEventRowHeight + 4));
    tblEvents_->setDataSource(this);
    tblEvents_->setDelegate(this);
    tblEvents_->setCornerRadius(6);

    // From the right: today, a reminder on the selected day, the calendar
    // taken elsewhere, and the selected day's times.
    todayButton_ = addBarButton(*screen, QStringLiteral("امروز"), QRect(243, 410, 69, 40));
    todayButton_->addAction(ui::ControlEvent::TouchUpInside, [this] { showToday(); });
    remind_ = addBarButton(*screen, QStringLiteral("یادآوری"), QRect(169, 410, 70, 40));
    remind_->setAccessibleName(QStringLiteral("افزودن یادآوری برای روز انتخاب‌شده"));
    remind_->addAction(ui::ControlEvent::TouchUpInside, [this] { addReminder(); });
    more_ = addBarButton(*screen, QStringLiteral("بیشتر"), QRect(95, 410, 70, 40));
    more_->setAccessibleName(QStringLiteral("بیشتر"));
    more_->setAccessibleDescription(QStringLiteral("تبدیل تاریخ، سال در یک نگاه، جستجوی مناسبت‌ها و خروجی"));
    more_->addAction(ui::ControlEvent::TouchUpInside, [this] { offerMore(); });
    confirm_ = addBarButton(*screen, QStringLiteral("نمایش اوقات"), QRect(8, 410, 83, 40));
    confirm_->setBackgroundColor(QColor(40, 100, 220));
    confirm_->addAction(ui::ControlEvent::TouchUpInside, [this] { showDetails(); });

    canChange_ = true;
    switchMonth(shown_);
    canChange_ = true;
    reloadEvents();
    showDayLine();
}

void CalendarViewController::changeMonthBy(int by)
{
    changeMonth(by > 0 ? next_ : previous_);
}

bool CalendarViewController::inData(const SolarDate& month)
{
    const SolarDate first = PersianCalendar::firstDataDay();
    const SolarDate last = PersianCalendar::lastDataDay();
    return !(month < SolarDate{first.year, first.month, 1}) && !(month > SolarDate{last.year, last.month, 1});
}

void CalendarViewController::showDayLine()
{
    // The months of the data, and no further: a button that leads out of
    // them is off, and this line says why.
    const bool before = inData(PersianCalendar::addMonths(shown_, -1));
    const bool after = inData(PersianCalendar::addMonths(shown_, 1));
    previous_->setControlEnabled(before);
    next_->setControlEnabled(after);
    QString text;
    if (selected_ && selected_->year == shown_.year && selected_->month == shown_.month) {
        const QDate day = PersianCalendar::toGregorian(*selected_);
        text = DateTexts::solar(*selected_) + QStringLiteral("، ") + DateTexts::hijri(day) + QStringLiteral("، ") + DateTexts::gregorian(day);
    } else if (!before || !after) {
        text = QStringLiteral("برنامه روزهای %1 تا %2 را دارد؛ ماه %3 در آن نیست.")
                   .arg(DateTexts::solarDay(PersianCalendar::firstDataDay()), DateTexts::solarDay(PersianCalendar::lastDataDay()),
                       after ? QStringLiteral("قبل") : QStringLiteral("بعد"));
    }
    dayLine_->setText(Utility::ConvertToPersian(text));
    yearButton_->setAccessibleName(Utility::ConvertToPersian(QStringLiteral("سال %1 در یک نگاه").arg(shown_.year)));
    const QString reason = QStringLiteral("بیرون از داده‌های برنامه");
    previous_->setAccessibleDescription(before ? QString() : reason);
    next_->setAccessibleDescription(after ? QString() : reason);
}

void CalendarViewController::switchMonth(const SolarDate& month)
{
    const SolarDate m{month.year, month.month, 1};
    canChange_ = false;
    monthLbl_->setText(title(m));
    scrl_->setContentSize(QSize(320, 3 * kPage));
    const std::optional<QRect> frame = placeMonth(m);
    if (!frame)
        return;

    auto* monthView = &scrl_->add<ui::ImageView>(*frame);
    monthView->setImage(ui::image(QStringLiteral("calendarBG.png")));
    monthView->setUserInteractionEnabled(true);
    scrl_->setBackgroundColor(ui::blueColor());

    const SolarDate last{m.year, m.month, PersianCalendar::daysInMonth(m.year, m.month)};
    datasource_ = days::events(DateKey::make(m), DateKey::make(last)).value_or(QList<days::DayEvents>());
    for (int j = 0; j < kRows; ++j) {
        for (int k = 0; k < kColumns; ++k) {
            const int d = dayInCell(m.year, m.month, j, k);
            if (d != 0)
                addDayButton(*monthView, {m.year, m.month, d}, j, k);
        }
    }
}

std::optional<QRect> CalendarViewController::placeMonth(const SolarDate& m)
{
    if (m == shown_) {
        const QRect frame(0, kPage, 320, kPage);
        scrl_->scrollRectToVisible(frame, false);
        canChange_ = true;
        if (scrl_->subviews().isEmpty())
            return frame;
        // The month is on screen already: only the selection moves to today.
        if (lastBtn_)
            lastBtn_->setSelected(false);
        if (todayBtn_)
            todayBtn_->setSelected(true);
        lastBtn_ = todayBtn_;
        return std::nullopt;
    }
    // The month that leaves takes no more taps while it scrolls away; the
    // new one comes in from below (later) or from above (earlier).
    for (ui::View* old : scrl_->subviews())
        old->setUserInteractionEnabled(false);
    const QRect frame = m > shown_ ? QRect(0, 2 * kPage, 320, kPage) : QRect(0, 0, 320, kPage);
    scrl_->scrollRectToVisible(frame, true);
    return frame;
}

void CalendarViewController::addDayButton(ui::View& monthView, const SolarDate& date, int j, int k)
{
    const days::DayEvents day = datasource_.value(date.day - 1);
    const bool holiday = k == kFriday || day.holiday;
    const bool events = !day.events.isEmpty();
    auto* button = &monthView.add<DayButton>(date, cellFrame(j, k));
    button->setTag(date.day);
    button->setTitle(Utility::ConvertToPersian(QString::asprintf("%i", date.day)));
    button->setTitleFont(ui::font(QStringLiteral("Helvetica"), 20));
    if (holiday) {
        button->setTitleColor(kHolidayRed);
    } else {
        button->setTitleColor(Qt::black);
        button->setTitleColor(Qt::white, ui::ControlState::Selected);
    }
    button->addAction(ui::ControlEvent::TouchUpInside, [this, button] { showEvents(button); });
    const bool own = std::any_of(day.events.begin(), day.events.end(), [](const EventRules::Event& e) { return e.own; });
    button->setOwn(own);
    if (events) {
        button->setBackgroundImage(ui::image(QStringLiteral("hasEvent.png")));
        button->setBackgroundImage(ui::image(QStringLiteral("selectedWithEvent.png")), ui::ControlState::Selected);
    } else {
        button->setBackgroundImage(ui::image(QStringLiteral("selected.png")), ui::ControlState::Selected);
    }
    // One day is selected at a time: the one whose whole date is chosen.
    if (selected_ && *selected_ == date) {
        button->setSelected(true);
        lastBtn_ = button;
    }
    if (date == now_) {
        button->setBackgroundImage(ui::image(QStringLiteral("today.png")));
        button->setBackgroundImage(ui::image(QStringLiteral("selected.png")), ui::ControlState::Selected);
        todayBtn_ = button;
    }
    button->setAccessibleName(dayName(*button, date == now_, holiday, events) + (own ? QStringLiteral("، یادآوری شما") : QString()));
}

void CalendarViewController::changeMonth(ui::Button* sender)
{
    // A month still scrolling in ends where it was going: every tap turns.
    if (!canChange_)
        scrl_->finishScrolling();
    if (!canChange_)
        return;
    const SolarDate a = PersianCalendar::addMonths(shown_, sender->tag());
    // The months of the data, and no further.
    if (!inData(a))
        return;
    lastBtn_ = nullptr;
    selected_.reset();
    switchMonth(a);
    shown_ = a;
    reloadEvents();
    showDayLine();
}

void CalendarViewController::scrollViewDidEndScrollingAnimation(ui::ScrollView* scrollView)
{
    const QList<ui::View*> months = scrollView->subviews();
    if (months.isEmpty())
        return;
    months.last()->setFrame(QRect(0, kPage, 320, kPage));
    scrollView->setContentOffset(QPointF(0, kPage));
    for (int i = 0; i + 1 < months.size(); ++i)
        months[i]->removeFromSuperview();
    canChange_ = true;
}

void CalendarViewController::showToday()
{
    if (!canChange_)
        scrl_->finishScrolling();
    if (!canChange_)
        return;
    selected_ = now_;
    switchMonth(now_);
    shown_ = {now_.year, now_.month, 1};
    reloadEvents();
    showDayLine();
}

void CalendarViewController::showEvents(ui::Button* sender)
{
    // Only a day of the month on screen: one of a month that is leaving
    // would select a day the user does not see.
    const auto* day = dynamic_cast<DayButton*>(sender);
    if (!day || day->date().year != shown_.year || day->date().month != shown_.month)
        return;
    if (lastBtn_)
        lastBtn_->setSelected(false);
    sender->setSelected(true);
    selected_ = day->date();
    reloadEvents();
    lastBtn_ = sender;
    showDayLine();
}

void CalendarViewController::showDetails()
{
    // Nothing selected: today.
    SolarDate date = selected_.value_or(now_);
    if (!PersianCalendar::isValid(date))
        date = now_;
    if (delegate_)
        delegate_->closeCalendar(DateTimePersian(date), this);
}

bool CalendarViewController::keyCommand(int key)
{
    // The arrow keys, as the months lie: the next one at the left.
    if (key != Qt::Key_Left && key != Qt::Key_Right)
        return false;
    changeMonthBy(key == Qt::Key_Left ? 1 : -1);
    return true;
}

bool CalendarViewController::accessibilityPerformEscape()
{
    dismissViewController(true);
    return true;
}

QList<EventRules::Event> CalendarViewController::selectedEvents() const
{
    return today() == 0 ? QList<EventRules::Event>() : datasource_.value(today() - 1).events;
}

bool CalendarViewController::selectedIsPredicted() const
{
    const QList<EventRules::Event> events = selectedEvents();
    return std::any_of(events.begin(), events.end(), [](const EventRules::Event& e) { return e.predicted; });
}

void CalendarViewController::reloadEvents()
{
    rows_.clear();
    // Each event whole; a reminder of the user's by its id, with its time.
    const QList<reminders::DateReminder> mine = reminders::dateReminders().value_or(QList<reminders::DateReminder>());
    for (const EventRules::Event& e : selectedEvents()) {
        EventRow row{e.fullText(), e.reminderId, QString(), e.holiday};
        if (e.reminderId != 0) {
            const auto r = std::find_if(mine.begin(), mine.end(), [&e](const reminders::DateReminder& m) { return m.id == e.reminderId; });
            if (r != mine.end())
                row.time = r->time.padded();
        }
        rows_.append(row);
    }
    tblEvents_->reloadData();
}

int CalendarViewController::numberOfRowsInSection(ui::TableView*, int)
{
    // A lunar event of a predicted month is said to be one, in a last row.
    return std::max(1, static_cast<int>(rows_.size())) + (selectedIsPredicted() ? 1 : 0);
}

ui::TableViewCell* CalendarViewController::cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path)
{
    if (selectedIsPredicted() && path.row == numberOfRowsInSection(table, 0) - 1) {
        auto* cell = new ui::TableViewCell;
        cell->textLabel()->setText(Utility::ConvertToPersian(QStringLiteral("٭ ") + hijri::observedUpTo()));
        cell->textLabel()->setTextFont(ui::font(QStringLiteral("Helvetica"), 11));
        cell->textLabel()->setTextColor(ui::grayColor());
        cell->textLabel()->setAdjustsFontSizeToFitWidth(true);
        cell->textLabel()->setTextAlignment(ui::TextAlignment::Right);
        cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::None);
        return cell;
    }
    const EventRow row = rows_.value(path.row);
    // A reminder of the user's own says its time at the left.
    auto* cell = new ui::TableViewCell(row.reminderId != 0 ? ui::TableViewCell::Style::Value1 : ui::TableViewCell::Style::Default);
    cell->textLabel()->setText(rows_.isEmpty() ? QString::fromUtf8(kNoEvent) : Utility::ConvertToPersian(row.text));
    if (row.holiday)
        cell->textLabel()->setTextColor(kHolidayRed);
    cell->textLabel()->setTextFont(ui::font(QStringLiteral("Helvetica"), 15));
    cell->textLabel()->setTextAlignment(ui::TextAlignment::Right);
    if (row.reminderId != 0) {
        cell->detailTextLabel()->setText(Utility::ConvertToPersian(QStringLiteral("ساعت ") + row.time));
        cell->detailTextLabel()->setTextFont(ui::font(QStringLiteral("Helvetica"), 13));
        cell->detailTextLabel()->setTextColor(kOwnTime);
        cell->layoutSubviews();
    }
    cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::None);
    return cell;
}

double CalendarViewController::heightForRowAtIndexPath(ui::TableView*, const ui::IndexPath&)
{
    return kEventRowHeight;
}

ui::Button* CalendarViewController::lastBtn() const
{
    return lastBtn_.data();
}

ui::Button* CalendarViewController::todayBtn() const
{
    return todayBtn_.data();
}

QList<ui::Button*> CalendarViewController::dayButtons() const
{
    QList<ui::Button*> list;
    const QList<ui::View*> months = scrl_->subviews();
    if (months.isEmpty())
        return list;
    for (ui::View* v : months.last()->subviews())
        if (auto* b = dynamic_cast<ui::Button*>(v))
            list.append(b);
    return list;
}

void CalendarViewController::reloadMonth()
{
    for (ui::View* old : scrl_->subviews())
        old->removeFromSuperview();
    lastBtn_ = nullptr;
    todayBtn_ = nullptr;
    switchMonth(shown_);
    reloadEvents();
    showDayLine();
}

void CalendarViewController::addReminder()
{
    SolarDate day = selected_.value_or(now_);
    if (day.year != shown_.year || day.month != shown_.month)
        day = {shown_.year, shown_.month, 1};
    const std::optional<Settings> settings = Settings::load();
    const ClockTime time = settings && settings->eventsTime ? *settings->eventsTime : Settings::kDefaultEventsTime;
    auto* form = new DateReminderController(day, time);
    form->setSaved([this] {
        MyNotification::initialize()->update();
        reloadMonth();
    });
    presentViewController(form, true);
}

void CalendarViewController::didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path)
{
    table->deselectRowAtIndexPath(path, false);
    // One of the user's own reminders: it can be changed or removed here.
    const int id = rows_.value(path.row).reminderId;
    if (id == 0 || !selected_)
        return;
    const QList<reminders::DateReminder> mine = reminders::dateReminders().value_or(QList<reminders::DateReminder>());
    const auto r = std::find_if(mine.begin(), mine.end(), [id](const reminders::DateReminder& m) { return m.id == id; });
    if (r == mine.end())
        return;
    const reminders::DateReminder reminder = *r;
    const SolarDate day = *selected_;
    QPointer<CalendarViewController> self(this);
    auto* alert = new ui::AlertView(Utility::ConvertToPersian(reminder.text), reminder.summary(), QStringLiteral("انصراف"));
    alert->addButton(QStringLiteral("تغییر یادآوری"), [self, reminder, day] {
        if (self)
            self->editReminder(day, reminder);
    });
    alert->addButton(QStringLiteral("حذف یادآوری"), [self, id] {
        if (self && reminders::removeDateReminder(id)) {
            MyNotification::initialize()->update();
            self->reloadMonth();
        }
    });
    alert->present();
}

void CalendarViewController::editReminder(const SolarDate& day, const reminders::DateReminder& reminder)
{
    auto* form = new DateReminderController(day, reminder);
    form->setSaved([this] {
        MyNotification::initialize()->update();
        reloadMonth();
    });
    presentViewController(form, true);
}

void CalendarViewController::offerMore()
{
    QPointer<CalendarViewController> self(this);
    auto* alert = new ui::AlertView(QStringLiteral("تقویم"), QString(), QStringLiteral("انصراف"));
    alert->addButton(QStringLiteral("تبدیل تاریخ"), [self] {
        if (self)
            self->showConverter();
    });
    alert->addButton(Utility::ConvertToPersian(QStringLiteral("سال %1 در یک نگاه").arg(shown_.year)), [self] {
        if (self)
            self->showYear();
    });
    alert->addButton(QStringLiteral("جستجوی مناسبت‌ها"), [self] {
        if (self)
            self->showSearch();
    });
    alert->addButton(QStringLiteral("خروجی تقویم…"), [self] {
        if (self)
            self->offerExport();
    });
    alert->present();
}

void CalendarViewController::showConverter()
{
    // The selected day, or today.
    const SolarDate day = today() != 0 ? *selected_ : now_;
    auto* converter = new ConverterController(PersianCalendar::toGregorian(day));
    converter->setOpenDay([this](const SolarDate& d) { openDay(d, true); });
    presentViewController(converter, true);
}

void CalendarViewController::showYear()
{
    auto* year = new YearViewController(shown_.year);
    year->setOpenMonth([this](const SolarDate& month) { openDay(month, false); });
    presentViewController(year, true);
}

void CalendarViewController::showSearch()
{
    auto* search = new OccasionSearchController();
    search->setOpenDay([this](const SolarDate& day) { openDay(day, true); });
    presentViewController(search, true);
}

void CalendarViewController::openDay(const SolarDate& day, bool select)
{
    const SolarDate month{day.year, day.month, 1};
    if (!PersianCalendar::isValid(day) || !inData(month))
        return;
    // A month opened from the year selects today where it is in it.
    const bool todayIn = now_.year == month.year && now_.month == month.month;
    selected_ = select ? std::optional<SolarDate>(day) : todayIn ? std::optional<SolarDate>(now_) : std::nullopt;
    shown_ = month;
    reloadMonth();
}

void CalendarViewController::offerExport()
{
    exportMenu::offer(shown_);
}
