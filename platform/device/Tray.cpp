#include "Tray.h"

#include "platform/ui/Style.h"

#include <QHash>

namespace device {

namespace {
constexpr int kMessageMs = 10000;

QIcon trayIcon()
{
    return ui::icon(QStringLiteral("trayIcon.png"));
}
} // namespace

bool Tray::isAvailable()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

Tray::Tray(Actions actions)
    : actions_(std::move(actions))
    , open_(menu_.addAction(QStringLiteral("باز کردن")))
    , stop_(menu_.addAction(QStringLiteral("توقف اذان")))
    , appEnd_(menu_.addSeparator())
    , quit_(menu_.addAction(QStringLiteral("خروج")))
{
    QObject::connect(&menu_, &QMenu::aboutToShow, &menu_, [this] { refreshAppEntries(); });
    menu_.setLayoutDirection(Qt::RightToLeft);
    QObject::connect(open_, &QAction::triggered, &menu_, [this] { actions_.open(); });
    QObject::connect(stop_, &QAction::triggered, &menu_, [this] { actions_.stopSound(); });
    QObject::connect(quit_, &QAction::triggered, &menu_, [this] { actions_.quit(); });
    stop_->setEnabled(false);
    icon_.setIcon(trayIcon());
    icon_.setContextMenu(&menu_);
    icon_.setToolTip(QStringLiteral("Kelvaro"));
    QObject::connect(&icon_, &QSystemTrayIcon::activated, &menu_, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            actions_.open();
    });
    icon_.show();
}

void Tray::setToolTip(const QString& text)
{
    if (icon_.toolTip() != text)
        icon_.setToolTip(text);
}

void Tray::setSoundPlaying(bool playing)
{
    stop_->setEnabled(playing);
}

bool Tray::showMessage(const QString& text)
{
    if (!QSystemTrayIcon::supportsMessages())
        return false;
    icon_.showMessage(QStringLiteral("Kelvaro"), text, trayIcon(), kMessageMs);
    return true;
}

void Tray::refreshAppEntries()
{
    for (QAction* a : std::as_const(app_)) {
        menu_.removeAction(a);
        if (QMenu* sub = a->menu())
            sub->deleteLater();
        a->deleteLater();
    }
    app_.clear();
    QHash<QString, QMenu*> submenus;
    for (const ui::StatusMenuItem& item : actions_.appEntries()) {
        QMenu* into = &menu_;
        if (!item.submenu.isEmpty()) {
            into = submenus.value(item.submenu);
            if (!into) {
                into = new QMenu(item.submenu, &menu_);
                into->setLayoutDirection(Qt::RightToLeft);
                submenus.insert(item.submenu, into);
                QAction* holder = into->menuAction();
                menu_.insertAction(appEnd_, holder);
                app_.append(holder);
            }
        }
        auto* action = new QAction(item.title, into);
        action->setData(item.id);
        action->setEnabled(item.enabled);
        if (item.checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        const QString id = item.id;
        QObject::connect(action, &QAction::triggered, &menu_, [this, id] { actions_.chooseAppEntry(id); });
        if (into == &menu_) {
            menu_.insertAction(appEnd_, action);
            app_.append(action);
        } else {
            into->addAction(action);
        }
    }
}

QStringList Tray::entries() const
{
    QStringList list;
    for (QAction* a : menu_.actions()) {
        if (a->isSeparator())
            continue;
        if (QMenu* sub = a->menu()) {
            for (QAction* b : sub->actions())
                list.append(a->text() + QLatin1Char('/') + b->text());
        } else {
            list.append(a->text());
        }
    }
    return list;
}

bool Tray::choose(const QString& entry)
{
    QAction* action = entry == QLatin1String("open") ? open_
        : entry == QLatin1String("stop")             ? stop_
        : entry == QLatin1String("quit")             ? quit_
                                                     : nullptr;
    if (!action) {
        refreshAppEntries();
        for (QAction* a : std::as_const(app_)) {
            const QList<QAction*> inside = a->menu() ? a->menu()->actions() : QList<QAction*>{a};
            for (QAction* b : inside)
                if (b->data().toString() == entry)
                    action = b;
        }
    }
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}

} // namespace device
