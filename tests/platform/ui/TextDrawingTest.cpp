#include "platform/ui/Label.h"
#include "platform/ui/Style.h"
#include "platform/ui/TextDrawing.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

constexpr int kMargin = 20;

// `text` drawn into `frame`, on a transparent picture with room around it.
QImage drawn(const QString& text, const QSize& frame, double size, int lines = 1)
{
    QImage image(frame + QSize(2 * kMargin, 2 * kMargin), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    ui::drawText(painter, QRect(QPoint(kMargin, kMargin), frame), text, ui::font(QStringLiteral("Helvetica"), size), Qt::black,
        ui::TextAlignment::Right, lines);
    return image;
}

// The rows and columns that hold ink.
QRect inked(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 40)
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(TextDrawing, ArabicIndicDigitsAreDrawnInTheirPersianShapes)
{
    const QString arabic = QString::fromUtf16(u"\u0660\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0669");
    const QString persian = QString::fromUtf16(u"\u06F0\u06F1\u06F2\u06F3\u06F4\u06F5\u06F6\u06F7\u06F8\u06F9");
    EXPECT_EQ(ui::shownText(arabic + QStringLiteral(" تیر")), persian + QStringLiteral(" تیر"));

    // A label keeps its text and draws the Persian shapes.
    ui::Label a(QRect(0, 0, 200, 30));
    ui::Label p(QRect(0, 0, 200, 30));
    a.setText(arabic);
    p.setText(persian);
    EXPECT_EQ(a.text(), arabic);
    EXPECT_EQ(a.grab().toImage(), p.grab().toImage());
    // Four, five and six have shapes of their own in the two forms.
    auto raw = [](const QString& text) {
        QImage image(60, 30, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(ui::font(QStringLiteral("Helvetica"), 20));
        painter.drawText(QRect(0, 0, 60, 30), Qt::AlignCenter, text);
        return image;
    };
    EXPECT_NE(raw(QString::fromUtf16(u"\u0664\u0665\u0666")), raw(QString::fromUtf16(u"\u06F4\u06F5\u06F6")));
}

TEST(TextDrawing, PersianTextStaysInsideItsRowAndCentred)
{
    // The calendar's event rows: 17 points high, 15-point text.
    for (const QString& text : {QStringLiteral("بدون رویداد"), QStringLiteral("آغاز ماه مبارک رمضان"),
             QStringLiteral("ولادت امام جعفر صادق (ع)"), QStringLiteral("آج گم")}) {
        const QRect ink = inked(drawn(text, QSize(304, 17), 15));
        ASSERT_FALSE(ink.isEmpty());
        // Clear of the lines at the row's top and bottom edges.
        EXPECT_GE(ink.top(), kMargin + 1) << text.toStdString();
        EXPECT_LE(ink.bottom(), kMargin + 15) << text.toStdString();
        // Whole letters: nothing cut off at the row's edges.
        const QFont shown = ui::fittingFont(text, ui::font(QStringLiteral("Helvetica"), 15), QSize(304, 17), 9);
        EXPECT_GE(ink.height(), QFontMetricsF(shown).tightBoundingRect(text).height() - 2) << text.toStdString();
    }
    // In a taller frame the letters stand about its middle, not above it.
    const QRect ink = inked(drawn(QStringLiteral("نام شهر"), QSize(200, 40), 17));
    EXPECT_NEAR(ink.center().y(), kMargin + 20, 3);
    // Latin text and digits are centred as well.
    const QRect digits = inked(drawn(QString::fromUtf16(u"\u0660\u0664:\u0662\u0663"), QSize(100, 40), 25));
    EXPECT_NEAR(digits.center().y(), kMargin + 20, 2);
}

TEST(TextDrawing, ATextTooLargeShrinksToTheMinimumBeforeItIsCut)
{
    const QFont font = ui::font(QStringLiteral("Helvetica"), 20);
    const QString name = QStringLiteral("شهرک صنعتی شمس‌آباد");
    // It fits at a smaller size: shrunk, not cut.
    const QFont fitted = ui::fittingFont(name, font, QSize(100, 40), ui::minimumFontSize(20));
    EXPECT_LT(fitted.pixelSize(), 20);
    EXPECT_GE(fitted.pixelSize(), 10);
    EXPECT_LE(QFontMetricsF(fitted).horizontalAdvance(name), 100);
    // A text that fits keeps its size; one that never fits stops at the minimum.
    EXPECT_EQ(ui::fittingFont(QStringLiteral("تهران"), font, QSize(100, 40), 10).pixelSize(), 20);
    EXPECT_EQ(ui::fittingFont(QString(60, QChar(0x0645)), font, QSize(100, 40), 10).pixelSize(), 10);
    // A text taller than its row shrinks until its letters fit the row.
    const QFont row = ui::fittingFont(QStringLiteral("آج"), ui::font(QStringLiteral("Helvetica"), 15), QSize(300, 15), 9);
    EXPECT_LE(QFontMetricsF(row).tightBoundingRect(QStringLiteral("آج")).height(), 15);
}

TEST(TextDrawing, TheFittingSizeIsTheLargestThatFitsAsAStepDownFindsIt)
{
    const QStringList texts = {QStringLiteral("شهرک صنعتی شمس‌آباد"), QStringLiteral("روز دانشجو و ..."), QStringLiteral("۲۳:۱۱"),
        QStringLiteral("Kelvaro 1405"), QStringLiteral("آج")};
    for (const QString& text : texts) {
        for (int size : {13, 16, 20, 25}) {
            for (const QSize box : {QSize(40, 40), QSize(100, 40), QSize(160, 18), QSize(250, 12), QSize(300, 60)}) {
                const QFont font = ui::font(QStringLiteral("Helvetica"), size);
                const double minimum = ui::minimumFontSize(size);
                // One pixel at a time from the top.
                QFont expected = font;
                while (expected.pixelSize() > minimum) {
                    const QFontMetricsF m(expected);
                    if (m.horizontalAdvance(text) <= box.width() && m.tightBoundingRect(text).height() <= box.height() - 2)
                        break;
                    expected.setPixelSize(expected.pixelSize() - 1);
                }
                EXPECT_EQ(ui::fittingFont(text, font, box, minimum).pixelSize(), expected.pixelSize())
                    << text.toStdString() << " at " << size << " in " << box.width() << "x" << box.height();
            }
        }
    }
}

TEST(TextDrawing, WrappedTextBreaksAtItsNewLines)
{
    // An alert's title over its message: two short lines in a wide frame.
    const QRect ink = inked(drawn(QStringLiteral("ذخیره نشد\nدوباره"), QSize(280, 100), 16, 0));
    EXPECT_GT(ink.height(), 2 * 16);
    EXPECT_LT(ink.width(), 120);
}

} // namespace
