#pragma once

#include <QString>

namespace foundation {

// Digits as a Persian reader sees them, and back. The app's texts carry the
// Arabic-Indic digits (U+0660 to U+0669); what draws or speaks them uses the
// Extended Arabic-Indic shapes a Persian reader writes (U+06F0 to U+06F9);
// what reads typed numbers takes any of the three kinds.
class Digits {
public:
    // 0-9 become U+0660-U+0669; everything else stays.
    static QString arabicIndic(const QString& text);
    static QString arabicIndic(int number);
    // A number in the Extended Arabic-Indic digits U+06F0-U+06F9.
    static QString persian(int number);
    // The Arabic-Indic digits of a text in the shapes a Persian reader
    // writes (U+06F0-U+06F9), as they are drawn and spoken; Western digits
    // (an address, a version) stay as they are.
    static QString shapes(const QString& text);
    // Every kind of digit becomes 0-9, and the Arabic decimal separator
    // (U+066B) a point; everything else stays.
    static QString western(const QString& text);
};

} // namespace foundation
