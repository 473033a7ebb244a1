#pragma once
// Fixture for tests that need the program running: the main window loaded (with the About
// window open inside it, as at start-up), message boxes and file dialogs scripted, the
// program folder pointed at a temporary folder, and the program's end recorded instead of
// quitting.
#include "support/ScriptedCommonDialog.h"
#include "support/ScriptedDialogs.h"
#include "support/WidgetTest.h"

#include "platform/logic/ProgramFolder.h"
#include "platform/ui/ProgramEnd.h"
#include "shell/ui/frmMdimenuform.h"

#include <QMdiArea>
#include <QPointer>
#include <QTemporaryDir>

namespace folio::test {

class MainWindowTest : public WidgetTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        setProgramFolderForTesting(folder.path());
        setEndProgramHandlerForTesting([this] { ++programEnds; });
        main = frmMdimenuform::load();
        main->CommonDialog1.setBackend(&files);
        settle();
    }
    void TearDown() override
    {
        if (main) {
            closeAllChildren();
            delete main.data();
        }
        settle();
        setEndProgramHandlerForTesting(nullptr);
        setProgramFolderForTesting(QString());
        WidgetTest::TearDown();
    }

    // Closes every child window without asking anything (test clean-up).
    void closeAllChildren()
    {
        for (ChildForm* f : children()) {
            f->setQueryAnswered(true);
            f->close();
        }
        settle();
    }
    // The child windows in the order they were opened.
    QList<ChildForm*> children() const
    {
        QList<ChildForm*> list;
        for (QMdiSubWindow* w : main ? main->mdiArea()->subWindowList(QMdiArea::CreationOrder) : QList<QMdiSubWindow*>())
            if (auto* f = qobject_cast<ChildForm*>(w); f && !f->isUnloaded())
                list << f;
        return list;
    }
    // A path inside the test's own folder.
    QString path(const QString& name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    ScriptedCommonDialog files;
    QPointer<frmMdimenuform> main;
    int programEnds = 0;
};

}  // namespace folio::test
