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

    // A day row with this key and no times stands for a day outside the
    // data: the page says so instead of showing times.
    static inline const QString kNoTimes = QStringLiteral("NoTimes");

    static constexpr int kWidth = 320;
    static constexpr int kHeight = 460;
};
