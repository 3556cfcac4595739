#pragma once

#include <QString>

// Text preparation for a Persian reader and for searches in the database.
class Utility {
public:
    // Western digits 0-9 become Arabic-Indic digits U+0660-U+0669.
    static QString ConvertToPersian(const QString& text);
    // Arabic yeh, alef maksura and kaf become the Persian forms the database uses.
    static QString GetProperString(const QString& text);
    // A name as a search compares it, so that the ways people write one name
    // meet: the Persian letter forms, no diacritics (Arabic vowel signs and
    // hamza, Latin accents), no spaces, half-spaces or punctuation, in lower
    // case. "خرم آباد" and "خرم‌آباد", "Neyshābūr" and "neyshabur" are one.
    static QString searchKey(const QString& text);
};
