#include "AboutController.h"

#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/Style.h"
#include "calendar/Utility.h"
#include "store/HijriMonths.h"

namespace {
constexpr int kRows = 5;
constexpr int kWebRow = 4;
// The lunar months' line shrinks to this rather than lose its end.
constexpr double kSmallestFont = 7;
constexpr int kTableTop = 180;
// The quit button's room, under the table, and rows low enough to leave it.
constexpr int kQuitRoom = 40;
constexpr int kRowHeight = 36;
} // namespace

AboutController::AboutController()
{
    setTitle(QStringLiteral("درباره"));
}

void AboutController::viewDidLoad()
{
    info_ = AboutInfo::load();
    ui::View* screen = view();
    screen->setBackgroundColor(QColor(197, 204, 212));
    textV_ = &screen->add<ui::Label>(QRect(16, 8, 288, 84));
    textV_->setNumberOfLines(0);
    textV_->setTextAlignment(ui::TextAlignment::Right);
    textV_->setTextFont(ui::font(QStringLiteral("Helvetica"), 13));
    textV_->setTextColor(QColor(40, 48, 64));
    textV_->setText(QStringLiteral("کلوارو: اوقات شرعی هزار و صد مکان ایران و هر نقطه‌ای با مختصاتش، و تقویم سال‌های ۱۳۹۱ تا ۱۴۱۰،"
                                   " با اذان در وقت هر نماز، یادآوری پیش از طلوع آفتاب، پایان سحر و افطار، و رویدادهای هر روز."));
    // Where the places and the occasions come from, and the geodesy the
    // Qibla is found with, as their licences ask.
    auto* credits = &screen->add<ui::Label>(QRect(12, 84, 296, 78));
    credits->setNumberOfLines(0);
    credits->setTextAlignment(ui::TextAlignment::Left);
    credits->setTextFont(ui::font(QStringLiteral("Helvetica"), 9));
    credits->setTextColor(QColor(70, 78, 96));
    credits->setText(QStringLiteral("Contains data from GeoNames (geonames.org), CC BY 4.0, modified.\n"
                                    "Town list after SCR-IR/gnome-shamsi-calendar (GPL-3.0).\n"
                                    "Occasions: the official calendar of 1405 (calendar.ut.ac.ir), CC0 data.\n"
                                    "Qibla by GeographicLib (MIT); Iran's outline from Natural Earth."));
    credits->setAccessibleName(QStringLiteral("منابع داده‌ها"));
    // How far the lunar months are known, and from when they are predicted.
    auto* lunar = &screen->add<ui::Label>(QRect(12, 162, 296, 18));
    lunar->setText(Utility::ConvertToPersian(hijri::observedUpTo()));
    lunar->setTextFont(ui::font(QStringLiteral("Helvetica"), 10));
    lunar->setTextColor(QColor(70, 78, 96));
    lunar->setTextAlignment(ui::TextAlignment::Right);
    lunar->setAdjustsFontSizeToFitWidth(true);
    lunar->setMinimumFontSize(kSmallestFont);
    tbl_ = &screen->add<ui::TableView>(QRect(0, kTableTop, 320, screen->height() - kTableTop - kQuitRoom), ui::TableView::Style::Grouped);
    tbl_->setAutoresizingMask(ui::View::FlexibleWidth | ui::View::FlexibleHeight);
    tbl_->setDataSource(this);
    tbl_->setDelegate(this);
    tbl_->reloadData();
    // Closing the window leaves the app running out of sight; this ends it.
    quit_ = &screen->add<ui::Button>(ui::Button::Type::Custom, QRect(10, screen->height() - kQuitRoom + 2, 300, kQuitRoom - 6));
    quit_->setAutoresizingMask(ui::View::FlexibleTopMargin);
    quit_->setTitle(QStringLiteral("خروج از کلوارو"));
    quit_->setTitleFont(ui::font(QStringLiteral("Helvetica-Bold"), 15));
    quit_->setTitleColor(QColor(195, 56, 61));
    quit_->setBackgroundColor(QColor(255, 255, 255, 160));
    quit_->setCornerRadius(8);
    quit_->addAction(ui::ControlEvent::TouchUpInside, [] { ui::Application::shared()->requestQuit(); });
}

int AboutController::numberOfRowsInSection(ui::TableView*, int)
{
    return kRows;
}

ui::TableViewCell* AboutController::cellForRowAtIndexPath(ui::TableView*, const ui::IndexPath& path)
{
    auto* cell = new ui::TableViewCell(ui::TableViewCell::Style::Default, QStringLiteral("cell"));
    ui::Label* text = cell->textLabel();
    text->setTextAlignment(ui::TextAlignment::Right);
    cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::None);
    switch (path.row) {
    case 0:
        text->setText(info_.author);
        text->setTextAlignment(ui::TextAlignment::Center);
        break;
    case 1:
        text->setText(QStringLiteral("تیر ۹۱"));
        text->setTextAlignment(ui::TextAlignment::Center);
        break;
    case 2:
        text->setText(QStringLiteral("نسخه :") + QString(41, QLatin1Char(' ')) + QStringLiteral("۱.۵"));
        break;
    case 3:
        text->setText(QStringLiteral("پست الکترونیک :") + QString(11, QLatin1Char(' ')) + info_.mail);
        cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::Blue);
        break;
    default:
        text->setText(QStringLiteral("وب سایت :") + QString(18, QLatin1Char(' ')) + info_.webSite);
        cell->setSelectionStyle(ui::TableViewCell::SelectionStyle::Blue);
        break;
    }
    text->setTextFont(ui::font(QStringLiteral("Helvetica-Bold"), 15));
    // The addresses are long: their rows shrink to show them whole.
    text->setAdjustsFontSizeToFitWidth(true);
    return cell;
}

double AboutController::heightForRowAtIndexPath(ui::TableView*, const ui::IndexPath&)
{
    return kRowHeight;
}

QString AboutController::mailUrl() const
{
    return QStringLiteral("mailto:?to=") + info_.mail + QStringLiteral("&subject=KelvaroV") + info_.version;
}

void AboutController::didSelectRowAtIndexPath(ui::TableView* table, const ui::IndexPath& path)
{
    table->deselectRowAtIndexPath(path, true);
    ui::Application::shared()->openURL(path.row == kWebRow ? info_.webSite : mailUrl());
}
