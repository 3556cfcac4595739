#include "NotificationCenter.h"

#include "platform/foundation/AtomicFile.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Files.h"
#include "platform/foundation/Log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>

#include <algorithm>
#include <utility>
#include <optional>

namespace notifications {

namespace {

constexpr int kCheckMs = 1000;

// A moment is written with its offset from UTC, so that it stays one moment
// across a clock change (the hour that repeats when summer time ends) and a
// change of the device's zone.
QString momentText(const QDateTime& moment)
{
    return moment.toOffsetFromUtc(moment.offsetFromUtc()).toString(Qt::ISODate);
}

QDateTime readMoment(const QString& text)
{
    return foundation::Clock::onDevice(QDateTime::fromString(text, Qt::ISODate));
}

QJsonObject toJson(const LocalNotification& n)
{
    return {{"fireDate", momentText(n.fireDate)},
        {"alertBody", n.alertBody},
        {"alertAction", n.alertAction},
        {"soundName", n.soundName},
        {"userInfo", QJsonObject::fromVariantMap(n.userInfo)}};
}

// Text fields may be missing (empty); one of another type makes the entry
// unusable.
bool readText(const QJsonObject& o, const char* key, QString& into)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined() || v.isNull())
        return true;
    if (!v.isString())
        return false;
    into = v.toString();
    return true;
}

std::optional<LocalNotification> fromJson(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject o = value.toObject();
    const QJsonValue fire = o.value(QLatin1String("fireDate"));
    if (!fire.isString())
        return std::nullopt;
    LocalNotification n;
    // A moment written without an offset is a wall-clock time of the device.
    n.fireDate = readMoment(fire.toString());
    if (!n.fireDate.isValid())
        return std::nullopt;
    if (!readText(o, "alertBody", n.alertBody) || !readText(o, "alertAction", n.alertAction)
        || !readText(o, "soundName", n.soundName))
        return std::nullopt;
    const QJsonValue info = o.value(QLatin1String("userInfo"));
    if (info.isObject())
        n.userInfo = info.toObject().toVariantMap();
    else if (!info.isUndefined() && !info.isNull())
        return std::nullopt;
    return n;
}

bool earlier(const LocalNotification& a, const LocalNotification& b)
{
    return a.fireDate < b.fireDate;
}

// One notification for the user: the same moment and text.
bool same(const LocalNotification& a, const LocalNotification& b)
{
    return a.fireDate == b.fireDate && a.alertBody == b.alertBody;
}

bool containsSame(const QList<LocalNotification>& list, const LocalNotification& n)
{
    return std::any_of(list.begin(), list.end(), [&n](const LocalNotification& m) { return same(m, n); });
}

QByteArray serialize(QList<LocalNotification> list)
{
    std::stable_sort(list.begin(), list.end(), earlier);
    QJsonArray array;
    for (const LocalNotification& n : list)
        array.append(toJson(n));
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

} // namespace

NotificationCenter* NotificationCenter::shared()
{
    // The application object owns the center, so that the center and its
    // timer go before the application does; without an application it stays
    // to the end.
    static QPointer<NotificationCenter> center;
    if (!center) {
        center = new NotificationCenter;
        center->setParent(QCoreApplication::instance());
    }
    return center;
}

NotificationCenter::NotificationCenter()
{
    timer_.setInterval(kCheckMs);
    timer_.callOnTimeout(this, [this] { check(); });
}

void NotificationCenter::setStorePath(const QString& path)
{
    path_ = path;
    load();
    loadGiven();
    changed();
}

void NotificationCenter::load()
{
    pending_.clear();
    onDisk_.reset();
    if (path_.isEmpty() || foundation::Files::kind(path_) == foundation::Files::Kind::Missing) {
        onDisk_ = pending_;
        return;
    }
    // Never waits on what is not a file (a named pipe there would hang the
    // app): that is a damaged list, replaced by a file at the next save.
    QString error;
    const std::optional<QByteArray> bytes = foundation::Files::read(path_, kMaxFileBytes, &error);
    if (!bytes) {
        foundation::Log::write(QStringLiteral("pending notifications not read: %1").arg(error));
        return;
    }
    pending_ = read(*bytes, &error);
    if (!error.isEmpty())
        foundation::Log::write(QStringLiteral("pending notifications not read: %1").arg(error));
    trim();
    if (error.isEmpty())
        onDisk_ = pending_;
}

QList<LocalNotification> NotificationCenter::read(const QByteArray& json, QString* error)
{
    QJsonParseError parsed{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parsed);
    if (!doc.isArray()) {
        // A damaged list reads as an empty one rather than stopping the service.
        if (error)
            *error = parsed.error == QJsonParseError::NoError ? QStringLiteral("not a list") : parsed.errorString();
        return {};
    }
    QList<LocalNotification> list;
    const QJsonArray array = doc.array();
    for (const QJsonValue& v : array) {
        if (std::optional<LocalNotification> n = fromJson(v))
            list.append(*n);
    }
    return list;
}

