#pragma once

#include <QList>

#include <functional>

namespace ui {

class ViewController;

// Leaving a screen that holds changes not saved asks first, wherever it is
// left from: another tab, a back button, Done, the window closing, Quit.
namespace unsaved {

// The screens within `screen` (itself, what it presents, every screen of
// its stack or of its tabs) that hold changes not saved, the one on top
// first.
QList<ViewController*> holders(ViewController* screen);

// Calls `leave` at once when nothing within `screen` is unsaved. Else asks
// "تغییرات ذخیره شود؟": save them and leave (or stay, with the reason on
// the screen, when one could not be saved), leave without them, or stay.
void confirmLeaving(ViewController* screen, std::function<void()> leave);

// The question's title and answers, for scripts and tests.
constexpr const char* kQuestion = "تغییرات ذخیره شود؟";
constexpr const char* kSave = "ذخیره";
constexpr const char* kDiscard = "ذخیره نشود";
constexpr const char* kStay = "ماندن";

} // namespace unsaved

} // namespace ui
