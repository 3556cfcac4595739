#include "Cities.h"

namespace cities {

namespace {
const char* kCentreOf =
    "SELECT a.StateID FROM tStates a INNER JOIN tStates b ON a.ParentID = b.ParentID WHERE a.IsCenter = 1 AND b.StateID = %1";
}

bool isProvinceCentre(const Row& city)
{
    return city.value(QStringLiteral("IsCenter")) == QLatin1String("1");
}

int provinceCentre(int stateId)
{
    return MyDB::initialize()->ExecuteScaler(QString::fromLatin1(kCentreOf).arg(stateId)).value_or(QString()).toInt();
}

int timesSource(const Row& city)
{
    const int own = city.value(QStringLiteral("StateID")).toInt();
    return isProvinceCentre(city) ? own : provinceCentre(own);
}

} // namespace cities