QByteArray NotificationCenter::write(const QList<LocalNotification>& list)
{
    return serialize(list);
}

QString NotificationCenter::givenPath() const
{
    return path_.isEmpty() ? QString() : QFileInfo(path_).dir().filePath(QLatin1String(kGivenFile));
}

void NotificationCenter::loadGiven()
{
    given_.clear();
    const QString path = givenPath();
    if (path.isEmpty() || foundation::Files::kind(path) == foundation::Files::Kind::Missing)
        return;
    QString error;
    const std::optional<QByteArray> bytes = foundation::Files::read(path, kMaxFileBytes, &error);
    if (bytes)
        given_ = read(*bytes, &error);
    // Without it, only a clock set back may give a notification twice.
    if (!error.isEmpty())
        foundation::Log::write(QStringLiteral("the notifications given lately not read: %1").arg(error));
    mergeKeptElsewhere();
}

void NotificationCenter::mergeKeptElsewhere()
{
    if (!keptElsewhere_.load)
        return;
    const std::optional<QByteArray> bytes = keptElsewhere_.load();
    if (!bytes)
        return;
    for (const LocalNotification& n : read(*bytes))
        if (!containsSame(given_, n))
            given_.append(n);
}

void NotificationCenter::setGivenKeptElsewhere(KeptElsewhere kept)
{
    keptElsewhere_ = std::move(kept);
    mergeKeptElsewhere();
}

bool NotificationCenter::takeUnwritable()
{
    return std::exchange(unwritable_, false);
}

void NotificationCenter::saveGiven()
{
    const QString path = givenPath();
    if (path.isEmpty())
        return;
    QString error;
    if (foundation::AtomicFile::replace(path, serialize(given_), &error)) {
        // Back in its folder: what was kept elsewhere is not needed.
        if (keptElsewhereInUse_ && keptElsewhere_.save)
            keptElsewhere_.save({});
        keptElsewhereInUse_ = false;
        return;
    }
    foundation::Log::write(QStringLiteral("cannot save the notifications given lately (%1)").arg(error));
    // Kept where they can be, so that a restart does not give them again;
    // and the user told once that the folder takes no writing.
    if (keptElsewhere_.save && keptElsewhere_.save(serialize(given_)))
        keptElsewhereInUse_ = true;
    if (!toldUnwritable_) {
        toldUnwritable_ = true;
        unwritable_ = true;
    }
}

void NotificationCenter::forgetOldGiven(const QDateTime& now)
{
    given_.removeIf([&now](const LocalNotification& n) { return n.fireDate.msecsTo(now) > kRememberMs; });
    std::stable_sort(given_.begin(), given_.end(), earlier);
    while (given_.size() > kMaxRemembered)
        given_.removeFirst();
}

void NotificationCenter::trim()
{
    std::stable_sort(pending_.begin(), pending_.end(), earlier);
    if (pending_.size() <= kMaxPending)
        return;
    foundation::Log::write(QStringLiteral("pending notifications: %1 dropped, only the %2 soonest are kept")
                               .arg(pending_.size() - kMaxPending)
                               .arg(kMaxPending));
    pending_.resize(kMaxPending);
}

void NotificationCenter::save()
{
    if (path_.isEmpty())
        return;
    // A rebuild that ends where it began (the usual case) writes nothing,
    // and costs no more than a comparison.
    QList<LocalNotification> sorted = pending_;
    std::stable_sort(sorted.begin(), sorted.end(), earlier);
    if (sorted == onDisk_)
        return;
    const QByteArray bytes = serialize(sorted);
    QString error;
    // Replaced whole, so a crash or a full disk never leaves half a list.
    if (!foundation::AtomicFile::replace(path_, bytes, &error)) {
        foundation::Log::write(QStringLiteral("cannot save the pending notifications (%1): the old list stays").arg(error));
        return;
    }
    onDisk_ = sorted;
}

void NotificationCenter::changed()
{
    if (changed_)
        changed_();
}

void NotificationCenter::scheduleLocalNotification(const LocalNotification& notification)
{
    LocalNotification n = notification;
    // A fire date given without a zone is a wall-clock time of the device.
    n.fireDate = foundation::Clock::onDevice(n.fireDate);
    // Given already (the clock was set back): not again.
    if (containsSame(given_, n))
        return;
    pending_.append(n);
    if (batchDepth_ > 0)
        return;
    trim();
    save();
    changed();
}

void NotificationCenter::cancelAllLocalNotifications()
{
    pending_.clear();
    if (batchDepth_ > 0)
        return;
    save();
    changed();
}

