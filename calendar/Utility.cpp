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

QString Utility::searchKey(const QString& text)
{
    QString kept;
    // Letters apart from the marks that sit on them: alef with madda or
    // hamza is alef, an accented Latin letter its plain one.
    for (const QChar c : text.normalized(QString::NormalizationForm_KD)) {
        if (c.isLetterOrNumber() && !c.isMark() && c != QChar(0x0640))
            kept.append(c.toLower());
    }
    return GetProperString(kept);
}
