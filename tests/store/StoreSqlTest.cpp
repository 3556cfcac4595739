// No value is formatted into the text of a statement in store/: values are
// bound, so no text can change what a statement does.
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

TEST(StoreSql, NoStatementTextIsFormattedWithArg)
{
    const QDir store(QStringLiteral(KELVARO_SOURCE_DIR "/store"));
    const QStringList sources = store.entryList({QStringLiteral("*.cpp")});
    ASSERT_FALSE(sources.isEmpty());
    const QRegularExpression sql(QStringLiteral("\\b(SELECT|INSERT|UPDATE|DELETE|ATTACH|PRAGMA|CREATE|DROP|ALTER|VALUES|WHERE)\\b"));
    int formatted = 0;
    for (const QString& name : sources) {
        QFile file(store.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        // Each C++ statement that formats with .arg() must not be SQL.
        for (qsizetype at = text.indexOf(QLatin1String(".arg(")); at >= 0; at = text.indexOf(QLatin1String(".arg("), at + 1)) {
            const qsizetype begin = std::max({text.lastIndexOf(QLatin1Char(';'), at), text.lastIndexOf(QLatin1Char('{'), at),
                                        text.lastIndexOf(QLatin1Char('}'), at)})
                + 1;
            const qsizetype end = text.indexOf(QLatin1Char(';'), at);
            const QString statement = text.mid(begin, end - begin);
            ++formatted;
            EXPECT_FALSE(sql.match(statement).hasMatch()) << name.toStdString() << ": " << statement.trimmed().toStdString();
        }
    }
    // The log lines and the messages are formatted; the scan saw them.
    EXPECT_GT(formatted, 0);
}

} // namespace
