#include "support/TestEnvironment.h"

#include "core/DataFolder.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

// The main of the export test programs that paint: fonts and painters need a QGuiApplication,
// which runs here without a display and without Qt Widgets. Settings and data folders are
// temporary, as in every test program.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    CTestEnvironment::Instance();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    DataFolder::InitApplicationIdentity();
    return RUN_ALL_TESTS();
}
