#include "ConverterController.h"

#include "BarButton.h"

#include "calendar/DateInput.h"
#include "calendar/DateKey.h"
#include "calendar/DateSpan.h"
#include "calendar/DateTexts.h"
#include "calendar/HijriDates.h"
#include "calendar/PersianCalendar.h"
#include "calendar/Utility.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Digits.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/Style.h"
#include "platform/ui/TextField.h"
#include "store/Days.h"

namespace {

using Kind = CalendarSystem::Kind;

const QColor kInk(220, 226, 240);
const QColor kDim(160, 170, 195);
const QColor kError(255, 150, 150);
constexpr int kMargin = 10;
constexpr int kWidth = 300;
constexpr double kOffAlpha = 0.4;

ui::Label* line(ui::View& parent, const QRect& frame, double size, bool bold, const QColor& color)
{
    auto* label = &parent.add<ui::Label>(frame);
    label->setTextFont(ui::font(bold ? QStringLiteral("Helvetica-Bold") : QStringLiteral("Helvetica"), size));
    label->setTextColor(color);
    label->setTextAlignment(ui::TextAlignment::Right);
    label->setAdjustsFontSizeToFitWidth(true);
    return label;
}

ui::TextField* makeDateField(ui::View& parent, const QRect& frame, const QString& name)
{
    auto* f = &parent.add<ui::TextField>(frame);
    f->setBackgroundColor(Qt::white);
    f->setTextColor(Qt::black);
    f->setCornerRadius(6);
    f->setMaxLength(40);
    f->setSelectsAllOnFocus(true);
    f->setAccessibleName(name);
    return f;
}

// A date as the field shows it: in the digits a Persian reader writes.
QString written(const QDate& day, Kind kind)
{
    return foundation::Digits::shapes(foundation::Digits::arabicIndic(DateInput::write(day, kind)));
}

QString example(Kind kind)
{
    static const char* kExamples[CalendarSystem::kKinds] = {"1405/1/1", "2026/3/21", "1447/10/1"};
    return QStringLiteral("مثلاً ") + foundation::Digits::shapes(foundation::Digits::arabicIndic(QString::fromLatin1(kExamples[static_cast<int>(kind)])));
}

// A line's text, said by a screen reader after its caption.
void show(ui::Label* label, const QString& text)
{
    label->setText(Utility::ConvertToPersian(text));
    label->setAccessibleValue(label->text());
}

} // namespace

ConverterController::ConverterController(const QDate& day) : day_(day) {}

