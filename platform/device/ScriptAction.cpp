#include "ScriptAction.h"

#include <QRegularExpression>
#include <QStringList>

#include <cstdlib>

namespace device {

namespace {

// Exactly `count` whole numbers, each within `limit` of zero.
bool wholeNumbers(const QStringList& words, int count, int limit, QList<int>& out)
{
    if (words.size() != count)
        return false;
    for (const QString& w : words) {
        bool ok = false;
        const int n = w.toInt(&ok);
        if (!ok || std::abs(static_cast<long>(n)) > limit)
            return false;
        out.append(n);
    }
    return true;
}

} // namespace

std::optional<ScriptAction> ScriptAction::parse(const QString& line)
{
    const QString trimmed = line.trimmed();
    ScriptAction a;
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
        return a;
    const QString command = trimmed.section(QLatin1Char(' '), 0, 0);
    const QString rest = trimmed.section(QLatin1Char(' '), 1);
    const QStringList words = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    constexpr int kPoints = 100000;

    bool ok = false;
    if (command == QLatin1String("tap")) {
        a.kind = Kind::Tap;
        ok = wholeNumbers(words, 2, kPoints, a.numbers);
        // Not numbers alone (a point with a number too few or too many).
        static const QRegularExpression numbers(QStringLiteral("^[-+0-9\\s]*$"));
        if (!ok && !numbers.match(rest).hasMatch()) {
            // A name, and "#2" after it for the second element so named.
            static const QRegularExpression nth(QStringLiteral("^(.*\\S)\\s+#([1-9][0-9]?)$"));
            const QRegularExpressionMatch m = nth.match(rest);
            a.kind = Kind::TapNamed;
            a.text = m.hasMatch() ? m.captured(1) : rest;
            a.numbers = {m.hasMatch() ? m.captured(2).toInt() : 1};
            ok = true;
        }
    } else if (command == QLatin1String("tree")) {
        a.kind = Kind::Tree;
        a.text = rest;
        ok = !rest.isEmpty();
    } else if (command == QLatin1String("drag")) {
        a.kind = Kind::Drag;
        ok = wholeNumbers(words, 4, kPoints, a.numbers);
    } else if (command == QLatin1String("type")) {
        a.kind = Kind::Type;
        a.text = rest;
        ok = true;
    } else if (command == QLatin1String("key")) {
        a.kind = Kind::Key;
        a.text = rest;
        static const QStringList keys = {QStringLiteral("Return"), QStringLiteral("Escape"), QStringLiteral("Tab"), QStringLiteral("Space"),
            QStringLiteral("Left"), QStringLiteral("Right")};
        ok = keys.contains(rest);
    } else if (command == QLatin1String("wait")) {
        a.kind = Kind::Wait;
        ok = wholeNumbers(words, 1, kMaxWaitMs, a.numbers) && a.numbers[0] >= 0;
    } else if (command == QLatin1String("shot")) {
        a.kind = Kind::Shot;
        a.text = rest;
        ok = !rest.isEmpty();
    } else if (command == QLatin1String("tray")) {
        a.kind = Kind::Tray;
        a.text = rest;
        // An entry's name: open, stop, quit, or one of the app's (such as
        // silence-next); whether it is there is seen when it is chosen.
        static const QRegularExpression entry(QStringLiteral("^[a-z][a-z0-9-]*$"));
        ok = entry.match(rest).hasMatch();
    } else if (command == QLatin1String("advance")) {
        a.kind = Kind::Advance;
        ok = wholeNumbers(words, 1, kMaxAdvanceMinutes, a.numbers);
    } else {
        static const QList<QPair<QString, Kind>> bare = {{QStringLiteral("home"), Kind::Home}, {QStringLiteral("open"), Kind::Open},
            {QStringLiteral("close"), Kind::Close}, {QStringLiteral("quit"), Kind::Quit}};
        for (const auto& [name, kind] : bare) {
            if (command == name) {
                a.kind = kind;
                ok = words.isEmpty();
            }
        }
    }
    if (!ok)
        return std::nullopt;
    return a;
}

} // namespace device
