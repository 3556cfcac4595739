#include "WhereAmI.h"

#include "calendar/Utility.h"
#include "platform/location/Locator.h"

#include <chrono>
#include <cmath>

void WhereAmI::find(QObject* context, std::function<void(const Found&)> found, std::function<void(const QString& why)> failed)
{
    location::Locator::shared()->locate(context, [found = std::move(found), failed = std::move(failed)](const location::Answer& answer) {
        if (!answer.fix)
            return failed(failureText(answer.failure));
        const double latitude = answer.fix->latitude;
        const double longitude = answer.fix->longitude;
        const std::optional<cities::NearestPlace> nearest = cities::nearestPlace(latitude, longitude);
        if (!nearest || !cities::locatedInIran(latitude, longitude, *nearest))
            return failed(outsideText());
        found({latitude, longitude, *nearest});
    });
}

QString WhereAmI::lookingText()
{
    return QStringLiteral("در جستجوی مکان شما…");
}

QString WhereAmI::failureText(location::Failure failure)
{
    switch (failure) {
    case location::Failure::NoService:
    case location::Failure::None:
        break;
    case location::Failure::NoPermission:
        return QStringLiteral("اجازهٔ دانستن مکان شما داده نشده است؛ آن را در تنظیمات حریم خصوصی رایانه بدهید.");
    case location::Failure::NoFix: {
        const auto seconds = std::chrono::ceil<std::chrono::seconds>(location::Locator::shared()->timeout()).count();
        return Utility::ConvertToPersian(QStringLiteral("مکان شما در %1 ثانیه پیدا نشد؛ دوباره بکوشید.").arg(seconds));
    }
    }
    return QStringLiteral("سرویس مکان‌یابی در این رایانه در دسترس نیست.");
}

QString WhereAmI::outsideText()
{
    return QStringLiteral("مکان شما در ایران نیست؛ کلوارو تنها مکان‌های ایران را می‌شناسد.");
}

QString WhereAmI::distanceText(double km)
{
    if (km < 1)
        return Utility::ConvertToPersian(QStringLiteral("کمتر از 1 کیلومتر"));
    return Utility::ConvertToPersian(QStringLiteral("%1 کیلومتر").arg(std::lround(km)));
}

QString WhereAmI::nearestText(const cities::NearestPlace& place)
{
    return QStringLiteral("نزدیک‌ترین: %1، %2").arg(place.name, distanceText(place.distanceKm));
}
