#include "calendar/Utility.h"

#include <gtest/gtest.h>

TEST(Utility, DigitsBecomeArabicIndic)
{
    EXPECT_EQ(Utility::ConvertToPersian(QStringLiteral("12:05")), QString::fromUtf16(u"\u0661\u0662:\u0660\u0665"));
    EXPECT_EQ(Utility::ConvertToPersian(QStringLiteral("تا 10 دقیقه")), QString::fromUtf16(u"تا \u0661\u0660 دقیقه"));
    // Digits that are already Arabic-Indic or Persian stay as they are.
    const QString already = QString::fromUtf16(u"\u0665\u06F5");
    EXPECT_EQ(Utility::ConvertToPersian(already), already);
    EXPECT_EQ(Utility::ConvertToPersian(QString()), QString(""));
    EXPECT_EQ(Utility::ConvertToPersian(QStringLiteral("-1")), QString::fromUtf16(u"-\u0661"));
}

TEST(Utility, ArabicLetterFormsBecomePersian)
{
    EXPECT_EQ(Utility::GetProperString(QString::fromUtf16(u"\u064A\u0649")), QString::fromUtf16(u"\u06CC\u06CC"));
    EXPECT_EQ(Utility::GetProperString(QString::fromUtf16(u"\u0643\u0631\u062C")), QString::fromUtf16(u"\u06A9\u0631\u062C"));
    const QString untouched = QString::fromUtf16(u"\u0629\u0623 123 تهران");
    EXPECT_EQ(Utility::GetProperString(untouched), untouched);
}
