#pragma once

#include "calendar/SolarDate.h"
#include "platform/ui/ViewController.h"

#include <QList>

#include <functional>

namespace ui {
class Button;
class Label;
class View;
} // namespace ui
class MiniMonth;

// A Persian year at a glance: its twelve months, small, from Farvardin at
// the top right, with the official holidays marked and today ringed; a
// tap on a month opens it in the calendar. The year turns with its
// buttons, a swipe or the arrow keys, as the months do, within the years
// of the data.
class YearViewController : public ui::ViewController {
public:
    explicit YearViewController(int year);

    // Told the month tapped (its first day) before the screen closes.
    void setOpenMonth(std::function<void(const SolarDate&)> open) { openMonth_ = std::move(open); }

    void viewDidLoad() override;
    bool accessibilityPerformEscape() override;
    bool keyCommand(int key) override;

    // +1 the next year, -1 the one before; nothing past the data.
    void changeYear(int by);
    int year() const { return year_; }
    const QList<MiniMonth*>& months() const { return months_; }
    ui::Label* titleLabel() const { return title_; }
    ui::Button* previousButton() const { return previous_; }
    ui::Button* nextButton() const { return next_; }
    // Where month `month` (1 to 12) stands in the grid under the title bar.
    static QRect monthFrame(int month);

private:
    void showYear();

    int year_;
    std::function<void(const SolarDate&)> openMonth_;
    ui::View* grid_ = nullptr;
    ui::Label* title_ = nullptr;
    ui::Label* legend_ = nullptr;
    ui::Button* previous_ = nullptr;
    ui::Button* next_ = nullptr;
    QList<MiniMonth*> months_;
};
