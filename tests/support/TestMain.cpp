#include "support/TestEnvironment.h"

#include "core/DataFolder.h"
#include "lookup/HttpTransfer.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

// The test programs' main: a Qt application object with the program's identity and the
// temporary settings and data folders in place before any test runs.
int main(int argc, char** argv)
{
    const CHttpLibrary http;
    testing::InitGoogleTest(&argc, argv);
    CTestEnvironment::Instance();
    QCoreApplication app(argc, argv);
    DataFolder::InitApplicationIdentity();
    return RUN_ALL_TESTS();
}
