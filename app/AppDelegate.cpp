#include "AppDelegate.h"

#include "calendar/DateKey.h"
#include "calendar/DateTexts.h"
#include "calendar/DateTimePersian.h"
#include "calendar/NextPrayer.h"
#include "calendar/PersianCalendar.h"
#include "store/Days.h"
#include "calendar/Utility.h"
#include "notifications/MyNotification.h"
#include "notifications/Planner.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Log.h"
#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/UnsavedChanges.h"
#include "platform/ui/Window.h"
#include "screens/main/MainViewController.h"
#include "store/MyDB.h"
#include "store/Preferences.h"
#include "store/Reminders.h"

#include <QStringList>

#include <algorithm>
#include <exception>

namespace {
MainViewController* mainScreen(ui::Window* window)
{
    return window ? dynamic_cast<MainViewController*>(window->rootViewController()) : nullptr;
}
} // namespace

AppDelegate::AppDelegate() = default;

AppDelegate::~AppDelegate()
{
    notifications::NotificationCenter::shared()->setRunningLowHandler({});
    notifications::NotificationCenter::shared()->setGivenKeptElsewhere({});
}

bool AppDelegate::didFinishLaunching(ui::Application*)
{
    window_ = std::make_unique<ui::Window>();
    try {
        MyDB::initialize();
    } catch (const std::exception&) {
        foundation::Log::write(QStringLiteral("asdasd"));
    }
    // Refilled as it runs low: more than a day's reminders, and every azan
    // after them, still come.
    notifications::NotificationCenter* center = notifications::NotificationCenter::shared();
    center->setRunningLowHandler([] { MyNotification::initialize()->update(); });
    // Where the notifications given lately go when their folder takes no
    // writing: the user's copy, so that a restart does not give them again.
    const QString kGiven = QStringLiteral("GivenNotifications");
    center->setGivenKeptElsewhere({[kGiven](const QByteArray& bytes) { return preferences::setValue(kGiven, QString::fromUtf8(bytes)); },
        [kGiven]() -> std::optional<QByteArray> {
            const std::optional<QString> kept = preferences::value(kGiven);
            return kept ? std::optional<QByteArray>(kept->toUtf8()) : std::nullopt;
        }});
    MyNotification::initialize()->update();
    window_->setRootViewController(new MainViewController);
    window_->makeKeyAndVisible();
    tellAboutTheData();
    return true;
}

void AppDelegate::tellUnwritable()
{
    // A folder that takes no writing: said once a run, as soon as it is met.
    if (notifications::NotificationCenter::shared()->takeUnwritable()) {
        foundation::Log::write(QStringLiteral("told: the notifications' folder takes no writing"));
        (new ui::AlertView(QStringLiteral("پوشهٔ برنامه نوشتنی نیست"),
             QStringLiteral("برنامه نمی‌تواند در پوشهٔ خود بنویسد؛ اعلان‌ها می‌آیند، اما تا نوشتنی شود برنامه فهرست آن‌ها را جای دیگری نگه می‌دارد."),
             QStringLiteral("باشه")))
            ->present();
    }
}

void AppDelegate::tellAboutTheData()
{
    // A copy found damaged and rebuilt, no room for the copy or an update:
    // said once.
    if (const std::optional<WorkingCopy::Notice> notice = MyDB::initialize()->takeNotice()) {
        foundation::Log::write(QStringLiteral("told: ") + notice->title + QStringLiteral(": ") + notice->text);
        (new ui::AlertView(notice->title, Utility::ConvertToPersian(notice->text), QStringLiteral("باشه")))->present();
    }
    tellUnwritable();
    // A reminder of the user's that could not be read is not left out
    // without a word.
    if (const std::optional<QString> leftOut = reminders::takeLeftOut()) {
        foundation::Log::write(QStringLiteral("told: ") + *leftOut);
        (new ui::AlertView(QStringLiteral("یادآوری‌ها"), *leftOut, QStringLiteral("باشه")))->present();
    }
}

