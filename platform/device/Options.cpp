#include "Options.h"

#include <QCommandLineParser>

namespace device {

namespace {

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption now{QStringLiteral("now"), QStringLiteral("Starts the device clock at this moment of its zone, e.g. 2012-07-21T04:30."),
        QStringLiteral("moment")};
    QCommandLineOption zone{QStringLiteral("tz"), QStringLiteral("The device's time zone, from the tz database (default Asia/Tehran)."),
        QStringLiteral("zone")};
    QCommandLineOption home{QStringLiteral("home"), QStringLiteral("The phone's sandbox: the app's documents and pending notifications."),
        QStringLiteral("folder")};
    QCommandLineOption screenshot{QStringLiteral("screenshot"), QStringLiteral("Saves the screen once nothing on it moves, then quits."),
        QStringLiteral("file.png")};
    QCommandLineOption script{QStringLiteral("script"),
        QStringLiteral("Runs device actions, one a line: tap X Y, tap NAME, drag X1 Y1 X2 Y2, type TEXT, key NAME, wait MS, shot FILE, "
                       "tree FILE, home, open, close, tray ENTRY, advance MINUTES, quit."),
        QStringLiteral("file")};
    QCommandLineOption scale{QStringLiteral("scale"), QStringLiteral("Device pixels a point, 1 to 8 (default: the largest that fits)."),
        QStringLiteral("n")};
    QCommandLineOption exportTo{QStringLiteral("export"),
        QStringLiteral("Answers every save dialog with this folder and the file name it offers, without showing it."), QStringLiteral("folder")};
    QCommandLineOption position{QStringLiteral("position"),
        QStringLiteral("Where the user's position comes from: a recorded NMEA log (FILE.nmea), \"none\" (no location service) "
                       "or \"denied\" (a service that refuses); default: the desktop's location service."),
        QStringLiteral("source")};
    QCommandLineOption pending{QStringLiteral("pending"), QStringLiteral("Prints the pending notifications of the sandbox and exits.")};
    QCommandLineOption background{QStringLiteral("background"), QStringLiteral("Starts with the window out of sight, in the tray.")};
    QCommandLineOption painted{QStringLiteral("quit-when-painted"), QStringLiteral("Quits once the first frame is painted.")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Prints these options and exits.")};
    QCommandLineOption version{QStringLiteral("version"), QStringLiteral("Prints the version and exits.")};

    Parser()
    {
        parser.setApplicationDescription(QStringLiteral("Kelvaro, the Persian calendar and prayer times, on a phone-sized device."));
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOptions({now, zone, home, screenshot, script, scale, exportTo, position, pending, background, painted, help, version});
    }
};

} // namespace

QString Options::helpText()
{
    Parser p;
    // Asked before Qt's application exists, the parser does not know the
    // program's name.
    QString text = p.parser.helpText();
    text.replace(QStringLiteral("<executable_name>"), QStringLiteral("kelvaro"));
    return text;
}

std::optional<Options> Options::parse(const QStringList& arguments, QString* error)
{
    Parser p;
    QCommandLineParser& parser = p.parser;
    const QCommandLineOption& now = p.now;
    const QCommandLineOption& zone = p.zone;
    const QCommandLineOption& home = p.home;
    const QCommandLineOption& screenshot = p.screenshot;
    const QCommandLineOption& script = p.script;
    const QCommandLineOption& scale = p.scale;
    const QCommandLineOption& pending = p.pending;
    const QCommandLineOption& background = p.background;
    const QCommandLineOption& painted = p.painted;

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
    o.exportTo = parser.value(p.exportTo);
    o.position = parser.value(p.position);
    o.pending = parser.isSet(pending);
    o.background = parser.isSet(background);
    o.quitWhenPainted = parser.isSet(painted);
    o.help = parser.isSet(p.help);
    o.version = parser.isSet(p.version);
    if (parser.isSet(scale)) {
        bool ok = false;
        o.scale = parser.value(scale).toInt(&ok);
        if (!ok || o.scale < 1 || o.scale > 8)
            return failed(QStringLiteral("--scale wants a whole number from 1 to 8"));
    }
    return o;
}

} // namespace device
