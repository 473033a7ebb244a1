// Test main for the window suites: real widgets on the offscreen platform, set up as the
// program sets itself up before its first window (font substitution, ...).
#include "support/WidgetTest.h"

#include "shell/ui/Application.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    folio::prepareApplication(app);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new folio::test::NoWindowLeftBehind);
    return RUN_ALL_TESTS();
}
