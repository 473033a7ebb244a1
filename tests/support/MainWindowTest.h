#pragma once
// Fixture for tests that need the program running: the main window loaded (with the About
// window open inside it, as at start-up), message boxes and file dialogs scripted, the
// program folder pointed at a temporary folder, and the program's end recorded instead of
// quitting.
#include "support/ScriptedCommonDialog.h"
#include "support/ScriptedDialogs.h"
#include "support/WidgetTest.h"

#include "shell/ui/frmMdimenuform.h"

#include <QPointer>
#include <QTemporaryDir>

namespace folio::test {

class MainWindowTest : public WidgetTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Closes every child window without asking anything (test clean-up).
    void closeAllChildren();
    // The child windows in the order they were opened.
    QList<ChildForm*> children() const;
    // A path inside the test's own folder.
    QString path(const QString& name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    ScriptedCommonDialog files;
    QPointer<frmMdimenuform> main;
    int programEnds = 0;
};

}  // namespace folio::test
