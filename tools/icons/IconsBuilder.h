#pragma once

#include <QString>

// Builds the shipped database from the schema and the data sources:
// provinces and centres (provinces.tsv), the events of 1391 (events.tsv),
// the settings row (settings.tsv), and the prayer times of every centre for
// every day of 1391 and 1 Farvardin 1392. The same sources give the same file.
// Returns an empty text on success, else what went wrong.
QString buildIcons(const QString& schemaPath, const QString& dataDir, const QString& outPath);
