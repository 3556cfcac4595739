#include "ExportMenu.h"

#include "calendar/DateKey.h"
#include "calendar/DateTimePersian.h"
#include "calendar/PersianCalendar.h"
#include "calendar/Utility.h"
#include "exports/ExportFile.h"
#include "exports/ICalendar.h"
#include "exports/Timetable.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Log.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/SaveDialog.h"
#include "store/Days.h"

#include <QFileInfo>

namespace exportMenu {

namespace {

const QList<DayTime> kSixTimes = {DayTime::Dawn, DayTime::Sunrise, DayTime::Noon, DayTime::Sunset, DayTime::Evening, DayTime::Midnight};

// A city's name as part of a file's: what a folder or a shell would take
// for something else becomes "-".
QString fileNamePart(QString text)
{
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('-');
    while (text.startsWith(QLatin1Char('.')))
        text.remove(0, 1);
    return text.isEmpty() ? QStringLiteral("شهر") : text;
}

// Writes the file whole or not at all, and tells the user which.
void save(const QString& path, const std::optional<QByteArray>& bytes)
{
    const exports::Written written = bytes ? exports::write(path, *bytes) : exports::Written{false, QStringLiteral("داده‌ها خوانده نشد.")};
    const QString name = QFileInfo(path).fileName();
    foundation::Log::write((written.ok ? QStringLiteral("exported: ") : QStringLiteral("not exported: ")) + name);
    // The file's name read as it is written, left to right, inside the
    // Persian sentence.
    const QString shown = QChar(0x2066) + name + QChar(0x2069);
    (new ui::AlertView(written.ok ? QStringLiteral("ذخیره شد") : QStringLiteral("ذخیره نشد"),
         written.ok ? shown : QStringLiteral("پرونده %1 نوشته نشد: %2").arg(shown, written.reason), QStringLiteral("باشه")))
        ->present();
}

} // namespace

void offer(const SolarDate& month)
{
    const QString shown = Utility::ConvertToPersian(DateTimePersian::getMonthName(month.month - 1) + QLatin1Char(' ') + QString::number(month.year));
    auto* alert = new ui::AlertView(QStringLiteral("خروجی تقویم"), QString(), QStringLiteral("انصراف"));
    const int year = month.year;
    alert->addButton(Utility::ConvertToPersian(QStringLiteral("رویدادهای سال %1 (iCalendar)").arg(year)), [year] { exportYear(year); });
    alert->addButton(QStringLiteral("اوقات %1 (iCalendar)").arg(shown), [month] { exportTimes(month, false); });
    alert->addButton(QStringLiteral("جدول اوقات %1 (PDF)").arg(shown), [month] { exportTimes(month, true); });
    alert->present();
}

void exportYear(int year)
{
    ui::SaveDialog::ask(QStringLiteral("ذخیرهٔ رویدادها"), QStringLiteral("رویدادهای-%1.ics").arg(year), QStringLiteral("iCalendar (*.ics)"),
        [year](const QString& path) { save(path, ical::yearEvents(year, foundation::Clock::now())); });
}

void exportTimes(const SolarDate& month, bool pdf)
{
    const SolarDate m{month.year, month.month, 1};
    const std::optional<days::CityDays> city = days::firstWithTimes(DateKey::make(m), PersianCalendar::daysInMonth(m.year, m.month));
    if (!city || city->days.isEmpty()) {
        (new ui::AlertView(QStringLiteral("اوقاتی برای این ماه نیست"), QStringLiteral("شهری با اوقات این ماه انتخاب نشده است."), QStringLiteral("باشه")))
            ->present();
        return;
    }
    // The city's name gives way to the date and the extension when the
    // whole would be longer than a file system takes.
    const QString name = exports::fittedName(QStringLiteral("اوقات-") + fileNamePart(city->name),
        QStringLiteral("-%1-%2.%3").arg(m.year).arg(m.month, 2, 10, QLatin1Char('0')).arg(pdf ? QStringLiteral("pdf") : QStringLiteral("ics")));
    const days::CityDays c = *city;
    ui::SaveDialog::ask(QStringLiteral("ذخیرهٔ اوقات"), name, pdf ? QStringLiteral("PDF (*.pdf)") : QStringLiteral("iCalendar (*.ics)"),
        [c, m, pdf](const QString& path) {
            save(path, pdf ? timetable::render(c.name, m.year, m.month, c.days)
                           : std::optional<QByteArray>(ical::monthTimes(c.cityId, c.name, c.days, kSixTimes, foundation::Clock::now())));
        });
}

} // namespace exportMenu
