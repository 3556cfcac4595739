#include "DateKey.h"

int DateKey::make(const SolarDate& date)
{
    return (date.year - kYearBase) * 10000 + date.month * 100 + date.day;
}

QString DateKey::text(const SolarDate& date)
{
    return QString::number(make(date));
}

SolarDate DateKey::read(int key)
{
    return {key / 10000 + kYearBase, key / 100 % 100, key % 100};
}

std::optional<SolarDate> DateKey::read(const QString& key)
{
    bool ok = false;
    const int number = key.trimmed().toInt(&ok);
    if (!ok || number <= 0)
        return std::nullopt;
    return read(number);
}
