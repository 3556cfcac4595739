#include "Utility.h"

QString Utility::ConvertToPersian(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit >= u'0' && unit <= u'9')
            result.append(QChar(char16_t(0x0660 + (unit - u'0'))));
        else
            result.append(c);
    }
    return result;
}

QString Utility::GetProperString(const QString& text)
{
    QString result = text;
    result.replace(QChar(0x064A), QChar(0x06CC));
    result.replace(QChar(0x0649), QChar(0x06CC));
    result.replace(QChar(0x0643), QChar(0x06A9));
    return result;
}
