#include "platform/audio/SoundFile.h"

#include "platform/foundation/Directories.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

using audio::SoundFile;

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

// A mono 16-bit WAV of `ms` at 8000 Hz, with an odd-sized chunk before the
// samples as some writers put there.
QByteArray wav(int ms)
{
    const quint32 rate = 8000;
    const QByteArray samples(static_cast<qsizetype>(rate * 2 * ms / 1000), '\0');
    QByteArray fmt = le16(1) + le16(1) + le32(rate) + le32(rate * 2) + le16(2) + le16(16);
    QByteArray body = "WAVE" + QByteArray("fmt ") + le32(static_cast<quint32>(fmt.size())) + fmt + QByteArray("LIST") + le32(3)
        + QByteArray("abc") + QByteArray(1, '\0') + QByteArray("data") + le32(static_cast<quint32>(samples.size())) + samples;
    return "RIFF" + le32(static_cast<quint32>(body.size())) + body;
}

class SoundFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resources = QDir(dir.filePath("resources"));
        QDir().mkpath(resources.path());
        write(resources.filePath("3.wav"), wav(1500));
        write(resources.filePath(".wav"), wav(250));
        write(resources.filePath(SoundFile::kDefault), wav(500));
        write(dir.filePath("outside.wav"), wav(100));
        QFile::link(dir.filePath("outside.wav"), resources.filePath("link.wav"));
        QFile::link(resources.filePath("3.wav"), resources.filePath("same.wav"));
        QDir().mkpath(resources.filePath("folder.wav"));
        foundation::Directories::setResourcePath(resources.path());
    }
    void TearDown() override { foundation::Directories::setResourcePath(QStringLiteral(KELVARO_RESOURCES)); }
    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir dir;
    QDir resources;
};

TEST_F(SoundFileTest, APlainNameOfTheResourceFolderPlaysThatFileAnythingElseTheDefault)
{
    EXPECT_EQ(SoundFile::resolve("3.wav"), resources.filePath("3.wav"));
    EXPECT_EQ(SoundFile::resolve(".wav"), resources.filePath(".wav"));
    EXPECT_EQ(SoundFile::resolve("same.wav"), resources.filePath("same.wav"));
    const QString fallback = resources.filePath(SoundFile::kDefault);
    for (const QString& name : QStringList{"9.wav", "../outside.wav", dir.filePath("outside.wav"), "link.wav", "folder.wav",
             ".", "..", "sub/3.wav", "3.wav\\", QString("3.wav") + QChar(0)})
        EXPECT_EQ(SoundFile::resolve(name), fallback) << name.toStdString();
    // No name, no sound.
    EXPECT_TRUE(SoundFile::resolve("").isEmpty());
    // Without even the default there is nothing to play.
    QFile::remove(fallback);
    EXPECT_TRUE(SoundFile::resolve("9.wav").isEmpty());
}

TEST_F(SoundFileTest, AWavPlaysForItsSamplesLength)
{
    EXPECT_EQ(SoundFile::durationMs(resources.filePath("3.wav")), 1500);
    EXPECT_EQ(SoundFile::durationMs(resources.filePath(".wav")), 250);
    // What is not a WAV has no length.
    write(dir.filePath("text.wav"), "RIFF, but not quite");
    EXPECT_EQ(SoundFile::durationMs(dir.filePath("text.wav")), 0);
    EXPECT_EQ(SoundFile::durationMs(dir.filePath("none.wav")), 0);
    // A truncated file plays what it holds.
    QByteArray cut = wav(1000);
    cut.chop(8000);
    write(dir.filePath("cut.wav"), cut);
    EXPECT_EQ(SoundFile::durationMs(dir.filePath("cut.wav")), 500);
    // The shipped recordings are several seconds long.
    EXPECT_GT(SoundFile::durationMs(QStringLiteral(KELVARO_RESOURCES "/3.wav")), 5000);
}

} // namespace
