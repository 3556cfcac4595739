// Test main for everything that draws: a QApplication on the offscreen
// platform, with animations off so each step completes at once, and the
// build's sound module.
#include "platform/foundation/Directories.h"
#include "platform/ui/Style.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The build's sound module: a test's executable has none beside it.
    foundation::Directories::setModulePath(QStringLiteral(KELVARO_MODULES));
    ui::setAnimationsEnabled(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