namespace {

struct SilenceEntry {
    const char* id;
    const char* title;
    MyNotification::Silencing how;
};

const SilenceEntry kSilenceEntries[] = {
    {"silence-next", "فقط اذان بعدی", MyNotification::Silencing::NextAzan},
    {"silence-1", "تا ۱ ساعت", MyNotification::Silencing::OneHour},
    {"silence-2", "تا ۲ ساعت", MyNotification::Silencing::TwoHours},
    {"silence-4", "تا ۴ ساعت", MyNotification::Silencing::FourHours},
    {"silence-dawn", "تا اذان صبح", MyNotification::Silencing::UntilDawn},
    {"silence-off", "برداشتن بی‌صدایی", MyNotification::Silencing::Off},
};

const QString kSilenceMenu = QStringLiteral("بی‌صدا کردن اذان");
const char* kQiblaEntry = "qibla";

void silenceBy(MyNotification::Silencing how)
{
    MyNotification::initialize()->silence(how);
}

// One line of a notification, for a list.
QString firstLine(const QString& text)
{
    return text.section(QLatin1Char('\n'), 0, 0).trimmed();
}

} // namespace

void AppDelegate::didReceiveLocalNotification(ui::Application*, const notifications::LocalNotification& notification)
{
    tellUnwritable();
    auto* alert = new ui::AlertView(QString(), notification.alertBody, QStringLiteral("Ok"));
    // An azan that sounds: Ok stops it; so does silencing what comes after.
    if (notification.userInfo.contains(QLatin1String(planner::kPrayerKey)) && !notification.soundName.isEmpty())
        alert->addButton(QStringLiteral("بی‌صدا کردن اذان‌ها…"), [] { offerSilence(); });
    alert->present();
}

void AppDelegate::offerSilence()
{
    MyNotification* notifications = MyNotification::initialize();
    const bool on = notifications->silenceNow().isOn(foundation::Clock::now());
    auto* alert = new ui::AlertView(kSilenceMenu, notifications->silenceText(), QStringLiteral("انصراف"));
    for (const SilenceEntry& e : kSilenceEntries) {
        if (e.how == MyNotification::Silencing::Off && !on)
            continue;
        const MyNotification::Silencing how = e.how;
        alert->addButton(Utility::ConvertToPersian(QString::fromUtf8(e.title)), [how] { silenceBy(how); });
    }
    alert->present();
}

QList<ui::StatusMenuItem> AppDelegate::statusMenu(ui::Application*)
{
    const Silence now = MyNotification::initialize()->silenceNow();
    const bool on = now.isOn(foundation::Clock::now());
    QList<ui::StatusMenuItem> items;
    for (const SilenceEntry& e : kSilenceEntries) {
        ui::StatusMenuItem item{QString::fromLatin1(e.id), Utility::ConvertToPersian(QString::fromUtf8(e.title)), kSilenceMenu};
        item.enabled = e.how != MyNotification::Silencing::Off || on;
        item.checked = e.how == MyNotification::Silencing::NextAzan && now.skip.has_value();
        items.append(item);
    }
    // The Qibla of the city shown, and the sun as its compass.
    ui::StatusMenuItem qibla;
    qibla.id = QString::fromLatin1(kQiblaEntry);
    qibla.title = QStringLiteral("قبله و خورشید");
    qibla.opensWindow = true;
    items.append(qibla);
    return items;
}

void AppDelegate::statusMenuChosen(ui::Application*, const QString& id)
{
    for (const SilenceEntry& e : kSilenceEntries)
        if (id == QLatin1String(e.id))
            silenceBy(e.how);
    if (id == QLatin1String(kQiblaEntry))
        if (MainViewController* main = mainScreen(window_.get()))
            main->showQibla();
}

void AppDelegate::didReceiveLocalNotificationsWhileAway(ui::Application*, const QList<notifications::LocalNotification>& given)
{
    tellUnwritable();
    auto isMissed = [](const notifications::LocalNotification& n) {
        return n.userInfo.value(QLatin1String(notifications::LocalNotification::kMissed)).toBool();
    };
    const qsizetype missed = std::count_if(given.begin(), given.end(), isMissed);
    // One given is told by the desktop's notification; more, or any that
    // was missed, are listed in one alert, the latest last.
    if (given.size() < 2 && missed == 0)
        return;
    QStringList lines;
    const qsizetype from = std::max<qsizetype>(0, given.size() - kAwayListed);
    if (from > 0)
        lines.append(QStringLiteral("و %1 مورد پیش از این").arg(from));
    // Those given, then those missed under their heading.
    QStringList missedLines;
    const QDate today = foundation::Clock::now().date();
    for (qsizetype i = from; i < given.size(); ++i) {
        const QDateTime at = foundation::Clock::onDevice(given[i].fireDate);
        // A day other than today says its date.
        const QString day = at.date() == today ? QString() : DateTexts::solarDay(PersianCalendar::fromGregorian(at.date())) + QLatin1Char(' ');
        (isMissed(given[i]) ? missedLines : lines).append(day + at.toString(QStringLiteral("HH:mm")) + QStringLiteral("  ") + firstLine(given[i].alertBody));
    }
    if (!missedLines.isEmpty())
        lines << QString::fromUtf8(kMissedHeading) << missedLines;
    const QString title = QStringLiteral("در نبود شما");
    foundation::Log::write(QStringLiteral("told: %1: %2 notifications, %3 missed").arg(title).arg(given.size()).arg(missed));
    (new ui::AlertView(title, Utility::ConvertToPersian(lines.join(QLatin1Char('\n'))), QStringLiteral("باشه")))->present();
}