void NotificationCenter::beginUpdate()
{
    if (batchDepth_++ > 0)
        return;
    const QDateTime now = foundation::Clock::now();
    dueAtBatchStart_.clear();
    for (const LocalNotification& n : pending_) {
        if (n.fireDate <= now)
            dueAtBatchStart_.append(n);
    }
}

void NotificationCenter::endUpdate()
{
    if (batchDepth_ == 0 || --batchDepth_ > 0)
        return;
    const QDateTime now = foundation::Clock::now();
    // What was due has fired as far as the user is concerned: a cancel does
    // not take it back, and scheduling it again does not repeat it.
    QList<LocalNotification> list = dueAtBatchStart_;
    dueAtBatchStart_.clear();
    for (const LocalNotification& n : std::as_const(pending_)) {
        if (n.fireDate <= now && containsSame(list, n))
            continue;
        list.append(n);
    }
    pending_ = list;
    trim();
    save();
    changed();
}

QList<LocalNotification> NotificationCenter::scheduledLocalNotifications() const
{
    QList<LocalNotification> list = pending_;
    std::stable_sort(list.begin(), list.end(), earlier);
    return list;
}

void NotificationCenter::setDeliveryHandler(std::function<void(const LocalNotification&)> handler)
{
    deliver_ = std::move(handler);
}

void NotificationCenter::setChangeHandler(std::function<void()> handler)
{
    changed_ = std::move(handler);
}

void NotificationCenter::setMissedHandler(std::function<void(const QList<LocalNotification>&)> handler)
{
    missed_ = std::move(handler);
}

void NotificationCenter::start()
{
    // Watched by one timer, connected once, however often the service starts.
    if (!timer_.isActive())
        timer_.start();
    check();
}

void NotificationCenter::stop()
{
    timer_.stop();
}

void NotificationCenter::check()
{
    const QDateTime now = foundation::Clock::now();
    forgetOldGiven(now);
    QList<LocalNotification> due;
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (it->fireDate <= now) {
            due.append(*it);
            it = pending_.erase(it);
        } else {
            ++it;
        }
    }
    // Within a batch, what was due when it began is owed even when a
    // rebuild took it off the list (an app that plans before the clock is
    // watched): it is given or logged as missed now, and not put back when
    // the batch ends.
    for (const LocalNotification& n : std::as_const(dueAtBatchStart_)) {
        if (!containsSame(due, n))
            due.append(n);
    }
    dueAtBatchStart_.clear();
    if (due.isEmpty())
        return;
    // Off the list before delivery: a notification fires once, even when the
    // handler reschedules everything. Within a batch the list is written once,
    // when it ends.
    if (batchDepth_ == 0) {
        save();
        changed();
    }
    std::stable_sort(due.begin(), due.end(), earlier);
    QList<LocalNotification> giving;
    QList<LocalNotification> missed;
    for (const LocalNotification& n : due) {
        if (containsSame(given_, n)) {
            foundation::Log::write(QStringLiteral("given already: ") + describe(n));
            continue;
        }
        if (n.fireDate.msecsTo(now) > kLateMs) {
            foundation::Log::write(QStringLiteral("missed: ") + describe(n));
            missed.append(n);
            continue;
        }
        given_.append(n);
        giving.append(n);
    }
    // Remembered before they are given: a crash while one plays does not
    // make it play again.
    if (!giving.isEmpty())
        saveGiven();
    if (!missed.isEmpty() && missed_)
        missed_(missed);
    for (const LocalNotification& n : std::as_const(giving)) {
        foundation::Log::write(QStringLiteral("fired: ") + describe(n));
        if (deliver_)
            deliver_(n);
    }
    // Running low: the app refills the list before it runs dry, so that
    // what did not fit among the first ones still comes, before the next of
    // them is due. Only after something was given: a refill that finds
    // nothing new to give asks for no other.
    if (runningLow_ && batchDepth_ == 0 && !giving.isEmpty() && pending_.size() < kRefillMargin)
        runningLow_();
}

void NotificationCenter::setRunningLowHandler(std::function<void()> handler)
{
    runningLow_ = std::move(handler);
}

QString NotificationCenter::describe(const LocalNotification& n)
{
    QString body = n.alertBody;
    body.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return foundation::Clock::onDevice(n.fireDate).toString(QStringLiteral("yyyy-MM-ddTHH:mm")) + QStringLiteral("  ") + n.soundName
        + QStringLiteral("  ") + body;
}

QString NotificationCenter::describe(const QList<LocalNotification>& list)
{
    QString text;
    for (const LocalNotification& n : list)
        text += describe(n) + QLatin1Char('\n');
    return text;
}

} // namespace notifications
