#include "Utility.h"

#include "platform/foundation/Digits.h"

QString Utility::ConvertToPersian(const QString& text)
{
    return foundation::Digits::arabicIndic(text);
}

QString Utility::GetProperString(const QString& text)
{
    QString result = text;
    result.replace(QChar(0x064A), QChar(0x06CC));
    result.replace(QChar(0x0649), QChar(0x06CC));
    result.replace(QChar(0x0643), QChar(0x06A9));
    return result;
}
