#pragma once

#include "platform/ui/ImageView.h"
#include "store/MyDB.h"

class DateTimePersian;

namespace ui {
class Label;
}

// One page of the main screen: a city's day over the background picture.
// Built from the day row, the page's index and the displayed date.
class CustomUIImageView : public ui::ImageView {
public:
    // init:Index:Date:
    CustomUIImageView(const Row& row, int index, DateTimePersian& date);

    // Whether the page can show `row` in place (both have times).
    bool canShow(const Row& row) const;
    // Shows another day row with times on the same labels.
    void show(const Row& row, DateTimePersian& date);

    static constexpr int kWidth = 320;
    static constexpr int kHeight = 460;

private:
    static constexpr int kTimeRows = 8;

    bool noTimes_ = false;
    ui::Label* name_ = nullptr;
    ui::Label* event_ = nullptr;
    ui::Label* date_ = nullptr;
    ui::Label* times_[kTimeRows] = {};
};
