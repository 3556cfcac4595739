#pragma once

#include "QiblaFacts.h"

#include "platform/ui/ViewController.h"

#include <QTimer>

#include <optional>

class CompassView;

namespace ui {
class Button;
class Label;
} // namespace ui

// The Qibla of a chosen city and the sun as its compass on the displayed
// day: the bearing and the distance to the Kaaba, the picture of the sky
// with the Qibla's line and the sun's way, the moments the sun stands in
// line with the Qibla, and the days it passes over the Kaaba. Today the
// sun's place moves on with the clock.
class QiblaViewController : public ui::ViewController {
public:
    QiblaViewController(int cityId, const QString& cityName, const QDate& day);

    void viewDidLoad() override;
    bool accessibilityPerformEscape() override;

    // Back to the screen that opened it.
    void close();
    // The sun where it stands now, on today's page; each minute.
    void showNow();

    const std::optional<QiblaFacts>& facts() const { return facts_; }
    CompassView* compass() const { return compass_; }
    ui::Button* closeButton() const { return close_; }
    ui::Label* titleLabel() const { return title_; }
    ui::Label* bearingLabel() const { return bearing_; }
    ui::Label* deviationLabel() const { return deviation_; }
    ui::Label* sunLabel() const { return sun_; }
    ui::Label* shadowLabel() const { return shadow_; }
    ui::Label* overKaabaLabel() const { return overKaaba_; }

private:
    int cityId_;
    QString cityName_;
    QDate day_;
    std::optional<QiblaFacts> facts_;
    CompassView* compass_ = nullptr;
    ui::Button* close_ = nullptr;
    ui::Label* title_ = nullptr;
    ui::Label* bearing_ = nullptr;
    ui::Label* deviation_ = nullptr;
    ui::Label* sun_ = nullptr;
    ui::Label* shadow_ = nullptr;
    ui::Label* overKaaba_ = nullptr;
    QTimer minute_;
    qint64 shownMinute_ = -1;
    static constexpr int kMinuteCheckMs = 1000;
};
