#include "Options.h"

#include <QCommandLineParser>

namespace device {

std::optional<Options> Options::parse(const QStringList& arguments, QString* error)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption now(QStringLiteral("now"), QStringLiteral("Starts the clock at this moment."), QStringLiteral("moment"));
    const QCommandLineOption zone(QStringLiteral("tz"), QStringLiteral("The device's time zone."), QStringLiteral("zone"));
    const QCommandLineOption home(QStringLiteral("home"), QStringLiteral("The sandbox folder."), QStringLiteral("folder"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"), QStringLiteral("Saves the screen once still, then quits."), QStringLiteral("file"));
    const QCommandLineOption script(QStringLiteral("script"), QStringLiteral("Runs device actions."), QStringLiteral("file"));
    const QCommandLineOption scale(QStringLiteral("scale"), QStringLiteral("Device pixels a point."), QStringLiteral("n"));
    const QCommandLineOption pending(QStringLiteral("pending"), QStringLiteral("Prints the pending notifications."));
    const QCommandLineOption background(QStringLiteral("background"), QStringLiteral("Starts out of sight."));
    const QCommandLineOption painted(QStringLiteral("quit-when-painted"), QStringLiteral("Quits after the first frame."));
    parser.addOptions({now, zone, home, screenshot, script, scale, pending, background, painted});

    auto failed = [error](const QString& message) -> std::optional<Options> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    if (!parser.parse(arguments))
        return failed(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return failed(QStringLiteral("unknown argument: %1").arg(parser.positionalArguments().first()));

    Options o;
    o.now = parser.value(now);
    o.zone = parser.value(zone);
    o.home = parser.value(home);
    o.screenshot = parser.value(screenshot);
    o.script = parser.value(script);
    o.pending = parser.isSet(pending);
    o.background = parser.isSet(background);
    o.quitWhenPainted = parser.isSet(painted);
    if (parser.isSet(scale)) {
        bool ok = false;
        o.scale = parser.value(scale).toInt(&ok);
        if (!ok || o.scale < 1 || o.scale > 8)
            return failed(QStringLiteral("--scale wants a whole number from 1 to 8"));
    }
    return o;
}

} // namespace device