void ConverterController::viewDidLoad()
{
    ui::View* screen = view();
    screen->setBackgroundColor(QColor(16, 30, 56));
    screen->setAccessibleName(QStringLiteral("تبدیل تاریخ"));

    auto* bar = &screen->add<ui::View>(QRect(0, 0, 320, 44));
    bar->setBackgroundColor(QColor(10, 18, 36));
    auto* title = &bar->add<ui::Label>(QRect(84, 0, 152, 44));
    title->setText(QStringLiteral("تبدیل تاریخ"));
    title->setTextColor(Qt::white);
    title->setTextFont(ui::font(QStringLiteral("Helvetica-Bold"), 18));
    title->setTextAlignment(ui::TextAlignment::Center);
    auto* back = addBarButton(*bar, QStringLiteral("بازگشت"), QRect(236, 7, 78, 30));
    back->addAction(ui::ControlEvent::TouchUpInside, [this] { dismissViewController(true); });
    auto* today = addBarButton(*bar, QStringLiteral("امروز"), QRect(6, 7, 78, 30));
    today->setAccessibleName(QStringLiteral("تبدیل امروز"));
    today->addAction(ui::ControlEvent::TouchUpInside, [this] {
        day_ = foundation::Clock::now().date();
        date_->setText(written(day_, kind_));
    });

    // The calendar the dates are typed in, from the right as they are read.
    kinds_ = &screen->add<ui::SegmentedControl>(
        QStringList{CalendarSystem::name(Kind::Solar), CalendarSystem::name(Kind::Gregorian), CalendarSystem::name(Kind::Hijri)},
        QRect(kMargin, 52, kWidth, 30));
    kinds_->setSelectedSegmentIndex(static_cast<int>(kind_));
    kinds_->setAccessibleName(QStringLiteral("تقویم تاریخ‌ها"));
    kinds_->addAction(ui::ControlEvent::ValueChanged, [this] { setKind(static_cast<Kind>(kinds_->selectedSegmentIndex())); });

    // The date, a day back at the right and a day on at the left, as the
    // month calendar's buttons lie.
    auto* earlier = addBarButton(*screen, QStringLiteral("›"), QRect(266, 90, 44, 34));
    earlier->setAccessibleName(QStringLiteral("روز قبل"));
    earlier->addAction(ui::ControlEvent::TouchUpInside, [this] { step(-1); });
    auto* later = addBarButton(*screen, QStringLiteral("‹"), QRect(kMargin, 90, 44, 34));
    later->setAccessibleName(QStringLiteral("روز بعد"));
    later->addAction(ui::ControlEvent::TouchUpInside, [this] { step(1); });
    date_ = makeDateField(*screen, QRect(58, 90, 204, 34), QStringLiteral("تاریخ"));
    date_->setDelegate(this);

    // The day in the three calendars, on a lighter ground; or why the
    // date is none.
    auto* card = &screen->add<ui::View>(QRect(kMargin, 132, kWidth, 96));
    card->setBackgroundColor(QColor(255, 255, 255, 22));
    card->setCornerRadius(8);
    solar_ = line(*card, QRect(8, 4, 284, 26), 18, true, Qt::white);
    solar_->setAccessibleName(QStringLiteral("تاریخ شمسی"));
    gregorian_ = line(*card, QRect(8, 31, 284, 20), 15, false, kInk);
    gregorian_->setAccessibleName(QStringLiteral("تاریخ میلادی"));
    hijri_ = line(*card, QRect(8, 52, 284, 20), 15, false, kInk);
    hijri_->setAccessibleName(QStringLiteral("تاریخ قمری"));
    source_ = line(*card, QRect(8, 74, 284, 16), 11, false, kDim);
    source_->setAccessibleName(QStringLiteral("منبع تاریخ قمری"));
    message_ = line(*card, QRect(8, 8, 284, 80), 14, false, kError);
    message_->setNumberOfLines(3);

    occasions_ = line(*screen, QRect(kMargin, 234, kWidth, 48), 12.5, false, kInk);
    occasions_->setNumberOfLines(3);
    occasions_->setAccessibleName(QStringLiteral("مناسبت‌ها"));

    auto* caption = line(*screen, QRect(kMargin, 288, kWidth, 18), 13, true, kInk);
    caption->setText(QStringLiteral("فاصله تا تاریخی دیگر"));
    other_ = makeDateField(*screen, QRect(kMargin, 308, kWidth, 34), QStringLiteral("تاریخ دوم"));
    other_->setPlaceholder(example(kind_));
    other_->setDelegate(this);
    span_ = line(*screen, QRect(kMargin, 347, kWidth, 56), 12.5, false, kInk);
    span_->setNumberOfLines(3);
    span_->setAccessibleName(QStringLiteral("فاصله"));

    open_ = addBarButton(*screen, QStringLiteral("نمایش در تقویم"), QRect(kMargin, 410, kWidth, 40));
    open_->addAction(ui::ControlEvent::TouchUpInside, [this] {
        const SolarDate day = PersianCalendar::fromGregorian(day_);
        if (!day_.isValid() || !PersianCalendar::inData(day))
            return;
        if (openDay_)
            openDay_(day);
        dismissViewController(true);
    });

    date_->setText(written(day_, kind_));
    showDay();
}

bool ConverterController::accessibilityPerformEscape()
{
    dismissViewController(true);
    return true;
}

void ConverterController::textFieldDidChange(ui::TextField* field)
{
    if (field == date_) {
        const DateInput::Read read = DateInput::read(date_->text(), kind_);
        day_ = read.day;
        // A month named in another calendar turns to that calendar.
        if (read.kind != kind_)
            turnTo(read.kind);
        message_->setText(Utility::ConvertToPersian(read.error));
        showDay();
    } else {
        showSpan();
    }
}

void ConverterController::turnTo(Kind kind)
{
    // The second date stays the same day, written in the other calendar.
    const DateInput::Read other = DateInput::read(other_->text(), kind_);
    kind_ = kind;
    if (kinds_->selectedSegmentIndex() != static_cast<int>(kind))
        kinds_->setSelectedSegmentIndex(static_cast<int>(kind));
    other_->setPlaceholder(example(kind_));
    if (other.day.isValid())
        other_->setText(written(other.day, kind_));
}

