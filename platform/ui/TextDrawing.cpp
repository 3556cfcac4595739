#include "TextDrawing.h"

#include "platform/foundation/Digits.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr double kSmallestFont = 9;
constexpr double kInkMargin = 1;

// Persian letters reach from the madda of alef above to the tail of jim
// below. Centring that band centres a Persian line as the eye sees it; the
// font's own line box (Noto Sans Arabic's is twice the font's size) would
// not, and wrapped Persian lines need less room than it gives.
constexpr double kPersianAscent = 0.84;
constexpr double kPersianDescent = 0.39;
constexpr double kPersianLineSpacing = 1.5;

constexpr qsizetype kMeasuresKept = 4096;

// A line's width and the box of its letters (from its baseline). Screens
// draw the same texts again and again: each is measured once.
struct Measure {
    double advance;
    QRectF ink;
};

Measure measure(const QString& text, const QFont& font)
{
    static QHash<QString, Measure> kept;
    const QString key = font.key() + QLatin1Char('\n') + text;
    const auto it = kept.constFind(key);
    if (it != kept.constEnd())
        return *it;
    if (kept.size() >= kMeasuresKept)
        kept.clear();
    const QFontMetricsF metrics(font);
    const Measure m{metrics.horizontalAdvance(text), metrics.tightBoundingRect(text)};
    kept.insert(key, m);
    return m;
}

struct LineBox {
    double ascent;
    double descent;
    double spacing;
};

LineBox lineBox(const QString& text, const QFont& font)
{
    const QFontMetricsF metrics(font);
    if (text.isRightToLeft()) {
        const double size = font.pixelSize() > 0 ? font.pixelSize() : metrics.height();
        return {kPersianAscent * size, kPersianDescent * size, kPersianLineSpacing * size};
    }
    return {metrics.ascent(), metrics.descent(), metrics.lineSpacing()};
}

Qt::Alignment horizontal(TextAlignment alignment)
{
    switch (alignment) {
    case TextAlignment::Left:
        return Qt::AlignLeft;
    case TextAlignment::Right:
        return Qt::AlignRight;
    case TextAlignment::Center:
        break;
    }
    return Qt::AlignHCenter;
}

QTextOption optionFor(const QString& text, TextAlignment alignment, bool wrap)
{
    QTextOption option;
    option.setTextDirection(text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    option.setAlignment(Qt::AlignAbsolute | horizontal(alignment));
    option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    return option;
}

bool shrinkable(const QFont& font, double minimumSize)
{
    return font.pixelSize() > 0 && font.pixelSize() > minimumSize;
}

// The line that fits: the text, or its beginning with an ellipsis.
QString elided(const QString& text, const QFont& font, double width)
{
    return QFontMetricsF(font).elidedText(text, Qt::ElideRight, width);
}

void drawOneLine(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font, TextAlignment alignment)
{
    QTextLayout layout(text, font);
    layout.setTextOption(optionFor(text, alignment, false));
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(rect.width());
    layout.endLayout();

    const LineBox box = lineBox(text, font);
    double baseline = rect.center().y() + (box.ascent - box.descent) / 2;
    // Letters that reach further (the stroke of gaf, a tail) stay inside,
    // clear of the frame's edges, where a row draws its lines.
    const QRectF ink = measure(text, font).ink;
    const QRectF room = rect.adjusted(0, kInkMargin, 0, -kInkMargin);
    if (ink.height() <= room.height()) {
        if (baseline + ink.top() < room.top())
            baseline = room.top() - ink.top();
        if (baseline + ink.bottom() > room.bottom())
            baseline = room.bottom() - ink.bottom();
    }
    layout.draw(&painter, QPointF(rect.left(), baseline - line.ascent()));
}

// Wraps `text` into lines of `width`; false when it takes more than
// `maxLines` (0: any number) or more height than `height`.
bool wrapFits(const QString& text, const QFont& font, const QSizeF& box, int maxLines)
{
    QTextLayout layout(text, font);
    layout.setTextOption(optionFor(text, TextAlignment::Left, true));
    layout.beginLayout();
    int count = 0;
    bool wide = false;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width());
        wide = wide || line.naturalTextWidth() > box.width() + 0.5;
        ++count;
    }
    layout.endLayout();
    const LineBox lb = lineBox(text, font);
    const double height = (count - 1) * lb.spacing + lb.ascent + lb.descent;
    return !wide && (maxLines == 0 || count <= maxLines) && height <= box.height();
}

