#include "OccasionSearchController.h"

#include "calendar/DateTexts.h"
#include "calendar/DateTimePersian.h"
#include "calendar/LunarCalendar.h"
#include "calendar/PersianCalendar.h"
#include "calendar/Utility.h"
#include "platform/ui/Label.h"
#include "platform/ui/SearchBar.h"
#include "platform/ui/Style.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TextDrawing.h"
#include "store/Days.h"

#include <QPainter>

#include <algorithm>

namespace {

const QColor kHolidayInk(195, 56, 61);
const QColor kOwnInk(190, 105, 10);
const QColor kDateInk(90, 98, 115);
constexpr int kBarHeight = 44;
constexpr int kStatusHeight = 26;

// A result as a row draws it: the occasion above, its day below, both
// from the right. Drawn, not labels: the row says both to a screen reader.
class ResultView : public ui::View {
public:
    ResultView(const QString& text, const QColor& ink, const QString& day, const QRect& frame)
        : ui::View(frame), text_(text), ink_(ink), day_(day)
    {
        setUserInteractionEnabled(false);
    }

protected:
    void draw(QPainter& painter) override
    {
        constexpr int kInset = 10;
        const int w = width() - 2 * kInset;
        ui::drawText(painter, QRect(kInset, 3, w, 22), text_, ui::font(QStringLiteral("Helvetica-Bold"), 15), ink_, ui::TextAlignment::Right);
        ui::drawText(painter, QRect(kInset, 25, w, 17), day_, ui::font(QStringLiteral("Helvetica"), 12), kDateInk, ui::TextAlignment::Right);
    }

private:
    QString text_;
    QColor ink_;
    QString day_;
};

QString dayLine(const EventSearch::Found& f)
{
    const QDate day = PersianCalendar::toGregorian(f.day);
    QString text = DateTexts::solar(f.day);
    if (f.event.calendar == EventRules::Calendar::Lunar)
        text += QStringLiteral("، ") + DateTexts::hijri(day) + (f.event.predicted ? QStringLiteral(" ٭") : QString());
    else if (f.event.calendar == EventRules::Calendar::Gregorian)
        text += QStringLiteral("، ") + DateTexts::gregorian(day);
    return Utility::ConvertToPersian(text);
}

} // namespace

OccasionSearchController::OccasionSearchController()
{
    pause_.setSingleShot(true);
    pause_.setInterval(kPauseMs);
    QObject::connect(&pause_, &QTimer::timeout, this, [this] { search(bar_->text()); });
}

void OccasionSearchController::viewDidLoad()
{
    ui::View* screen = view();
    screen->setBackgroundColor(QColor(16, 30, 56));
    screen->setAccessibleName(QStringLiteral("جستجوی مناسبت‌ها"));

    bar_ = &screen->add<ui::SearchBar>(QRect(0, 0, 320, kBarHeight));
    bar_->setPlaceholder(QStringLiteral("نام مناسبت، مانند تاسوعا"));
    bar_->setShowsCancelButton(true);
    bar_->setDelegate(this);

    status_ = &screen->add<ui::Label>(QRect(10, kBarHeight + 2, 300, kStatusHeight));
    status_->setTextFont(ui::font(QStringLiteral("Helvetica"), 12));
    status_->setTextColor(QColor(200, 208, 225));
    status_->setTextAlignment(ui::TextAlignment::Right);
    status_->setNumberOfLines(2);
    status_->setAdjustsFontSizeToFitWidth(true);

    const int top = kBarHeight + kStatusHeight + 4;
    table_ = &screen->add<ui::TableView>(QRect(0, top, 320, 460 - top));
    table_->setDataSource(this);
    table_->setDelegate(this);

    rules_ = days::shownRules();
    search(QString());
    bar_->setCancelButtonEnabled(true);
    bar_->becomeFirstResponder();
}

bool OccasionSearchController::accessibilityPerformEscape()
{
    dismissViewController(true);
    return true;
}

