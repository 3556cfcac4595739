#include "YearViewController.h"

#include "BarButton.h"
#include "MiniMonth.h"

#include "calendar/DateKey.h"
#include "calendar/DateTimePersian.h"
#include "calendar/PersianCalendar.h"
#include "calendar/Utility.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/Style.h"
#include "platform/ui/Swipe.h"
#include "store/Days.h"

namespace {

constexpr int kColumns = 3;
constexpr int kGridTop = 4;
constexpr int kMonthWidth = 102;
constexpr int kMonthHeight = 87;
constexpr int kColumnStep = 104;
constexpr int kRowStep = 89;
constexpr double kOffAlpha = 0.4;

} // namespace

YearViewController::YearViewController(int year) : year_(std::clamp(year, PersianCalendar::kFirstYear, PersianCalendar::kLastYear)) {}

QRect YearViewController::monthFrame(int month)
{
    const int i = month - 1;
    // From the right, as the months are read.
    const int column = i % kColumns;
    const int row = i / kColumns;
    return QRect(320 - 6 - kMonthWidth - column * kColumnStep, kGridTop + row * kRowStep, kMonthWidth, kMonthHeight);
}

void YearViewController::viewDidLoad()
{
    ui::View* screen = view();
    screen->setBackgroundColor(QColor(16, 30, 56));
    screen->setAccessibleName(QStringLiteral("سال در یک نگاه"));

    auto* bar = &screen->add<ui::View>(QRect(0, 0, 320, 44));
    bar->setBackgroundColor(QColor(10, 18, 36));
    title_ = &bar->add<ui::Label>(QRect(86, 0, 148, 44));
    title_->setTextColor(Qt::white);
    title_->setTextFont(ui::font(QStringLiteral("Helvetica-Bold"), 20));
    title_->setTextAlignment(ui::TextAlignment::Center);
    previous_ = addBarButton(*bar, QStringLiteral("سال قبل ›"), QRect(236, 7, 78, 30));
    previous_->setAccessibleName(QStringLiteral("سال قبل"));
    previous_->addAction(ui::ControlEvent::TouchUpInside, [this] { changeYear(-1); });
    next_ = addBarButton(*bar, QStringLiteral("‹ سال بعد"), QRect(6, 7, 78, 30));
    next_->setAccessibleName(QStringLiteral("سال بعد"));
    next_->addAction(ui::ControlEvent::TouchUpInside, [this] { changeYear(1); });

    grid_ = &screen->add<ui::View>(QRect(0, 44, 320, 366));
    // Towards the right, the next year, as the next month comes.
    new ui::Swipe(grid_, [this](int sideways) { changeYear(sideways); });

    auto* back = addBarButton(*screen, QStringLiteral("بازگشت"), QRect(236, 410, 76, 40));
    back->setAccessibleName(QStringLiteral("بازگشت به ماه"));
    back->addAction(ui::ControlEvent::TouchUpInside, [this] { dismissViewController(true); });
    // What the marks mean, each in its mark's colour.
    legend_ = &screen->add<ui::Label>(QRect(8, 411, 222, 19));
    legend_->setTextFont(ui::font(QStringLiteral("Helvetica"), 11.5));
    legend_->setTextColor(QColor(255, 140, 140));
    legend_->setTextAlignment(ui::TextAlignment::Right);
    auto* today = &screen->add<ui::Label>(QRect(8, 430, 222, 19));
    today->setTextFont(ui::font(QStringLiteral("Helvetica"), 11.5));
    today->setTextColor(QColor(140, 185, 255));
    today->setTextAlignment(ui::TextAlignment::Right);
    today->setText(QStringLiteral("◯ امروز؛ ماهی را بزنید تا باز شود"));
    showYear();
}

void YearViewController::showYear()
{
    for (MiniMonth* m : months_)
        m->removeFromSuperview();
    months_.clear();
    title_->setText(Utility::ConvertToPersian(QString::number(year_)));
    // Off at the ends of the data, and seen to be.
    previous_->setControlEnabled(year_ > PersianCalendar::kFirstYear);
    next_->setControlEnabled(year_ < PersianCalendar::kLastYear);
    previous_->setAlpha(previous_->isControlEnabled() ? 1 : kOffAlpha);
    next_->setAlpha(next_->isControlEnabled() ? 1 : kOffAlpha);

    // The official holidays of the year, as the month calendar has them.
    const SolarDate first{year_, 1, 1};
    const SolarDate last{year_, PersianCalendar::kMonths, PersianCalendar::daysInMonth(year_, PersianCalendar::kMonths)};
    const std::optional<QList<days::DayEvents>> all = days::events(DateKey::make(first), DateKey::make(last));
    QList<QSet<int>> holidays(PersianCalendar::kMonths);
    for (const days::DayEvents& d : all.value_or(QList<days::DayEvents>())) {
        const SolarDate day = DateKey::read(d.key);
        if (d.holiday && day.month >= 1 && day.month <= PersianCalendar::kMonths)
            holidays[day.month - 1].insert(day.day);
    }
    const SolarDate now = DateTimePersian().date();
    for (int m = 1; m <= PersianCalendar::kMonths; ++m) {
        const int today = now.year == year_ && now.month == m ? now.day : 0;
        auto* month = &grid_->add<MiniMonth>(SolarDate{year_, m, 1}, holidays[m - 1], today, monthFrame(m));
        month->addAction(ui::ControlEvent::TouchUpInside, [this, month] {
            const SolarDate chosen = month->month();
            if (openMonth_)
                openMonth_(chosen);
            dismissViewController(true);
        });
        months_.append(month);
    }
    int count = 0;
    for (const QSet<int>& h : holidays)
        count += static_cast<int>(h.size());
    legend_->setText(all ? Utility::ConvertToPersian(QStringLiteral("● %1 روز تعطیل رسمی").arg(count))
                         : QStringLiteral("تعطیلی‌های این سال خوانده نشد."));
}

void YearViewController::changeYear(int by)
{
    const int year = year_ + by;
    if (year < PersianCalendar::kFirstYear || year > PersianCalendar::kLastYear)
        return;
    year_ = year;
    showYear();
}

bool YearViewController::keyCommand(int key)
{
    // As the years lie: the next one at the left.
    if (key != Qt::Key_Left && key != Qt::Key_Right)
        return false;
    changeYear(key == Qt::Key_Left ? 1 : -1);
    return true;
}

bool YearViewController::accessibilityPerformEscape()
{
    dismissViewController(true);
    return true;
}
