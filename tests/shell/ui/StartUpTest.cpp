// From the intro window to the main window, and the program's end.
#include "support/ScriptedDialogs.h"
#include "support/WidgetTest.h"

#include "platform/ui/ProgramEnd.h"
#include "platform/ui/TextBox.h"
#include "reading/ui/frmAbout.h"
#include "shell/ui/Application.h"
#include "shell/ui/frmIntro.h"
#include "shell/ui/frmMdimenuform.h"

#include <QFile>
#include <QTemporaryDir>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace folio;

namespace {

class StartUp : public test::WidgetTest {
protected:
    void SetUp() override { setEndProgramHandlerForTesting([this] { ++ends; }); }
    void TearDown() override
    {
        if (auto* main = frmMdimenuform::instance()) {
            for (QMdiSubWindow* w : main->mdiArea()->subWindowList()) {
                static_cast<ChildForm*>(w)->setQueryAnswered(true);
                w->close();
            }
            delete main;
        }
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

TEST_F(StartUp, IntroWindowShowsItsCaptionLabelsAndFocusedProceed)
{
    frmIntro* w = intro();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Version = 1 - 5 - 2"));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("Tagwright  Folio"));
    EXPECT_EQ(w->Label2[15]->text(), QStringLiteral(" Colour  Picker "));
    EXPECT_EQ(w->Label2[7]->text().left(20), QStringLiteral("You can include sepa"));
    EXPECT_EQ(w->Label2[15]->palette().color(QPalette::WindowText), QColor(0xFF, 0x80, 0x00));
    EXPECT_EQ(w->Label1->font().pointSizeF(), 24);
    EXPECT_TRUE(w->Label1->font().bold());
    // 2760 x 5640 twips is 184 x 376 pixels at 15 twips to the pixel.
    EXPECT_EQ(w->cmdProceed->geometry(), QRect(184, 376, 81, 25));
    QApplication::setActiveWindow(w);
    EXPECT_EQ(QApplication::focusWidget(), w->cmdProceed);
    w->close();
    EXPECT_EQ(ends, 1);
}

TEST_F(StartUp, ProceedOpensTheMainWindowWithTheAboutWindowInside)
{
    frmIntro* w = intro();
    QApplication::setActiveWindow(w);
    QTest::keyClick(w->cmdProceed, Qt::Key_Return);
    test::settle();
    EXPECT_EQ(ends, 0);
    auto* main = frmMdimenuform::instance();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Tagwright Folio :  "));
    EXPECT_EQ(main->openWindowCount(), 1);
    ASSERT_NE(main->ActiveForm(), nullptr);
    EXPECT_NE(qobject_cast<frmAbout*>(main->ActiveForm()), nullptr);
    EXPECT_EQ(main->ActiveForm()->Caption(), QStringLiteral("About  Tagwright Folio"));
    EXPECT_FALSE(main->mnuHtml->isEnabled());
    EXPECT_FALSE(main->mnuAbout->isEnabled());
    EXPECT_FALSE(main->mnuTutorialHTML->isVisible());
    EXPECT_TRUE(main->mnuHelp->isEnabled());
}

TEST_F(StartUp, CancelEscapeAndTheCloseBoxEachEndTheProgramWithoutAMainWindow)
{
    frmIntro* w = intro();
    QTest::mouseClick(w->cmdCancel, Qt::LeftButton);
    test::settle();
    EXPECT_EQ(ends, 1);

    w = intro();
    QApplication::setActiveWindow(w);
    QTest::keyClick(w, Qt::Key_Escape);
    test::settle();
    EXPECT_EQ(ends, 2);

    w = intro();
    w->close();
    test::settle();
    EXPECT_EQ(ends, 3);
    EXPECT_EQ(frmMdimenuform::instance(), nullptr);
}

TEST_F(StartUp, FilesNamedAtTheStartOpenAfterProceedBehindTheAboutWindowAndNotAfterCancel)
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("page.htm"));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<p>\r\n");
    file.close();

    intro({page})->cmdCancel_Click();
    test::settle();
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(frmMdimenuform::instance(), nullptr);

    intro({page})->cmdProceed_Click();
    test::settle();
    auto* main = frmMdimenuform::instance();
    ASSERT_NE(main, nullptr);
    const auto windows = main->mdiArea()->subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(windows.size(), 2);
    EXPECT_NE(qobject_cast<frmAbout*>(windows[0]), nullptr);
    EXPECT_EQ(main->ActiveForm(), windows[1]);
    EXPECT_EQ(windows[1]->windowTitle(), page);
    EXPECT_EQ(main->openWindowCount(), 2);
    EXPECT_TRUE(main->mnuHtml->isEnabled());
    EXPECT_TRUE(dialogs.shown().isEmpty());
}
