#include "DateInput.h"

#include "Utility.h"

#include "platform/foundation/Digits.h"

#include <QRegularExpression>

#include <array>
#include <optional>

namespace {

using Kind = CalendarSystem::Kind;

// Other ways the months are written, beside the names the app shows.
struct OtherName {
    Kind kind;
    int month;
    const char* name;
};
constexpr std::array kOtherNames = {
    OtherName{Kind::Gregorian, 1, "january"}, OtherName{Kind::Gregorian, 2, "february"}, OtherName{Kind::Gregorian, 3, "march"},
    OtherName{Kind::Gregorian, 4, "april"}, OtherName{Kind::Gregorian, 5, "may"}, OtherName{Kind::Gregorian, 5, "می"},
    OtherName{Kind::Gregorian, 6, "june"}, OtherName{Kind::Gregorian, 7, "july"}, OtherName{Kind::Gregorian, 7, "جولای"},
    OtherName{Kind::Gregorian, 8, "august"}, OtherName{Kind::Gregorian, 8, "آگوست"}, OtherName{Kind::Gregorian, 9, "september"},
    OtherName{Kind::Gregorian, 10, "october"}, OtherName{Kind::Gregorian, 11, "november"}, OtherName{Kind::Gregorian, 12, "december"},
    OtherName{Kind::Hijri, 4, "ربیع‌الآخر"}, OtherName{Kind::Hijri, 5, "جمادی‌الاولی"}, OtherName{Kind::Hijri, 6, "جمادی‌الآخر"},
    OtherName{Kind::Hijri, 6, "جمادی‌الآخره"}, OtherName{Kind::Hijri, 11, "ذیقعده"}, OtherName{Kind::Hijri, 12, "ذیحجه"},
};
// A Latin month may be cut to its first three letters ("Dec").
constexpr int kShortLatin = 3;

struct Month {
    Kind kind;
    int month;
};

// The month a word names, in any of the calendars.
std::optional<Month> monthNamed(const QString& word)
{
    const QString key = Utility::searchKey(word);
    if (key.isEmpty())
        return std::nullopt;
    for (int k = 0; k < CalendarSystem::kKinds; ++k)
        for (int m = 1; m <= CalendarSystem::kMonths; ++m)
            if (Utility::searchKey(CalendarSystem::monthName(static_cast<Kind>(k), m)) == key)
                return Month{static_cast<Kind>(k), m};
    for (const OtherName& o : kOtherNames) {
        const QString name = Utility::searchKey(QString::fromUtf8(o.name));
        const bool latin = name.at(0).unicode() < 0x80;
        if (name == key || (latin && key.size() == kShortLatin && name.startsWith(key)))
            return Month{o.kind, o.month};
    }
    return std::nullopt;
}

QString example(Kind kind)
{
    switch (kind) {
    case Kind::Solar:
        return QStringLiteral("1405/9/17");
    case Kind::Gregorian:
        return QStringLiteral("2026/12/8");
    case Kind::Hijri:
        return QStringLiteral("1448/6/27");
    }
    return {};
}

DateInput::Read refused(const QString& error, Kind kind)
{
    return {QDate(), error, kind};
}

} // namespace

DateInput::Read DateInput::read(const QString& text, Kind kind)
{
    const QString typed = foundation::Digits::western(text).trimmed();
    // In the calendar the text turns out to be in, once a month names it.
    const auto shape = [&kind] { return QStringLiteral("سال، ماه و روز را بنویسید، مانند %1.").arg(example(kind)); };
    if (typed.isEmpty())
        return refused(shape(), kind);

    // The numbers, and what lies between them: at most one month's name.
    static const QRegularExpression number(QStringLiteral("[0-9]+"));
    QList<QString> numbers;
    QString words;
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = number.globalMatch(typed); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words += typed.mid(from, m.capturedStart() - from) + QLatin1Char(' ');
        numbers.append(m.captured(0));
        from = m.capturedEnd();
    }
    words += typed.mid(from);
    std::optional<Month> named;
    if (!Utility::searchKey(words).isEmpty()) {
        named = monthNamed(words);
        if (!named) {
            // The words alone, without the signs between the numbers (the
            // Arabic decimal sign is a point by now); the sentence read from
            // the right even when they are Latin.
            static const QRegularExpression signs(QStringLiteral("[/\\\\\\-.,\\x{060C}]"));
            const QString shown = QString(words).replace(signs, QStringLiteral(" ")).simplified();
            return refused(QChar(0x200F) + QStringLiteral("«%1» نام ماهی نیست. ").arg(shown) + shape(), kind);
        }
        kind = named->kind;
    }
    if (numbers.size() != (named ? 2 : 3))
        return refused(shape(), kind);

    // The year is the number of three digits or more, first or last.
    const bool yearFirst = numbers.first().size() >= kYearDigits;
    const bool yearLast = numbers.last().size() >= kYearDigits;
    if (yearFirst == yearLast)
        return refused(QStringLiteral("سال را کامل بنویسید، مانند %1.").arg(example(kind)), kind);
    CalendarSystem::Parts p;
    bool ok = true;
    p.year = (yearFirst ? numbers.first() : numbers.last()).toInt(&ok);
    if (named) {
        p.month = named->month;
        p.day = (yearFirst ? numbers.last() : numbers.first()).toInt();
    } else {
        p.month = numbers[1].toInt();
        p.day = (yearFirst ? numbers[2] : numbers[0]).toInt();
    }
    if (!ok || p.year < CalendarSystem::kFirstYear || p.year > CalendarSystem::kLastYear)
        return refused(QStringLiteral("سال از %1 تا %2 است.").arg(CalendarSystem::kFirstYear).arg(CalendarSystem::kLastYear), kind);
    if (p.month < 1 || p.month > CalendarSystem::kMonths)
        return refused(QStringLiteral("ماه از 1 تا %1 است؛ ماه %2 نداریم.").arg(CalendarSystem::kMonths).arg(p.month), kind);
    const int length = CalendarSystem::daysInMonth(kind, p.year, p.month);
    if (length == 0)
        return refused(QStringLiteral("این تاریخ پیش از آغاز تقویم هجری است."), kind);
    if (p.day < 1)
        return refused(QStringLiteral("روزهای ماه از 1 شمرده می‌شوند."), kind);
    if (p.day > length) {
        const QString month = CalendarSystem::monthName(kind, p.month) + QLatin1Char(' ') + QString::number(p.year);
        return refused(QStringLiteral("%1 %2 وجود ندارد؛ %2 تنها %3 روز دارد.").arg(p.day).arg(month).arg(length), kind);
    }
    const QDate day = CalendarSystem::toGregorian(kind, p);
    return day.isValid() ? Read{day, QString(), kind} : refused(shape(), kind);
}

QString DateInput::write(const QDate& day, Kind kind)
{
    const CalendarSystem::Parts p = CalendarSystem::partsOf(day, kind);
    if (p.day <= 0)
        return {};
    // A year of fewer digits is padded, to be read as the year again.
    return QStringLiteral("%1/%2/%3").arg(p.year, kYearDigits, 10, QLatin1Char('0')).arg(p.month).arg(p.day);
}
