// What the device reads before anything runs: its options and the lines of
// its scripts.
#include "platform/device/Options.h"
#include "platform/device/ScriptAction.h"

#include <gtest/gtest.h>

namespace {

using device::Options;
using device::ScriptAction;
using Kind = ScriptAction::Kind;

std::optional<Options> parse(const QStringList& args, QString* error = nullptr)
{
    return Options::parse(QStringList{"kelvaro"} + args, error);
}

TEST(DeviceOptions, EachOptionAndItsValue)
{
    const std::optional<Options> o = parse({"--now", "2026-12-07T10:00", "--tz", "Europe/Berlin", "--home", "phone", "--scale", "2",
        "--screenshot", "a.png", "--background", "--position", "kashan.nmea"});
    ASSERT_TRUE(o.has_value());
    EXPECT_EQ(o->now, "2026-12-07T10:00");
    EXPECT_EQ(o->zone, "Europe/Berlin");
    EXPECT_EQ(o->home, "phone");
    EXPECT_EQ(o->scale, 2);
    EXPECT_EQ(o->screenshot, "a.png");
    EXPECT_TRUE(o->background);
    EXPECT_EQ(o->position, "kashan.nmea");
    EXPECT_FALSE(o->pending);
    // Without it, the desktop's location service.
    EXPECT_TRUE(parse({})->position.isEmpty());
    // No scale given: the device chooses one.
    EXPECT_EQ(parse({"--pending"})->scale, 0);
    EXPECT_TRUE(parse({"--pending"})->pending);
}

TEST(DeviceOptions, WhatIsNotAnOptionIsRefusedWithAReason)
{
    QString error;
    EXPECT_FALSE(parse({"--fast"}, &error).has_value());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(parse({"--now"}, &error).has_value());
    EXPECT_FALSE(parse({"--position"}, &error).has_value());
    EXPECT_FALSE(parse({"--scale", "two"}, &error).has_value());
    EXPECT_FALSE(parse({"--scale", "0"}, &error).has_value());
    EXPECT_FALSE(parse({"stray"}, &error).has_value());
}

TEST(ScriptLines, EachActionWithItsArguments)
{
    struct Case {
        const char* line;
        Kind kind;
        QList<int> numbers;
        QString text;
    };
    const Case cases[] = {
        {"tap 32 441", Kind::Tap, {32, 441}, {}},
        {"tap رویدادهای سال ۱۴۰۵ (iCalendar)", Kind::TapNamed, {1}, "رویدادهای سال ۱۴۰۵ (iCalendar)"},
        {"tap تایید #2", Kind::TapNamed, {2}, "تایید"},
        {"tree out/screen.json", Kind::Tree, {}, "out/screen.json"},
        {"  drag 60 250 260 250  ", Kind::Drag, {60, 250, 260, 250}, {}},
        {"type تهران و ری", Kind::Type, {}, "تهران و ری"},
        {"key Escape", Kind::Key, {}, "Escape"},
        {"wait 900", Kind::Wait, {900}, {}},
        {"shot out dir/a.png", Kind::Shot, {}, "out dir/a.png"},
        {"advance -30", Kind::Advance, {-30}, {}},
        {"tray stop", Kind::Tray, {}, "stop"},
        {"home", Kind::Home, {}, {}},
        {"quit", Kind::Quit, {}, {}},
        {"# a comment", Kind::Nothing, {}, {}},
        {"", Kind::Nothing, {}, {}},
    };
    for (const Case& c : cases) {
        const std::optional<ScriptAction> a = ScriptAction::parse(QString::fromUtf8(c.line));
        ASSERT_TRUE(a.has_value()) << c.line;
        EXPECT_EQ(a->kind, c.kind) << c.line;
        EXPECT_EQ(a->numbers, c.numbers) << c.line;
        EXPECT_EQ(a->text, c.text) << c.line;
    }
}

TEST(ScriptLines, WhatCannotBeDoneIsNoAction)
{
    for (const char* line : {"tap", "tap 1", "tap 1 2 3", "tap 1 -2 3", "tree", "wait -1", "wait 99999999", "key Spacebar", "shot", "home now", "jump",
             "advance", "tray Stop!", "tray two words", "drag 1 2 3 4 5"})
        EXPECT_FALSE(ScriptAction::parse(QString::fromUtf8(line)).has_value()) << line;
}

} // namespace
