#include "support/MainWindowTest.h"

#include "platform/logic/ProgramFolder.h"
#include "platform/ui/ProgramEnd.h"

#include <QMdiArea>

namespace folio::test {

void MainWindowTest::SetUp()
{
    ASSERT_TRUE(folder.isValid());
    setProgramFolderForTesting(folder.path());
    setEndProgramHandlerForTesting([this] { ++programEnds; });
    main = frmMdimenuform::load();
    main->CommonDialog1.setBackend(&files);
    settle();
}

QList<ChildForm*> MainWindowTest::children() const
{
    QList<ChildForm*> list;
    if (!main)
        return list;
    const auto windows = main->mdiArea()->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow* w : windows)
        if (auto* f = qobject_cast<ChildForm*>(w); f && !f->isUnloaded())
            list << f;
    return list;
}

void MainWindowTest::closeAllChildren()
{
    for (ChildForm* f : children()) {
        f->setQueryAnswered(true);
        f->close();
    }
    settle();
}

void MainWindowTest::TearDown()
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

}  // namespace folio::test
