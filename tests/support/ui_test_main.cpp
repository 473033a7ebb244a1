// Test main for the window suites: real widgets on the offscreen platform.
#include "support/WidgetTest.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    folio::test::prepareApplication();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new folio::test::NoWindowLeftBehind);
    return RUN_ALL_TESTS();
}
