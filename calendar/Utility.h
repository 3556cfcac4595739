#pragma once

#include <QString>

// Text preparation for a Persian reader and for searches in the database.
class Utility {
public:
    // Western digits 0-9 become Arabic-Indic digits U+0660-U+0669.
    static QString ConvertToPersian(const QString& text);
    // Arabic yeh, alef maksura and kaf become the Persian forms the database uses.
    static QString GetProperString(const QString& text);
};
