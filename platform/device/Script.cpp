#include "Script.h"

#include "System.h"

#include "platform/foundation/AtomicFile.h"
#include "platform/ui/Accessibility.h"
#include "platform/ui/Application.h"
#include "platform/ui/Touch.h"
#include "platform/ui/Window.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace device {

namespace {

void fail(const QString& message)
{
    std::fprintf(stderr, "kelvaro: %s\n", message.toUtf8().constData());
}

int keyCode(const QString& name)
{
    if (name == QLatin1String("Escape"))
        return Qt::Key_Escape;
    if (name == QLatin1String("Tab"))
        return Qt::Key_Tab;
    if (name == QLatin1String("Space"))
        return Qt::Key_Space;
    if (name == QLatin1String("Left"))
        return Qt::Key_Left;
    if (name == QLatin1String("Right"))
        return Qt::Key_Right;
    return Qt::Key_Return;
}

} // namespace

void Script::start()
{
    settled_.whenStill([this] { next(); });
}

bool Script::saveShot(const QString& file)
{
    ui::Window* window = ui::Application::shared()->keyWindow();
    if (!window)
        return false;
    if (!window->grab().save(file)) {
        fail(QStringLiteral("cannot write %1").arg(file));
        return false;
    }
    return true;
}

void Script::next()
{
    while (index_ < lines_.size()) {
        const QString line = lines_[index_++];
        const std::optional<ScriptAction> action = ScriptAction::parse(line);
        if (action && action->kind == ScriptAction::Kind::Nothing)
            continue;
        int delay = kStepMs;
        if (!action || !run(*action, delay)) {
            fail(QStringLiteral("script line %1: cannot run \"%2\"").arg(index_).arg(line.trimmed()));
            status_ = 2;
            QApplication::exit(status_);
            return;
        }
        if (done_)
            return;
        QTimer::singleShot(delay, this, [this] { next(); });
        return;
    }
    QApplication::exit(status_);
}

bool Script::run(const ScriptAction& action, int& delay)
{
    using Kind = ScriptAction::Kind;
    ui::Window* window = ui::Application::shared()->keyWindow();
    const QList<int>& n = action.numbers;
    switch (action.kind) {
    case Kind::Nothing:
        return true;
    case Kind::Wait:
        delay = n[0];
        return true;
    case Kind::Shot:
        return saveShot(action.text);
    case Kind::Advance:
        system_.letTimePass(n[0]);
        return true;
    case Kind::Quit:
        done_ = true;
        System::quit(status_);
        return true;
    case Kind::Tray:
        // Quit may ask first: the script goes on, and ends with the app.
        if (!system_.tray)
            return false;
        return system_.tray->choose(action.text);
    default:
        break;
    }
    // The rest act on the window.
    if (!window)
        return false;
    switch (action.kind) {
    case Kind::Tap:
        ui::touch::tap(window, QPoint(n[0], n[1]));
        break;
    case Kind::TapNamed: {
        const std::optional<ui::AccessibleElement> e = ui::findAccessible(window, action.text, n[0]);
        if (!e) {
            fail(QStringLiteral("nothing on the screen is named \"%1\"").arg(action.text));
            return false;
        }
        ui::touch::tap(window, e->frame.center());
        break;
    }
    case Kind::Tree: {
        QString error;
        if (!foundation::AtomicFile::replace(action.text, ui::accessibleTreeJson(window), &error)) {
            fail(QStringLiteral("cannot write %1 (%2)").arg(action.text, error));
            return false;
        }
        break;
    }
    case Kind::Drag:
        ui::touch::drag(window, QPoint(n[0], n[1]), QPoint(n[2], n[3]));
        break;
    case Kind::Type:
        ui::touch::type(window, action.text);
        break;
    case Kind::Key:
        ui::touch::key(window, keyCode(action.text));
        break;
    case Kind::Home:
        window->showMinimized();
        ui::Application::shared()->enterBackground();
        break;
    case Kind::Open:
        System::bringToFront();
        break;
    case Kind::Close:
        window->close();
        break;
    default:
        return false;
    }
    return true;
}

} // namespace device
