// Where the app finds its own files: beside its executable as built (and as
// scripts/install.sh copies it), else below its prefix by the GNU
// installation directories, whatever the prefix.
#include "platform/foundation/Directories.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using foundation::Directories;

TEST(Directories, AsBuiltTheFilesLieBesideTheExecutable)
{
    QTemporaryDir build;
    ASSERT_TRUE(QDir(build.path()).mkpath(QStringLiteral("resources")));
    const Directories::OwnFiles own = Directories::ownFiles(build.path());
    EXPECT_EQ(own.resources, build.filePath(QStringLiteral("resources")));
    EXPECT_EQ(own.modules, build.path());
}

TEST(Directories, InstalledTheyLieBelowThePrefix)
{
    QTemporaryDir prefix;
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    const Directories::OwnFiles own = Directories::ownFiles(bin);
    EXPECT_EQ(own.resources, QDir::cleanPath(bin + QStringLiteral("/" KELVARO_DATA_FROM_BIN)));
    EXPECT_TRUE(own.resources.startsWith(prefix.path() + QLatin1Char('/'))) << own.resources.toStdString();
    EXPECT_TRUE(own.resources.endsWith(QStringLiteral("/kelvaro"))) << own.resources.toStdString();
    EXPECT_EQ(own.modules, QDir::cleanPath(bin + QStringLiteral("/" KELVARO_MODULES_FROM_BIN)));
    EXPECT_TRUE(own.modules.startsWith(prefix.path() + QLatin1Char('/'))) << own.modules.toStdString();
}

TEST(Directories, AFileNamedResourcesIsNotTheBuildsFolder)
{
    QTemporaryDir prefix;
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    QFile file(bin + QStringLiteral("/resources"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_TRUE(Directories::ownFiles(bin).resources.endsWith(QStringLiteral("/kelvaro")));
}

TEST(Directories, WhatIsSetIsWhatIsFound)
{
    const QString resources = Directories::resourcePath();
    const QString modules = Directories::modulePath();
    Directories::setResourcePath(QStringLiteral("/somewhere/resources"));
    Directories::setModulePath(QStringLiteral("/somewhere/modules"));
    EXPECT_EQ(Directories::resourcePath(), "/somewhere/resources");
    EXPECT_EQ(Directories::modulePath(), "/somewhere/modules");
    Directories::setResourcePath(resources);
    Directories::setModulePath(modules);
}

} // namespace
