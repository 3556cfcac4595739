#pragma once

#include "platform/ui/ImageView.h"
#include "store/MyDB.h"

class DateTimePersian;

// One page of the main screen: a city's day over the background picture.
// Built once from the day row, the page's index and the displayed date.
class CustomUIImageView : public ui::ImageView {
public:
    // init:Index:Date:
    CustomUIImageView(const Row& row, int index, DateTimePersian& date);

    static constexpr int kWidth = 320;
    static constexpr int kHeight = 460;
};