void OccasionSearchController::searchBarTextDidChange(ui::SearchBar*, const QString&)
{
    pause_.start();
}

void OccasionSearchController::searchBarCancelButtonClicked(ui::SearchBar*)
{
    dismissViewController(true);
}

void OccasionSearchController::searchBarSearchButtonClicked(ui::SearchBar*)
{
    pause_.stop();
    search(bar_->text());
    bar_->resignFirstResponder();
    bar_->setCancelButtonEnabled(true);
}

void OccasionSearchController::search(const QString& text)
{
    pause_.stop();
    const SolarDate first = PersianCalendar::firstDataDay();
    const SolarDate last = PersianCalendar::lastDataDay();
    found_ = rules_ ? EventSearch::find(*rules_, text, first, last) : QList<EventSearch::Found>();
    QString said;
    if (!rules_)
        said = QStringLiteral("مناسبت‌ها خوانده نشد.");
    else if (Utility::searchKey(text).size() < EventSearch::kShortest)
        said = QStringLiteral("دست‌کم دو حرف از نام مناسبت یا یادآوری را بنویسید؛ سال‌های %1 تا %2 جستجو می‌شود.")
                   .arg(PersianCalendar::kFirstYear)
                   .arg(PersianCalendar::kLastYear);
    else if (found_.isEmpty())
        said = QStringLiteral("در سال‌های %1 تا %2 مناسبتی با «%3» نیست.").arg(PersianCalendar::kFirstYear).arg(PersianCalendar::kLastYear).arg(text.trimmed());
    else if (found_.size() >= EventSearch::kMostFound)
        said = QStringLiteral("بیش از %1 روز، از %2؛ نام مناسبت را کامل‌تر بنویسید.").arg(EventSearch::kMostFound).arg(PersianCalendar::kFirstYear);
    else
        said = QStringLiteral("%1 روز در سال‌های %2 تا %3؛ روزهای گذشته بالاتر.")
                   .arg(found_.size())
                   .arg(PersianCalendar::kFirstYear)
                   .arg(PersianCalendar::kLastYear);
    status_->setText(Utility::ConvertToPersian(said));
    table_->reloadData();
    // From the first day on or after today; the days gone by above it.
    const SolarDate today = DateTimePersian().date();
    const auto next = std::find_if(found_.begin(), found_.end(), [&](const EventSearch::Found& f) { return f.day >= today; });
    const int row = next == found_.end() ? std::max(0, static_cast<int>(found_.size()) - 1) : static_cast<int>(next - found_.begin());
    const double most = std::max(0, static_cast<int>(found_.size()) * kRowHeight - table_->height());
    table_->setContentOffset(QPointF(0, std::min<double>(row * kRowHeight, most)));
}

int OccasionSearchController::numberOfRowsInSection(ui::TableView*, int)
{
    return static_cast<int>(found_.size());
}

ui::TableViewCell* OccasionSearchController::cellForRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path)
{
    const EventSearch::Found& f = found_.at(path.row);
    const QString text = Utility::ConvertToPersian(f.event.text + (f.event.holiday ? QStringLiteral(" (تعطیل)") : QString()));
    const QString day = dayLine(f);
    auto* cell = new ui::TableViewCell;
    cell->add<ResultView>(text, f.event.holiday ? kHolidayInk : f.event.own ? kOwnInk : QColor(Qt::black), day,
        QRect(0, 0, table->width(), kRowHeight));
    cell->setAccessibleName(text + QStringLiteral("، ") + day);
    return cell;
}

double OccasionSearchController::heightForRowAtIndexPath(ui::TableView*, const ui::IndexPath&)
{
    return kRowHeight;
}

void OccasionSearchController::didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path)
{
    table->deselectRowAtIndexPath(path, false);
    if (path.row < 0 || path.row >= found_.size())
        return;
    const SolarDate day = found_.at(path.row).day;
    if (openDay_)
        openDay_(day);
    dismissViewController(true);
}
