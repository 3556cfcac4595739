#include "QiblaViewController.h"

#include "CompassView.h"

#include "calendar/DateTexts.h"
#include "calendar/PersianCalendar.h"
#include "calendar/Utility.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Digits.h"
#include "platform/foundation/Log.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/Style.h"

#include <QStringList>

#include <utility>

namespace {

const QColor kScreen(16, 30, 56);
const QColor kBar(10, 18, 36);
const QColor kGold(255, 214, 110);
const QColor kText(220, 226, 240);
const QColor kQuiet(160, 172, 196);
constexpr int kBarHeight = 44;
constexpr int kSecondsPerMinute = 60;

ui::Label* addLine(ui::View& parent, const QRect& frame, double size, bool bold, const QColor& colour)
{
    auto& label = parent.add<ui::Label>(frame);
    label.setTextFont(ui::font(bold ? QStringLiteral("Helvetica-Bold") : QStringLiteral("Helvetica"), size));
    label.setTextColor(colour);
    label.setTextAlignment(ui::TextAlignment::Center);
    label.setAdjustsFontSizeToFitWidth(true);
    return &label;
}

} // namespace

QiblaViewController::QiblaViewController(int cityId, const QString& cityName, const QDate& day)
    : cityId_(cityId), cityName_(cityName), day_(day)
{
    setTitle(QStringLiteral("قبله"));
}

void QiblaViewController::viewDidLoad()
{
    ui::View* screen = view();
    screen->setBackgroundColor(kScreen);
    screen->setAccessibleName(QStringLiteral("قبله و خورشید"));

    auto* bar = &screen->add<ui::View>(QRect(0, 0, 320, kBarHeight));
    bar->setBackgroundColor(kBar);
    title_ = addLine(*bar, QRect(90, 0, 140, kBarHeight), 19, true, Qt::white);
    title_->setText(QStringLiteral("قبلهٔ ") + cityName_);
    // Back, at the right where a reader from the right begins.
    close_ = &bar->add<ui::Button>(ui::Button::Type::Custom, QRect(236, 7, 78, 30));
    close_->setTitle(QStringLiteral("بازگشت ›"));
    close_->setTitleColor(Qt::white);
    close_->setTitleColor(QColor(200, 200, 200), ui::ControlState::Highlighted);
    close_->setTitleFont(ui::font(QStringLiteral("Helvetica-Bold"), 16));
    close_->setBackgroundColor(QColor(255, 255, 255, 30));
    close_->setCornerRadius(8);
    close_->setAccessibleName(QStringLiteral("بازگشت"));
    close_->addAction(ui::ControlEvent::TouchUpInside, [this] { close(); });

    bearing_ = addLine(*screen, QRect(10, 48, 300, 22), 15, true, Qt::white);
    deviation_ = addLine(*screen, QRect(10, 70, 300, 18), 12, false, kQuiet);
    compass_ = &screen->add<CompassView>(QRect(30, 90, 260, 260));
    sun_ = addLine(*screen, QRect(10, 354, 300, 22), 14, true, kGold);
    shadow_ = addLine(*screen, QRect(10, 377, 300, 20), 13, false, kText);
    overKaaba_ = addLine(*screen, QRect(10, 400, 300, 52), 12, false, kQuiet);
    overKaaba_->setNumberOfLines(0);

    const QString day = Utility::ConvertToPersian(DateTexts::solar(PersianCalendar::fromGregorian(day_)));
    facts_ = QiblaFacts::ofCity(cityId_, cityName_, day_);
    if (!facts_) {
        bearing_->setText(QStringLiteral("جای این شهر در برنامه نیست."));
        deviation_->setText(day);
        compass_->hide();
        return;
    }
    bearing_->setText(facts_->bearingText());
    QString under = facts_->deviationText() + QStringLiteral("، ") + day;
    if (facts_->ofCentre)
        under += QStringLiteral("، به جای مرکز استان");
    deviation_->setText(under);
    sun_->setText(facts_->sunText());
    sun_->setAccessibleDescription(QStringLiteral("در این هنگام رو به خورشید بایستید: رو به قبله‌اید."));
    shadow_->setText(facts_->shadowText());
    shadow_->setAccessibleDescription(QStringLiteral("در این هنگام سایهٔ شما رو به قبله است."));
    overKaaba_->setText(facts_->overKaabaText());
    QStringList moments;
    for (const astronomy::CompassMoment& m : std::as_const(facts_->moments))
        moments.append((m.behind ? QStringLiteral("behind ") : QStringLiteral("in line ")) + foundation::Digits::western(QiblaFacts::clock(m.moment)));
    foundation::Log::write(QStringLiteral("qibla: %1, %2 degrees, %3 km; the sun %4")
                               .arg(cityName_)
                               .arg(facts_->bearing.azimuth, 0, 'f', 1)
                               .arg(facts_->bearing.distanceKm, 0, 'f', 0)
                               .arg(moments.isEmpty() ? QStringLiteral("never in line") : moments.join(QStringLiteral(", "))));

    minute_.setInterval(kMinuteCheckMs);
    minute_.callOnTimeout([this] {
        if (foundation::Clock::now().toSecsSinceEpoch() / kSecondsPerMinute != shownMinute_)
            showNow();
    });
    minute_.start();
    showNow();
}

void QiblaViewController::showNow()
{
    if (!facts_)
        return;
    const QDateTime now = foundation::Clock::now();
    shownMinute_ = now.toSecsSinceEpoch() / kSecondsPerMinute;
    const bool today = now.date() == day_;
    compass_->show(*facts_, today ? std::optional(astronomy::sunDirection(now, facts_->place)) : std::nullopt);
}

bool QiblaViewController::accessibilityPerformEscape()
{
    close();
    return true;
}

void QiblaViewController::close()
{
    minute_.stop();
    dismissViewController(true);
}
