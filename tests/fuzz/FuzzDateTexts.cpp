// The readers of the texts that the database and the settings hold: date
// keys and clock times; and of a date the user types into the converter.
// Whatever they are given, they answer without crashing, and what they
// accept reads back the same.
#include "calendar/ClockTime.h"
#include "calendar/DateInput.h"
#include "calendar/DateKey.h"
#include "calendar/PersianCalendar.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    if (const std::optional<SolarDate> date = DateKey::read(text)) {
        // A valid date makes a key that reads back as the same date, and
        // goes to the Gregorian calendar and back unchanged.
        if (PersianCalendar::isValid(*date) && date->year >= 1000 && date->year < 3000) {
            if (DateKey::read(DateKey::make(*date)) != *date)
                std::abort();
            if (PersianCalendar::fromGregorian(PersianCalendar::toGregorian(*date)) != *date)
                std::abort();
        }
    }

    const ClockTime lenient = ClockTime::read(text);
    (void)lenient.padded();
    if (const std::optional<ClockTime> strict = ClockTime::readStrict(text)) {
        if (strict->hour < 0 || strict->hour > 23 || strict->minute < 0 || strict->minute > 59)
            std::abort();
        if (ClockTime::readStrict(strict->padded()) != strict || ClockTime::read(text) != *strict)
            std::abort();
    }
    // A typed date: a day, which the field's way of writing it gives back,
    // or the reason it is none.
    for (int k = 0; k < CalendarSystem::kKinds; ++k) {
        const DateInput::Read read = DateInput::read(text, static_cast<CalendarSystem::Kind>(k));
        if (read.day.isValid() == !read.error.isEmpty())
            std::abort();
        if (read.day.isValid() && DateInput::read(DateInput::write(read.day, read.kind), read.kind).day != read.day)
            std::abort();
    }
    return 0;
}
