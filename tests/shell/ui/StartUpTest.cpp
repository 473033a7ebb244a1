// From the intro window to the main window, and the program's end.
#include "support/ScriptedDialogs.h"
#include "support/WidgetTest.h"

#include "platform/ui/ProgramEnd.h"
#include "shell/ui/Application.h"
#include "shell/ui/frmIntro.h"
#include "shell/ui/frmMdimenuform.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace folio;

namespace {

class StartUp : public test::WidgetTest {
protected:
    void SetUp() override { setEndProgramHandlerForTesting([this] { ++ends; }); }
    void TearDown() override
    {
        delete frmMdimenuform::instance();
        setEndProgramHandlerForTesting(nullptr);
        test::WidgetTest::TearDown();
    }
    frmIntro* intro(const QStringList& files = {})
    {
        showIntroWindow(files);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* i = qobject_cast<frmIntro*>(w); i && i->isVisible())
                return i;
        return nullptr;
    }
    int ends = 0;
    test::ScriptedDialogs dialogs;
};

}  // namespace

// Cancel, Escape and the close box each end the program without a main window; then Enter on
// the focused "Proceed" opens the main window with the About window inside, and the files named
// at the start behind it. The intro's texts, colours and title font are checked on the way.
TEST_F(StartUp, CancelEscapeAndTheCloseBoxEachEndTheProgramProceedOpensTheMainWindow)
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("page.htm"));
    ASSERT_TRUE(QFile(page).open(QIODevice::WriteOnly));
    frmIntro* w = intro({page});
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(std::tuple(w->windowTitle(), w->Label1->text(), w->Label1->font().bold(), w->Label1->font().pointSizeF(),
                         w->Label2[15]->text(), w->Label2[15]->palette().color(QPalette::WindowText)),
              std::tuple(QStringLiteral("Version = 1 - 5 - 2"), QStringLiteral("Tagwright  Folio"), true, 24.0,
                         QStringLiteral(" Colour  Picker "), QColor(0xFF, 0x80, 0x00)));
    QTest::mouseClick(w->cmdCancel, Qt::LeftButton);
    test::settle();
    w = intro();
    QApplication::setActiveWindow(w);
    QTest::keyClick(w, Qt::Key_Escape);
    test::settle();
    intro()->close();
    test::settle();
    EXPECT_EQ(std::tuple(ends, frmMdimenuform::instance()), std::tuple(3, nullptr));

    w = intro({page});
    QApplication::setActiveWindow(w);
    ASSERT_EQ(QApplication::focusWidget(), w->cmdProceed);
    QTest::keyClick(w->cmdProceed, Qt::Key_Return);
    test::settle();
    EXPECT_EQ(ends, 3);
    auto* main = frmMdimenuform::instance();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Tagwright Folio :  "));
    QStringList titles;
    for (QMdiSubWindow* child : main->mdiArea()->subWindowList(QMdiArea::CreationOrder))
        titles << child->windowTitle();
    EXPECT_EQ(titles, QStringList({QStringLiteral("About  Tagwright Folio"), page}));
    EXPECT_EQ(std::pair(main->ActiveForm()->windowTitle(), dialogs.shown().size()), std::pair(page, qsizetype(0)));
}