void AppDelegate::confirmQuit(ui::Application* application, const std::function<void()>& quit)
{
    auto azansFirst = [application, quit] {
        const QList<notifications::LocalNotification> pending = notifications::NotificationCenter::shared()->scheduledLocalNotifications();
        const bool azans = std::any_of(pending.begin(), pending.end(), [](const notifications::LocalNotification& n) {
            bool ok = false;
            const int type = n.userInfo.value(QLatin1String(planner::kPrayerKey)).toInt(&ok);
            return ok && type < planner::BeforeSunrise;
        });
        if (!azans) {
            quit();
            return;
        }
        const QString title = QString::fromUtf8(kQuitTitle);
        application->bringToFront();
        // Asked already: the question comes back over whatever came since.
        for (ui::AlertView* a : ui::AlertView::visibleAlerts()) {
            if (a->title() == title) {
                a->present();
                return;
            }
        }
        auto* alert = new ui::AlertView(title, QStringLiteral("تا کلوارو دوباره باز نشود، اذان و یادآوری‌ای پخش نمی‌شود."), QStringLiteral("ماندن"));
        alert->addButton(QString::fromUtf8(kQuit), [quit] {
            foundation::Log::write(QStringLiteral("quit with azans planned"));
            quit();
        });
        alert->present();
    };
    ui::ViewController* root = window_ ? window_->rootViewController() : nullptr;
    if (!ui::unsaved::holders(root).isEmpty())
        application->bringToFront();
    ui::unsaved::confirmLeaving(root, azansFirst);
}

void AppDelegate::willEnterForeground(ui::Application*)
{
    // Room may have been made while the app was away.
    MyDB::initialize()->tryAgain();
    tellAboutTheData();
    MyNotification::initialize()->update();
    foundation::Log::write(window_ && window_->rootViewController() ? window_->rootViewController()->className() : QString());
    if (MainViewController* main = mainScreen(window_.get()))
        main->refresh();
}

void AppDelegate::didBecomeActive(ui::Application*)
{
    if (MainViewController* main = mainScreen(window_.get()))
        main->refresh();
}

void AppDelegate::significantTimeChange(ui::Application*)
{
    // As on a return to the foreground: a new day (or a clock set anew)
    // needs its notifications, and the main screen today's date.
    MyNotification::initialize()->update();
    if (MainViewController* main = mainScreen(window_.get()))
        main->refresh();
}

QString AppDelegate::statusText(ui::Application*)
{
    // What the first city's page says of the next time, and when it is.
    const QDateTime now = foundation::Clock::now();
    const QDate today = now.date();
    const std::optional<days::CityDays> city = days::firstWithTimes(DateKey::make(PersianCalendar::fromGregorian(today)), 1);
    if (!city || city->days.isEmpty())
        return QStringLiteral("اذانی در پیش نیست");
    const std::optional<NextPrayer> next = NextPrayer::after(city->days.first(), now);
    if (!next)
        return QStringLiteral("اذانی در پیش نیست");
    const QDateTime at = foundation::Clock::onDevice(next->moment);
    const QString silence = MyNotification::initialize()->silenceText();
    return Utility::ConvertToPersian(next->countdown(now) + QStringLiteral(" به افق ") + city->name + QStringLiteral("\nساعت ")
        + at.toString(QStringLiteral("HH:mm")) + (silence.isEmpty() ? QString() : QStringLiteral("\n") + silence));
}
