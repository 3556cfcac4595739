#include "HereBar.h"

#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/Style.h"

namespace {

const QColor kLine(239, 242, 246);
const QColor kInk(40, 48, 64);
const QColor kBlue(40, 100, 220);
constexpr int kButtonWidth = 92;
constexpr int kGap = 8;

} // namespace

HereBar::HereBar(const QRect& frame)
    : ui::View(frame)
{
    setBackgroundColor(kLine);
    const int w = frame.width();
    // At the right, where a reader from the right begins.
    locate_ = &add<ui::Button>(ui::Button::Type::Custom, QRect(w - kGap - kButtonWidth, 7, kButtonWidth, 30));
    locate_->setTitle(QStringLiteral("مکان من"));
    locate_->setTitleColor(Qt::white);
    locate_->setTitleColor(QColor(210, 220, 240), ui::ControlState::Highlighted);
    locate_->setTitleFont(ui::font(QStringLiteral("Helvetica-Bold"), 14));
    locate_->setBackgroundColor(kBlue);
    locate_->setCornerRadius(8);
    locate_->setAccessibleName(QStringLiteral("مکان من: نزدیک‌ترین مکان به جایی که هستید"));
    locate_->addAction(ui::ControlEvent::TouchUpInside, [this] { locate(); });

    const QRect rest(kGap, 2, w - 3 * kGap - kButtonWidth, kHeight - 4);
    status_ = &add<ui::Label>(rest);
    status_->setTextFont(ui::font(QStringLiteral("Helvetica"), 12));
    status_->setTextColor(kInk);
    status_->setTextAlignment(ui::TextAlignment::Right);
    status_->setNumberOfLines(2);
    status_->setBackgroundColor(Qt::transparent);
    // Over the line when it names the nearest place: a tap on the name
    // chooses it.
    nearestButton_ = &add<ui::Button>(ui::Button::Type::Custom, rest);
    nearestButton_->addAction(ui::ControlEvent::TouchUpInside, [this] {
        if (nearest_ && !nearest_->chosen && chosen_)
            chosen_(*nearest_);
    });
    nearestButton_->hide();
}

void HereBar::say(const QString& text)
{
    nearestButton_->hide();
    status_->setTextColor(kInk);
    status_->setTextFont(ui::font(QStringLiteral("Helvetica"), 12));
    status_->setText(text);
}

void HereBar::locate()
{
    nearest_.reset();
    say(WhereAmI::lookingText());
    locate_->setControlEnabled(false);
    WhereAmI::find(
        this,
        [this](const WhereAmI::Found& found) {
            locate_->setControlEnabled(true);
            nearest_ = found.nearest;
            const QString text = WhereAmI::nearestText(found.nearest);
            if (found.nearest.chosen)
                return say(text + QStringLiteral("؛ در فهرست شما هست"));
            status_->setTextColor(kBlue);
            status_->setTextFont(ui::font(QStringLiteral("Helvetica-Bold"), 14));
            status_->setText(text);
            nearestButton_->setAccessibleName(QStringLiteral("انتخاب ") + found.nearest.shownName + QStringLiteral("، ") + WhereAmI::distanceText(found.nearest.distanceKm));
            nearestButton_->show();
        },
        [this](const QString& why) {
            locate_->setControlEnabled(true);
            say(why);
        });
}
