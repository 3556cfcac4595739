#pragma once

#include "platform/ui/ImageView.h"
#include "store/Days.h"

#include <QDateTime>

#include <functional>

class DateTimePersian;

namespace ui {
class Button;
class Label;
}

// One page of the main screen: a city's day over the background picture,
// its date in the three calendars, its events, its eight times, and on
// today's page which comes next and how long until it. Built from the
// city's day, the page's index and the displayed date.
class CustomUIImageView : public ui::ImageView {
public:
    // init:Index:Date:
    CustomUIImageView(const days::Page& page, int index, DateTimePersian& date);

    // Whether the page can show `page` in place (both have times).
    bool canShow(const days::Page& page) const;
    // Shows another day with times on the same labels.
    void show(const days::Page& page, DateTimePersian& date);
    // Marks the time that comes next after `now` and says how long until
    // it; on a page that is not today's, nothing is marked.
    void showNext(const QDateTime& now, bool today);
    // Told when the events line is tapped.
    void setEventsAction(std::function<void()> action);
    // Told when the way to the Qibla is tapped.
    void setQiblaAction(std::function<void()> action);
    // Marks the page of the city the azans follow, beside its name.
    void setAzanCity(bool azans);
    bool isAzanCity() const { return azanMark_ && !azanMark_->isHidden(); }

    ui::Label* nameLabel() const { return name_; }
    ui::Label* dateLabel() const { return date_; }
    ui::Label* hijriLabel() const { return hijri_; }
    ui::Label* gregorianLabel() const { return gregorian_; }
    ui::Label* eventsLabel() const { return event_; }
    ui::Label* countdownLabel() const { return countdown_; }
    // "ساعت‌ها به وقت ایران", shown where the device's clock is not Iran's.
    ui::Label* zoneNote() const { return zoneNote_; }
    ui::Button* eventsButton() const { return eventsButton_; }
    ui::Button* qiblaButton() const { return qiblaButton_; }
    ui::Label* timeLabel(int k) const { return k >= 0 && k < kTimeRows ? timeLabels_[k] : nullptr; }
    // The row of the next time (0 to 7), or -1.
    int markedRow() const { return marked_; }

    static constexpr int kWidth = 320;
    static constexpr int kHeight = 460;

private:
    static constexpr int kTimeRows = kTimesOnPage;

    bool noTimes_ = false;
    QDate day_;
    days::Times times_;
    ui::Label* name_ = nullptr;
    ui::Label* event_ = nullptr;
    ui::Label* date_ = nullptr;
    ui::Label* hijri_ = nullptr;
    ui::Label* gregorian_ = nullptr;
    ui::Label* countdown_ = nullptr;
    ui::Label* zoneNote_ = nullptr;
    ui::Button* eventsButton_ = nullptr;
    ui::Button* qiblaButton_ = nullptr;
    ui::View* mark_ = nullptr;
    ui::View* azanMark_ = nullptr;
    ui::Label* timeLabels_[kTimeRows] = {};
    int marked_ = -1;
    std::function<void()> eventsAction_;
    std::function<void()> qiblaAction_;
};
