#include "Timetable.h"

#include "calendar/DateKey.h"
#include "calendar/DateTexts.h"
#include "calendar/DateTimePersian.h"
#include "calendar/IranClock.h"
#include "calendar/PersianCalendar.h"
#include "platform/foundation/Digits.h"

#include <QFont>
#include <QPainter>
#include <QBuffer>
#include <QPdfWriter>
#include <QTextOption>

namespace timetable {

namespace {

// The date's columns, then the day's six times.
const char* kHeads[] = {"روز", "تاریخ", "میلادی"};
constexpr int kDateColumns = 3;
constexpr int kColumns = kDateColumns + kTimesOfDay;
// Each column's share of the width, from the right.
constexpr double kShares[kColumns] = {1.1, 0.7, 1.2, 1, 1, 1, 1, 1, 1.2};

QFont font(double points, bool bold)
{
    QFont f;
    f.setFamilies({QStringLiteral("Noto Sans Arabic"), QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Liberation Sans")});
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QString persian(const QString& text)
{
    return foundation::Digits::shapes(foundation::Digits::arabicIndic(text));
}

} // namespace

QString title(const QString& cityName, int year, int month)
{
    return persian(QStringLiteral("اوقات شرعی %1 — %2 %3").arg(cityName, DateTimePersian::getMonthName(month - 1)).arg(year));
}

std::optional<QByteArray> render(const QString& cityName, int year, int month, const QList<days::Times>& days)
{
    // Made in memory: the file is written only once the page is whole.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return std::nullopt;
    QPdfWriter pdf(&buffer);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    pdf.setResolution(300);
    pdf.setTitle(title(cityName, year, month));
    pdf.setCreator(QStringLiteral("Kelvaro"));
    QPainter p;
    if (!p.begin(&pdf))
        return std::nullopt;
    p.setLayoutDirection(Qt::RightToLeft);
    const QRectF page(QPointF(0, 0), QSizeF(pdf.width(), pdf.height()));
    const double unit = pdf.resolution() / 72.0; // a point

    QTextOption centred(Qt::AlignCenter);
    centred.setTextDirection(Qt::RightToLeft);
    p.setFont(font(18, true));
    const QRectF titleBox(page.left(), page.top(), page.width(), 34 * unit);
    p.drawText(titleBox, title(cityName, year, month), centred);

    // The columns from the right edge leftwards.
    double total = 0;
    for (double s : kShares)
        total += s;
    QList<QRectF> columns;
    double right = page.right();
    const double top = titleBox.bottom() + 8 * unit;
    const int rows = static_cast<int>(days.size()) + 1;
    const double rowHeight = std::min(22 * unit, (page.bottom() - top) / rows);
    for (double s : kShares) {
        const double w = page.width() * s / total;
        columns.append(QRectF(right - w, 0, w, rowHeight));
        right -= w;
    }
    auto cell = [&](int row, int column, const QString& text) {
        QRectF r = columns[column];
        r.moveTop(top + row * rowHeight);
        p.drawText(r, text, centred);
    };
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(225, 232, 245));
    p.drawRect(QRectF(page.left(), top, page.width(), rowHeight));
    p.setPen(Qt::black);
    p.setFont(font(9, true));
    for (int c = 0; c < kColumns; ++c)
        cell(0, c, c < kDateColumns ? QString::fromUtf8(kHeads[c]) : dayTimeName(static_cast<DayTime>(c - kDateColumns)));
    p.setFont(font(10, false));
    for (int i = 0; i < days.size(); ++i) {
        const SolarDate solar = DateKey::read(days[i].key);
        const QDate date = PersianCalendar::toGregorian(solar);
        const int row = i + 1;
        if (date.dayOfWeek() == Qt::Friday) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(252, 232, 232));
            p.drawRect(QRectF(page.left(), top + row * rowHeight, page.width(), rowHeight));
            p.setPen(Qt::black);
        }
        cell(row, 0, DateTexts::weekday(date));
        cell(row, 1, persian(QString::number(solar.day)));
        cell(row, 2, persian(QStringLiteral("%1 %2").arg(date.day()).arg(DateTexts::gregorianMonthName(date.month()))));
        for (int k = 0; k < kTimesOfDay; ++k) {
            // On Iran's clock at the moment itself (a midnight past 00:00 in
            // the night after the day), as the iCalendar file has it.
            const QString at = days[i].shown(static_cast<DayTime>(k));
            cell(row, kDateColumns + k, at.isEmpty() ? QStringLiteral("—") : persian(at));
        }
    }
    // The rules between the rows.
    p.setPen(QPen(QColor(160, 170, 190), 0.6 * unit));
    for (int r = 0; r <= rows; ++r)
        p.drawLine(QPointF(page.left(), top + r * rowHeight), QPointF(page.right(), top + r * rowHeight));
    p.setFont(font(8, false));
    p.drawText(QRectF(page.left(), top + rows * rowHeight + 4 * unit, page.width(), 16 * unit),
        persian(QStringLiteral("ساعت‌ها به وقت رسمی ایران است. ساخته‌شده با Kelvaro")), centred);
    if (!p.end() || bytes.isEmpty())
        return std::nullopt;
    return bytes;
}

} // namespace timetable