void ConverterController::setKind(Kind kind)
{
    turnTo(kind);
    if (day_.isValid())
        date_->setText(written(day_, kind_));
    else
        textFieldDidChange(date_);
    showSpan();
}

void ConverterController::step(int days)
{
    if (!day_.isValid())
        return;
    const QDate next = day_.addDays(days);
    if (CalendarSystem::partsOf(next, kind_).day <= 0 || CalendarSystem::partsOf(next, Kind::Gregorian).year < CalendarSystem::kFirstYear)
        return;
    date_->setText(written(next, kind_));
}

void ConverterController::showDay()
{
    const bool valid = day_.isValid();
    const SolarDate solar = valid ? PersianCalendar::fromGregorian(day_) : SolarDate{};
    // Before 1 Farvardin of the first year the weekday alone.
    show(solar_, !valid ? QString()
            : solar.year >= CalendarSystem::kFirstYear ? DateTexts::weekday(day_) + QLatin1Char(' ') + DateTexts::solarDay(solar)
                                                       : DateTexts::weekday(day_) + QStringLiteral("، پیش از آغاز تقویم هجری شمسی"));
    show(gregorian_, valid ? DateTexts::gregorian(day_) + QStringLiteral(" میلادی") : QString());
    const HijriDates::Dated hijri = valid ? HijriDates::of(day_) : HijriDates::Dated{};
    if (!valid) {
        show(hijri_, QString());
        show(source_, QString());
    } else if (hijri.date.day <= 0) {
        show(hijri_, QStringLiteral("پیش از آغاز تقویم هجری"));
        show(source_, QString());
    } else {
        show(hijri_, LunarCalendar::text(hijri.date) + QStringLiteral(" قمری"));
        show(source_, QStringLiteral("تاریخ قمری به ") + HijriDates::sourceName(hijri.source));
    }

    // The occasions of a day of the data, as the calendar lists them.
    QString occasions;
    if (valid && PersianCalendar::inData(solar)) {
        const int key = DateKey::make(solar);
        const std::optional<QList<days::DayEvents>> day = days::events(key, key);
        QStringList texts;
        for (const EventRules::Event& e : day.value_or(QList<days::DayEvents>()).value(0).events)
            texts.append(e.holiday ? e.fullText() + QStringLiteral(" (تعطیل)") : e.fullText());
        occasions = !day ? QStringLiteral("مناسبت‌ها خوانده نشد.") : texts.isEmpty() ? QStringLiteral("بدون مناسبت") : texts.join(QStringLiteral("؛ "));
    } else if (valid) {
        occasions = QStringLiteral("مناسبت‌ها برای سال‌های %1 تا %2 است.").arg(PersianCalendar::kFirstYear).arg(PersianCalendar::kLastYear);
    }
    show(occasions_, occasions);
    // Off, and seen to be, for a day the calendar does not have.
    const bool opens = valid && PersianCalendar::inData(solar);
    open_->setControlEnabled(opens);
    open_->setAlpha(opens ? 1 : kOffAlpha);
    showSpan();
}

void ConverterController::showSpan()
{
    if (!other_)
        return;
    if (other_->text().trimmed().isEmpty()) {
        show(span_, QStringLiteral("تاریخ دوم را بنویسید تا فاصله‌اش از تاریخ بالا گفته شود."));
        return;
    }
    const DateInput::Read other = DateInput::read(other_->text(), kind_);
    if (!other.day.isValid() || !day_.isValid()) {
        show(span_, other.error.isEmpty() ? QStringLiteral("نخست تاریخ بالا را درست بنویسید.") : other.error);
        return;
    }
    const DateSpan s = DateSpan::between(day_, other.day, kind_);
    if (s.days == 0) {
        show(span_, QStringLiteral("همان روز است."));
        return;
    }
    const QString way = s.days > 0 ? QStringLiteral("بعد") : QStringLiteral("قبل");
    show(span_, QStringLiteral("%1 روز %2؛ %3\n%4 (%5)\nروزهای میان دو تاریخ: %6؛ با هر دو روز: %7")
                    .arg(std::abs(s.days))
                    .arg(way, s.weeksAndDays(), s.yearsMonthsDays(), CalendarSystem::name(kind_))
                    .arg(s.daysBetween())
                    .arg(s.daysCountingBoth()));
}