void drawWrapped(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font, TextAlignment alignment, int maxLines)
{
    const LineBox box = lineBox(text, font);
    // As many lines as the height holds, and no more than asked for.
    int room = std::max(1, static_cast<int>((rect.height() - box.ascent - box.descent) / box.spacing) + 1);
    if (maxLines > 0)
        room = std::min(room, maxLines);

    QTextLayout layout(text, font);
    layout.setTextOption(optionFor(text, alignment, true));
    layout.beginLayout();
    QList<QTextLine> lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(rect.width());
        lines.append(line);
    }
    layout.endLayout();

    const int shown = std::min(room, static_cast<int>(lines.size()));
    const double height = (shown - 1) * box.spacing + box.ascent + box.descent;
    const double firstBaseline = rect.center().y() - height / 2 + box.ascent;
    for (int i = 0; i < shown; ++i) {
        const QTextLine& line = lines[i];
        const double baseline = firstBaseline + i * box.spacing;
        if (i == shown - 1 && shown < lines.size()) {
            // The last line that has room ends the text with an ellipsis.
            const QString rest = text.mid(line.textStart());
            drawOneLine(painter, QRectF(rect.left(), baseline - box.ascent, rect.width(), box.ascent + box.descent),
                elided(rest, font, rect.width()), font, alignment);
            break;
        }
        line.draw(&painter, QPointF(rect.left(), baseline - line.ascent() - line.y()));
    }
}

} // namespace

QString shownText(const QString& text)
{
    return foundation::Digits::shapes(text);
}

double minimumFontSize(double size)
{
    return std::max(kSmallestFont, std::floor(size / 2));
}

QFont fittingFont(const QString& text, const QFont& font, const QSize& box, double minimumSize)
{
    const double height = box.height() - 2 * kInkMargin;
    const auto inBox = [&](const Measure& m) { return m.advance <= box.width() && m.ink.height() <= height; };
    const auto fits = [&](const QFont& f) { return inBox(measure(text, f)); };
    QFont f = font;
    if (!shrinkable(f, minimumSize))
        return f;
    const Measure m = measure(text, f);
    if (inBox(m))
        return f;
    // Text grows about in step with its size: the first guess is the size
    // that scales the text to its box, and one pixel at a time from there
    // finds the largest size that fits, as a step down from the top would.
    // Each size tried loads a font of that size, so few are tried.
    const double scale = std::min(m.advance > 0 ? box.width() / m.advance : 1.0, m.ink.height() > 0 ? height / m.ink.height() : 1.0);
    const int top = font.pixelSize() - 1;
    const int floorSize = static_cast<int>(std::ceil(minimumSize));
    f.setPixelSize(std::clamp(static_cast<int>(std::floor(font.pixelSize() * scale)), std::min(floorSize, top), top));
    if (fits(f)) {
        QFont larger = f;
        for (larger.setPixelSize(f.pixelSize() + 1); larger.pixelSize() <= top && fits(larger); larger.setPixelSize(larger.pixelSize() + 1))
            f = larger;
        return f;
    }
    while (shrinkable(f, minimumSize) && !fits(f))
        f.setPixelSize(f.pixelSize() - 1);
    return f;
}

namespace {

QFont wrappedFont(const QString& shown, const QFont& font, const QSize& size, int lines, bool shrinkToFit, double smallest)
{
    QFont f = font;
    while (shrinkToFit && shrinkable(f, smallest) && !wrapFits(shown, f, size, lines))
        f.setPixelSize(f.pixelSize() - 1);
    return f;
}

// A text layout breaks lines only at the line separator, not at '\n'.
QString withLineBreaks(QString text)
{
    return text.replace(QLatin1Char('\n'), QChar::LineSeparator);
}

double smallestFor(const QFont& font, double minimumSize)
{
    return minimumSize > 0 ? minimumSize : minimumFontSize(font.pixelSize());
}

} // namespace

bool showsWhole(const QString& text, const QFont& font, const QSize& size, int lines, bool shrinkToFit, double minimumSize)
{
    const QString shown = shownText(text);
    const double smallest = smallestFor(font, minimumSize);
    if (lines == 1) {
        const QFont f = shrinkToFit ? fittingFont(shown, font, size, smallest) : font;
        return measure(shown, f).advance <= size.width();
    }
    const QString broken = withLineBreaks(shown);
    return wrapFits(broken, wrappedFont(broken, font, size, lines, shrinkToFit, smallest), size, lines);
}

void drawText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font, const QColor& color,
    TextAlignment alignment, int lines, bool shrinkToFit, double minimumSize)
{
    if (text.isEmpty() || rect.isEmpty())
        return;
    const QString shown = shownText(text);
    const double smallest = smallestFor(font, minimumSize);
    painter.save();
    painter.setPen(color);
    if (lines == 1) {
        const QFont f = shrinkToFit ? fittingFont(shown, font, rect.size(), smallest) : font;
        drawOneLine(painter, rect, measure(shown, f).advance <= rect.width() ? shown : elided(shown, f, rect.width()), f, alignment);
    } else {
        const QString broken = withLineBreaks(shown);
        drawWrapped(painter, rect, broken, wrappedFont(broken, font, rect.size(), lines, shrinkToFit, smallest), alignment, lines);
    }
    painter.restore();
}

} // namespace ui
