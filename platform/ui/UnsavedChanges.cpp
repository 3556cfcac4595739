#include "UnsavedChanges.h"

#include "AlertView.h"
#include "NavigationController.h"
#include "NavigationItem.h"
#include "TabBarController.h"
#include "ViewController.h"

#include <QPointer>
#include <QStringList>

namespace ui::unsaved {

namespace {

void collect(ViewController* screen, QList<ViewController*>& into)
{
    if (!screen)
        return;
    collect(screen->presentedViewController(), into);
    if (auto* nav = dynamic_cast<NavigationController*>(screen)) {
        const QList<ViewController*> stack = nav->viewControllers();
        for (auto it = stack.crbegin(); it != stack.crend(); ++it)
            collect(*it, into);
    } else if (auto* tabs = dynamic_cast<TabBarController*>(screen)) {
        for (ViewController* tab : tabs->viewControllers())
            collect(tab, into);
    }
    if (screen->hasUnsavedChanges())
        into.append(screen);
}

QString named(const QList<ViewController*>& screens)
{
    QStringList titles;
    for (ViewController* s : screens) {
        const QString title = QStringLiteral("«%1»").arg(s->title().isEmpty() ? s->navigationItem()->title() : s->title());
        if (title.size() > 2 && !titles.contains(title))
            titles.append(title);
    }
    return titles.join(QStringLiteral("، "));
}

} // namespace

QList<ViewController*> holders(ViewController* screen)
{
    QList<ViewController*> list;
    collect(screen, list);
    return list;
}

void confirmLeaving(ViewController* screen, std::function<void()> leave)
{
    const QList<ViewController*> unsaved = holders(screen);
    if (unsaved.isEmpty()) {
        leave();
        return;
    }
    QList<QPointer<ViewController>> held;
    for (ViewController* s : unsaved)
        held.append(s);
    const QString where = named(unsaved);
    auto* alert = new AlertView(QString::fromUtf8(kQuestion),
        where.isEmpty() ? QStringLiteral("تغییرات این صفحه ذخیره نشده است.")
                        : QStringLiteral("تغییرات %1 ذخیره نشده است.").arg(where),
        QString::fromUtf8(kStay));
    alert->addButton(QString::fromUtf8(kSave), [held, leave] {
        for (const QPointer<ViewController>& s : held)
            // One that could not be saved keeps the user where it is.
            if (s && s->hasUnsavedChanges() && !s->saveChanges())
                return;
        leave();
    });
    alert->addButton(QString::fromUtf8(kDiscard), [held, leave] {
        for (const QPointer<ViewController>& s : held)
            if (s)
                s->discardChanges();
        leave();
    });
    alert->present();
}

} // namespace ui::unsaved
