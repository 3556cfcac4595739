#pragma once

#include "WhereAmI.h"

#include "platform/ui/View.h"

#include <functional>
#include <optional>

namespace ui {
class Button;
class Label;
} // namespace ui

// The search's line for "مکان من": a tap asks where the user is, and the
// place of Iran nearest to it is offered, to choose with one more tap; or
// the line says why there is none.
class HereBar : public ui::View {
public:
    explicit HereBar(const QRect& frame);

    // Told when the nearest place is tapped.
    void setChosen(std::function<void(const cities::NearestPlace&)> chosen) { chosen_ = std::move(chosen); }

    // What "مکان من" does.
    void locate();

    ui::Button* locateButton() const { return locate_; }
    // Over the line once it names the nearest place: a tap chooses it.
    ui::Button* nearestButton() const { return nearestButton_; }
    // What the line says: looking, why not, or the nearest place.
    ui::Label* statusLabel() const { return status_; }
    const std::optional<cities::NearestPlace>& nearest() const { return nearest_; }

    static constexpr int kHeight = 44;

private:
    void say(const QString& text);

    ui::Button* locate_ = nullptr;
    ui::Button* nearestButton_ = nullptr;
    ui::Label* status_ = nullptr;
    std::optional<cities::NearestPlace> nearest_;
    std::function<void(const cities::NearestPlace&)> chosen_;
};
