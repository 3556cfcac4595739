#pragma once

#include <QString>

// Builds the shipped database from the schema and the data sources:
// provinces and centres (provinces.tsv), the events and holidays of every
// day (events-*.tsv, with the lunar months of lunar-months.tsv), the
// settings row (settings.tsv), and the prayer times of every centre for
// every day from 1 Farvardin 1391 to the end of 1410 and the day after.
// The same sources give the same file.
// Returns an empty text on success, else what went wrong.
QString buildIcons(const QString& schemaPath, const QString& dataDir, const QString& outPath);
