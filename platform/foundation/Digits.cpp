#include "Digits.h"

namespace foundation {

namespace {

constexpr char16_t kArabicIndicZero = 0x0660;
constexpr char16_t kPersianZero = 0x06F0;
constexpr char16_t kDecimalSeparator = 0x066B;
constexpr int kDigits = 10;

// The value 0-9 of a digit of any of the three kinds, else -1.
int digitValue(char16_t unit)
{
    for (char16_t zero : {char16_t(u'0'), kArabicIndicZero, kPersianZero})
        if (unit >= zero && unit < zero + kDigits)
            return unit - zero;
    return -1;
}

// Every digit from `from` (0 for any kind) in the digits from `to`.
QString mapped(const QString& text, char16_t from, char16_t to)
{
    QString result = text;
    for (QChar& c : result) {
        const char16_t unit = c.unicode();
        const int value = from == 0 ? digitValue(unit) : (unit >= from && unit < from + kDigits ? unit - from : -1);
        if (value >= 0)
            c = QChar(char16_t(to + value));
    }
    return result;
}

} // namespace

QString Digits::arabicIndic(const QString& text)
{
    return mapped(text, u'0', kArabicIndicZero);
}

QString Digits::arabicIndic(int number)
{
    return arabicIndic(QString::number(number));
}

QString Digits::persian(int number)
{
    return mapped(QString::number(number), u'0', kPersianZero);
}

QString Digits::shapes(const QString& text)
{
    return mapped(text, kArabicIndicZero, kPersianZero);
}

QString Digits::western(const QString& text)
{
    QString result = mapped(text, 0, u'0');
    result.replace(QChar(kDecimalSeparator), QLatin1Char('.'));
    return result;
}

} // namespace foundation
