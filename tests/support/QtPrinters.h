#pragma once

// Lets GoogleTest print Qt values readably in its failure messages.

#include <QDateTime>
#include <QString>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QDateTime& moment, std::ostream* out)
{
    *out << moment.toString(Qt::ISODate).toStdString();
}
