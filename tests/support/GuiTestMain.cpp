#include "support/TestEnvironment.h"

#include "core/DataFolder.h"
#include "lookup/HttpTransfer.h"
#include "view/UserPrompt.h"

#include <QApplication>

#include <gtest/gtest.h>

// The main of the GUI test programs: a real QApplication on the offscreen platform, the
// program's identity, temporary settings and data folders, and every question and file dialog
// answered by the tests instead of shown.
int main(int argc, char** argv)
{
    const CHttpLibrary http;
    CTestEnvironment::Instance();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // After the application: parameterised tests may build pixmaps when they are registered.
    testing::InitGoogleTest(&argc, argv);
    DataFolder::InitApplicationIdentity();
    CUserPrompt::SetAutomatic(true);
    return RUN_ALL_TESTS();
}
