#include "HijriMonthsController.h"

#include "calendar/DateTexts.h"
#include "calendar/PersianCalendar.h"
#include "calendar/Utility.h"
#include "notifications/MyNotification.h"
#include "platform/foundation/Clock.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/Style.h"
#include "platform/ui/TableViewCell.h"
#include "screens/common/SaveFailure.h"
#include "screens/common/SettingsScreen.h"
#include "store/HijriMonths.h"

#include <algorithm>

namespace {

constexpr int kPanelHeight = 112;
const QColor kInk(40, 48, 60);

QDate today()
{
    return foundation::Clock::now().date();
}

QString monthText(const HijriDate& h)
{
    return LunarCalendar::monthName(h.month) + QLatin1Char(' ') + QString::number(h.year);
}

// Where the month's first day comes from, as the list says it.
QString sourceText(const HijriDate& h)
{
    switch (LunarCalendar::sourceOf(h.year, h.month)) {
    case LunarCalendar::Source::Observed:
        return QStringLiteral("رؤیت هلال");
    case LunarCalendar::Source::Official:
        return QStringLiteral("تقویم رسمی");
    case LunarCalendar::Source::Announced:
        return QStringLiteral("اصلاح شما");
    case LunarCalendar::Source::Predicted:
    case LunarCalendar::Source::Tabular:
        break;
    }
    return QStringLiteral("پیش‌بینی");
}

} // namespace

HijriMonthsController::HijriMonthsController()
{
    setTitle(QStringLiteral("تاریخ قمری"));
}

void HijriMonthsController::viewDidLoad()
{
    ui::View* screen = view();
    screen->setBackgroundColor(QColor(197, 204, 212));
    installSaveButton(this, [this] { save(); });

    auto* panel = &screen->add<ui::View>(QRect(8, 6, 304, kPanelHeight - 10));
    panel->setBackgroundColor(Qt::white);
    panel->setCornerRadius(8);
    title_ = &panel->add<ui::Label>(QRect(10, 4, 284, 24));
    title_->setTextFont(ui::font(QStringLiteral("Helvetica-Bold"), 16));
    title_->setTextAlignment(ui::TextAlignment::Right);
    control_ = &panel->add<ui::SegmentedControl>(
        QStringList{QStringLiteral("یک روز دیرتر"), QStringLiteral("مانند تقویم"), QStringLiteral("یک روز زودتر")}, QRect(10, 32, 284, 30));
    control_->setAccessibleName(QStringLiteral("آغاز ماه"));
    control_->addAction(ui::ControlEvent::ValueChanged,
        [this] { setCorrection(kCorrections[std::clamp(control_->selectedSegmentIndex(), 0, 2)]); });
    today_ = &panel->add<ui::Label>(QRect(10, 68, 284, 26));
    today_->setTextFont(ui::font(QStringLiteral("Helvetica"), 13));
    today_->setTextColor(kInk);
    today_->setTextAlignment(ui::TextAlignment::Right);
    today_->setNumberOfLines(0);

    tbl_ = &screen->add<ui::TableView>(QRect(0, kPanelHeight, 320, screen->height() - kPanelHeight), ui::TableView::Style::Grouped);
    tbl_->setAutoresizingMask(ui::View::FlexibleWidth | ui::View::FlexibleHeight);
    tbl_->setDataSource(this);
    tbl_->setDelegate(this);

    months_ = hijri::correctable(today());
    choose(0);
}

ui::BarButtonItem* HijriMonthsController::saveButton() const
{
    return saveButtonOf(this);
}

void HijriMonthsController::choose(int row)
{
    if (row < 0 || row >= months_.size())
        return;
    month_ = months_[row];
    stored_ = correction_ = hijri::correction(month_.year, month_.month);
    show();
    tbl_->reloadData();
}

bool HijriMonthsController::hasUnsavedChanges() const
{
    return isViewLoaded() && correction_ != stored_;
}

bool HijriMonthsController::saveChanges()
{
    return save();
}

void HijriMonthsController::discardChanges()
{
    correction_ = stored_;
    show();
}

void HijriMonthsController::setCorrection(int correction)
{
    if (!hijri::allows(month_.year, month_.month, correction, today()))
        return;
    correction_ = correction;
    show();
}

void HijriMonthsController::show()
{
    const QDate now = today();
    for (int i = 0; i < control_->numberOfSegments(); ++i) {
        if (kCorrections[i] == correction_)
            control_->setSelectedSegmentIndex(i);
        control_->setEnabledForSegment(i, hijri::allows(month_.year, month_.month, kCorrections[i], now));
    }
    title_->setText(Utility::ConvertToPersian(monthText(month_)));
    // Its first day as chosen, and today's date with it.
    const QDate first = LunarCalendar::predictedFirstDay(month_.year, month_.month).addDays(-correction_);
    const HijriDate h = hijri::preview(now, month_.year, month_.month, correction_);
    today_->setText(Utility::ConvertToPersian(QStringLiteral("آغاز: %1، امروز: %2")
                                                  .arg(DateTexts::solarDay(PersianCalendar::fromGregorian(first)), LunarCalendar::text(h))));
    saveButton()->setEnabled(correction_ != stored_);
}

bool HijriMonthsController::save()
{
    if (!hijri::setCorrection(month_.year, month_.month, correction_, today())) {
        tellSaveFailed(QStringLiteral("the lunar date"));
        return false;
    }
    stored_ = correction_;
    saveButton()->setEnabled(false);
    tbl_->reloadData();
    // The holidays, the day of Ramadan and the reminders follow at once.
    MyNotification::initialize()->update();
    if (changed_)
        changed_();
    return true;
}

int HijriMonthsController::numberOfRowsInSection(ui::TableView*, int)
{
    return static_cast<int>(months_.size());
}

ui::TableViewCell* HijriMonthsController::cellForRowAtIndexPath(ui::TableView*, const ui::IndexPath& path)
{
    const HijriDate& m = months_[path.row];
    auto* cell = new ui::TableViewCell(ui::TableViewCell::Style::Value1);
    cell->textLabel()->setText(Utility::ConvertToPersian(monthText(m)));
    cell->textLabel()->setTextFont(ui::font(QStringLiteral("Helvetica-Bold"), 15));
    cell->detailTextLabel()->setTextFont(ui::font(QStringLiteral("Helvetica"), 14));
    const QDate first = LunarCalendar::firstDay(m.year, m.month);
    cell->detailTextLabel()->setText(
        Utility::ConvertToPersian(DateTexts::solarDay(PersianCalendar::fromGregorian(first)) + QStringLiteral("، ") + sourceText(m)));
    cell->setAccessoryType(m == month_ ? ui::TableViewCell::Accessory::Checkmark : ui::TableViewCell::Accessory::None);
    return cell;
}

void HijriMonthsController::didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path)
{
    table->deselectRowAtIndexPath(path, true);
    choose(path.row);
}
