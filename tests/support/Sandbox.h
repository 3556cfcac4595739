#pragma once

#include "store/MyDB.h"

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>

// A fresh phone for one test: the built resources, an empty documents
// folder (so the first use copies "Icons"), its own pending-notifications
// file, a stopped clock and a captured log.
class Sandbox {
public:
    explicit Sandbox(const QDateTime& now = QDateTime(QDate(2012, 7, 21), QTime(10, 0)));
    ~Sandbox();

    MyDB* db() const { return MyDB::initialize(); }
    QString scalar(const QString& sql) const { return db()->ExecuteScaler(sql).value_or(QStringLiteral("<none>")); }
    void exec(const QString& sql, const Values& values = {}) const;
    // Chooses cities by StateID, with Ordering 1, 2, ... in the given order.
    void choose(const QList<int>& stateIds) const;
    // A user-made city of the province with the given offsets; its StateID.
    int makeCity(const QString& name, int provinceId, const QList<int>& offsets) const;
    void setNow(const QDateTime& now) const;
    QString home() const { return dir_.path(); }

    QStringList log;

    static constexpr int kTehran = 39;       // centre of province 8
    static constexpr int kTehranProvince = 8;
    static constexpr int kMashhad = 42;      // centre of province 11
    static constexpr int kTabriz = 32;       // centre of province 1

private:
    QTemporaryDir dir_;
};
