// The main window: menu table, closing question, counter, the edit-target rule, the Window and
// Application menus that need no document.
#include "support/MainWindowTest.h"

#include "platform/ui/Geometry.h"
#include "platform/ui/Help.h"
#include "platform/ui/QtCommonDialogBackend.h"
#include "platform/ui/TextBox.h"
#include "reading/logic/ReadingTexts.h"
#include "reading/ui/TutorialForm.h"
#include "reading/ui/frmAbout.h"
#include "shell/logic/MenuTable.h"
#include "shared/ui/Guarded.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QIntValidator>
#include <QLineEdit>
#include <QTimer>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace folio;
using test::MainWindowTest;

namespace {
const QString kRefusal = QStringLiteral("This activity is not allowed for this instance !");
}

TEST_F(MainWindowTest, MenuBarHoldsEveryEntryWithItsCaptionAndNesting)
{
    // One line per menu, in the order a walk of the bar meets them; no entry has a shortcut.
    const QStringList expected = {
        "bar: &File | &Edit | &HTML Tags | &Window | &Application",
        "&File: &Open an Existing File | Create a &New File | Open a New &Blank File | &Close Active File | E&xit",
        "&Edit: &Copy | Cu&t | &Paste | - | Insert Ta&b Keystroke | Insert &Date and Time | - | Make &Uppercase | "
        "Make &Lowercase | Hide Fi&nd Dialogue | Set &Font | Set C&olour",
        "&HTML Tags: Warning | Line B&reak <br> | Insert a Blank Spa&ce | Insert &Hyperlink | Insert I&mage Tag | "
        "<&b> Your Text </b> | <&u> Your Text </u> | <&i> Your Text </i> | <&font> Your Text </font> | &Align | "
        "&List | &Table | <&p> Your Text </p> | <&div> Your Text </div>",
        "&Align: align = &left | align = &center | align = &right | valign = &top | valign = &middle | "
        "align = &bottom | <&center> Your Text </center>",
        "&List: <&ol> Your Text </ol> | <&ul> Your Text </ul> | <l&i> Your Text </li>",
        "&Table: <&table> Your Text </table> | <t&r> Your Text </t&r> | <t&d> Your Text </td>",
        "&Window: Casca&de | Arrange &Icons",
        "&Application: &Help | Tutorial on &HTML Tags | Tutorial on &CD Autorun.inf File | Colour &Picker | "
        "Open &MyShades.csv | A&bout  Tagwright Folio",
    };
    QStringList seen;
    std::function<void(const QString&, const QList<QAction*>&)> walk = [&](const QString& title,
                                                                          const QList<QAction*>& actions) {
        QStringList captions;
        for (QAction* a : actions) {
            if (a->objectName().isEmpty())
                continue;  // the live window list
            captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
            EXPECT_TRUE(a->shortcut().isEmpty()) << a->text().toStdString();
        }
        seen << title + QStringLiteral(": ") + captions.join(QStringLiteral(" | "));
        for (QAction* a : actions)
            if (a->menu() && !a->objectName().isEmpty())
                walk(a->text(), a->menu()->actions());
    };
    walk(QStringLiteral("bar"), main->menuBar()->actions());
    EXPECT_EQ(seen, expected);
}

TEST_F(MainWindowTest, ClosingWithAChildAsksNoKeepsEverythingYesEnds)
{
    dialogs.answer(MsgAnswer::No);
    main->mnuExit->trigger();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last(), test::msgBox(QStringLiteral("Some modules are still open. Do you really wnat to quit "
                                                          "this application ?"),
                                           QStringLiteral("Please confirm"), MsgButtons::YesNo, MsgIcon::Question, 2));
    test::settle();
    EXPECT_TRUE(main);
    EXPECT_EQ(children().size(), 1);
    EXPECT_EQ(main->openWindowCount(), 1);
    EXPECT_EQ(programEnds, 0);

    dialogs.answer(MsgAnswer::Yes);
    main->close();
    test::settle();
    EXPECT_EQ(programEnds, 1);
    EXPECT_FALSE(main);
}

TEST_F(MainWindowTest, WithoutAChildCloseActiveFileSaysSoAndClosingAsksNothing)
{
    main->mnuClose->trigger();  // the About window
    test::settle();
    EXPECT_EQ(main->openWindowCount(), 0);
    EXPECT_TRUE(dialogs.shown().isEmpty());
    main->mnuClose->trigger();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last(), test::msgBox(QStringLiteral("No file is available to close !")));
    EXPECT_EQ(main->openWindowCount(), 0);
    main->mnuExit->trigger();
    test::settle();
    EXPECT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(programEnds, 1);
}

TEST_F(MainWindowTest, EveryApplicationEntryOpensOnceCountsOneAndItsCloseUndoesBoth)
{
    closeAllChildren();
    ASSERT_EQ(main->openWindowCount(), 0);
    const struct {
        QAction* entry;
        void (frmMdimenuform::*click)();
        QString caption;
    } table[] = {
        {main->mnuAbout, &frmMdimenuform::mnuAbout_Click, QStringLiteral("About  Tagwright Folio")},
        {main->mnuHelp, &frmMdimenuform::mnuHelp_Click, QStringLiteral("Tutorial on HTML Tags")},
        {main->mnuTutorialAutorun, &frmMdimenuform::mnuTutorialAutorun_Click, QStringLiteral("Tutorial on Autorun.inf File")},
        {main->mnuAC, &frmMdimenuform::mnuAC_Click, QStringLiteral("RGB and ASCII Functions")},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.caption.toStdString());
        main->mnuHtml->setEnabled(true);
        row.entry->trigger();
        test::settle();
        ASSERT_EQ(children().size(), 1);
        ASSERT_NE(main->ActiveForm(), nullptr);
        EXPECT_EQ(main->ActiveForm()->Caption(), row.caption);
        EXPECT_FALSE(main->mnuTutorialHTML->isVisible());
        // The counter and the entry's availability are the random session's invariants.
        main->ActiveForm()->Unload();
        test::settle();
    }
    // "&Help" showed its message naming the program folder.
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.last().prompt.endsWith(QStringLiteral("from  ") + folder.path() + QStringLiteral("  path.")));
    // Each entry reached twice directly still opens one window.
    for (const auto& row : table) {
        (main->*row.click)();
        (main->*row.click)();
    }
    test::settle();
    EXPECT_EQ(children().size(), 4);
}

TEST_F(MainWindowTest, ReadingWindowsShowTheirTextReadOnlyAndLayItOut)
{
    auto* about = qobject_cast<frmAbout*>(main->ActiveForm());
    ASSERT_NE(about, nullptr);
    const QString text = about->txtText01->Text();
    EXPECT_EQ(text, reading::aboutText());
    EXPECT_TRUE(about->txtText01->Locked());
    about->txtText01->setFocus();
    QTest::keyClicks(about->txtText01, QStringLiteral("xyz"));
    EXPECT_EQ(about->txtText01->Text(), text);
    main->mnuTutorialAutorun->trigger();
    test::settle();
    auto* tutorial = qobject_cast<frmTuto02*>(main->ActiveForm());
    ASSERT_NE(tutorial, nullptr);
    EXPECT_EQ(tutorial->txtText01->Text(), reading::autorunTutorialText());
    EXPECT_EQ(main->ActiveControl(), tutorial->txtText01);
    // "&Window" lists both, the active one checked; choosing the other activates it, and
    // activating a reading window disables "&HTML Tags" even after it was enabled.
    QMenu* menu = main->mnuWindow->menu();
    emit menu->aboutToShow();
    QList<QAction*> listed;
    for (QAction* a : menu->actions())
        if (a->objectName().isEmpty() && !a->isSeparator())
            listed << a;
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(listed[0]->text(), QStringLiteral("&1 About  Tagwright Folio"));
    EXPECT_FALSE(listed[0]->isChecked());
    EXPECT_TRUE(listed[1]->isChecked());
    main->mnuHtml->setEnabled(true);
    listed[0]->trigger();
    test::settle();
    EXPECT_EQ(main->ActiveForm(), about);
    EXPECT_FALSE(main->mnuHtml->isEnabled());
    QTest::mouseClick(tutorial->cmdClose, Qt::LeftButton);
    test::settle();
    EXPECT_EQ(main->openWindowCount(), 1);
}

TEST_F(MainWindowTest, TutorialsMinimiseMaximiseAndLayThemselvesOutOnEveryResize)
{
    main->resize(900, 700);
    main->mnuTutorialAutorun->trigger();
    test::settle();
    auto* tutorial = qobject_cast<frmTuto02*>(main->ActiveForm());
    ASSERT_NE(tutorial, nullptr);
    const auto expectLaidOut = [&](double w, double h, const char* when) {
        SCOPED_TRACE(when);
        EXPECT_NEAR(tutorial->ScaleWidth(), w, 15);
        EXPECT_NEAR(tutorial->ScaleHeight(), h, 15);
        EXPECT_NEAR(geometry::width(tutorial->txtText01), w - 1200, 15);
        EXPECT_NEAR(geometry::height(tutorial->txtText01), h * 0.95, 15);
        EXPECT_NEAR(geometry::left(tutorial->cmdClose), w - 950, 15);
    };
    // Dragging the border does not size it, as it does the About window.
    for (ChildForm* form : {main->aboutWindow(), static_cast<ChildForm*>(tutorial)}) {
        const QSize before = form->size();
        const QPoint corner(form->width() - 2, form->height() - 2);
        const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
            QMouseEvent e(type, at, form->mapToGlobal(at), button, held, Qt::NoModifier);
            QApplication::sendEvent(form, &e);
        };
        send(QEvent::MouseMove, corner, Qt::NoButton, Qt::NoButton);
        send(QEvent::MouseButtonPress, corner, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, corner + QPoint(60, 40), Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, corner + QPoint(60, 40), Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(form->size() == before, form == tutorial) << form->Caption().toStdString();
    }

    expectLaidOut(8910, 6120, "as opened");
    // While another child is maximised, activating the tutorial or opening it anew shows it
    // maximised and laid out over the whole document area.
    main->aboutWindow()->showMaximized();
    test::settle();
    const QSize room = main->aboutWindow()->size();
    main->mdiArea()->setActiveSubWindow(tutorial);
    test::settle();
    ASSERT_TRUE(tutorial->isMaximized());
    EXPECT_EQ(tutorial->size(), room);
    expectLaidOut(tutorial->ScaleWidth(), tutorial->ScaleHeight(), "activated while maximised");
    EXPECT_GT(tutorial->ScaleWidth(), 8910 + 1000);
    tutorial->showNormal();
    test::settle();
    expectLaidOut(8910, 6120, "restored from maximised");

    tutorial->Unload();
    main->aboutWindow()->showMaximized();
    test::settle();
    main->mnuTutorialAutorun->trigger();
    test::settle();
    tutorial = qobject_cast<frmTuto02*>(main->ActiveForm());
    ASSERT_NE(tutorial, nullptr);
    EXPECT_TRUE(tutorial->isMaximized());
    EXPECT_EQ(tutorial->size(), room);
    expectLaidOut(tutorial->ScaleWidth(), tutorial->ScaleHeight(), "opened while maximised");
    tutorial->showNormal();
    test::settle();
    expectLaidOut(8910, 6120, "restored after opening maximised");
    EXPECT_TRUE(dialogs.shown().isEmpty());

    // The tutorials wear the document windows' icon; the About window the main window's.
    main->mnuNewBlank->trigger();
    test::settle();
    const auto icon = [](const QWidget* w) { return w->windowIcon().pixmap(16, 16).toImage(); };
    EXPECT_EQ(icon(tutorial), icon(main->ActiveForm()));
    EXPECT_NE(icon(tutorial), icon(main->aboutWindow()));
    EXPECT_EQ(icon(main->aboutWindow()), icon(main));
}

TEST_F(MainWindowTest, CascadeAndArrangeIconsKeepEveryWindowsSize)
{
    main->resize(1000, 760);
    main->mnuTutorialAutorun->trigger();
    main->mnuAC->trigger();
    main->mnuHelp->trigger();
    test::settle();
    ASSERT_EQ(children().size(), 4);
    main->aboutWindow()->resize(420, 260);
    const auto sizes = [&] {
        QList<QSize> list;
        for (ChildForm* f : children())
            list << f->size();
        return list;
    };
    const QList<QSize> before = sizes();

    main->mnuCascade->trigger();
    test::settle();
    EXPECT_EQ(sizes(), before);
    // Each window lies below and right of the one before it in the cascade.
    QList<ChildForm*> stack = children();
    std::sort(stack.begin(), stack.end(), [](ChildForm* a, ChildForm* b) { return a->y() < b->y(); });
    for (int i = 1; i < stack.size(); ++i) {
        EXPECT_GT(stack[i]->x(), stack[i - 1]->x());
        EXPECT_GT(stack[i]->y(), stack[i - 1]->y());
    }

    // Arrange Icons moves the minimised windows' icons to the bottom and nothing else.
    ChildForm* tutorial = main->autorunTutorialWindow();
    ChildForm* tool = main->colourToolWindow();
    tutorial->showMinimized();
    tool->showMinimized();
    test::settle();
    const QRect aboutPlace = main->aboutWindow()->geometry();
    const QRect htmlPlace = main->htmlTutorialWindow()->geometry();
    main->mnuArrange->trigger();
    test::settle();
    const int bottom = main->mdiArea()->viewport()->height();
    for (ChildForm* icon : {tutorial, tool}) {
        EXPECT_TRUE(icon->isMinimized());
        EXPECT_EQ(icon->geometry().bottom() + 1, bottom);
    }
    EXPECT_EQ(main->aboutWindow()->geometry(), aboutPlace);
    EXPECT_EQ(main->htmlTutorialWindow()->geometry(), htmlPlace);
    tutorial->showNormal();
    tool->showNormal();
    test::settle();
    EXPECT_EQ(sizes(), before);
}

TEST_F(MainWindowTest, EditTargetRuleAdmitsTheAboutTextAndRefusesWithoutAChild)
{
    auto* about = qobject_cast<frmAbout*>(main->ActiveForm());
    ASSERT_NE(about, nullptr);
    about->txtText01->setFocus();
    EXPECT_EQ(main->ActiveControl(), about->txtText01);
    EXPECT_TRUE(main->HasEditTarget());
    about->txtText01->setSelStart(2);
    about->txtText01->setSelLength(9);
    main->mnuCopy->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Tagwright"));

    closeAllChildren();
    EXPECT_FALSE(main->HasEditTarget());
    for (QAction* a : {main->mnuCopy, main->mnuCut, main->mnuPaste, main->mnuFindOnOff}) {
        dialogs.clear();
        a->trigger();
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_EQ(dialogs.last(), test::msgBox(a == main->mnuFindOnOff ? kRefusal
                  : QStringLiteral("The copy, cut and paste activities are not allowed for this instance !")));
    }
}

TEST_F(MainWindowTest, SetFontOpensTheRealDialogOnTheFaceShownAndOkWithoutAChangeKeepsTheFont)
{
    auto* about = qobject_cast<frmAbout*>(main->ActiveForm());
    ASSERT_NE(about, nullptr);
    const QFont start = about->txtText01->font();
    ASSERT_EQ(start.family(), QStringLiteral("MS Sans Serif"));
    ASSERT_EQ(start.pointSizeF(), 9.75);
    const QString shownFamily = QFontInfo(start).family();
    ASSERT_NE(shownFamily, start.family());

    QtCommonDialogBackend real;
    main->CommonDialog1.setBackend(&real);
    // Each row: the size typed into the dialog (none: OK at once), then the font expected.
    const struct {
        QString typedSize;
        double points;
    } table[] = {{QString(), 9.75}, {QStringLiteral("12"), 12}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.typedSize.toStdString());
        QFont opened;
        QTimer poll;
        poll.start(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dlg = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            poll.stop();
            opened = dlg->currentFont();
            if (!row.typedSize.isEmpty()) {
                for (QLineEdit* edit : dlg->findChildren<QLineEdit*>()) {
                    if (qobject_cast<const QIntValidator*>(edit->validator())) {
                        edit->selectAll();
                        QTest::keyClicks(edit, row.typedSize);
                    }
                }
            }
            dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        about->txtText01->setFont(start);
        main->mnuSetFont->trigger();
        EXPECT_EQ(opened.family(), shownFamily);
        EXPECT_EQ(opened.pointSize(), 10);  // the dialog offers whole points
        const QFont now = about->txtText01->font();
        EXPECT_EQ(now.family(), start.family());
        EXPECT_EQ(now.pointSizeF(), row.points);
        EXPECT_EQ(now.weight(), start.weight());
        EXPECT_EQ(now.italic(), start.italic());
        EXPECT_EQ(now.underline(), start.underline());
        EXPECT_EQ(now.strikeOut(), start.strikeOut());
    }
    main->CommonDialog1.setBackend(&files);
}

TEST_F(MainWindowTest, F1OpensTheHelpFileUnderEitherNameElseTheHelpBookElseSaysWhatIsMissing)
{
    const QString chm = QStringLiteral("tutorial_01.chm"), capital = QStringLiteral("Tutorial_01.chm"),
                  book = QStringLiteral("tagwright-folio-help.html");
    EXPECT_EQ(help::helpFile(), path(chm));
    struct Row {
        QStringList present, refusedByTheDesktop, tried;
        bool message;
    };
    const Row table[] = {
        {{}, {}, {}, true},
        {{capital}, {}, {capital}, false},
        {{chm, capital, book}, {}, {chm}, false},
        {{book}, {}, {book}, false},
        {{capital, book}, {capital}, {capital, book}, false},  // no viewer for the help file
        {{chm}, {chm}, {chm}, true},
    };
    for (const Row& row : table) {
        for (const QString& name : {chm, capital, book})
            QFile::remove(path(name));
        for (const QString& name : row.present) {
            QFile file(path(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        QStringList tried;
        help::setUrlOpenerForTesting([&](const QUrl& u) {
            tried << u.fileName();
            return !row.refusedByTheDesktop.contains(u.fileName());
        });
        dialogs.clear();
        QTest::keyClick(main->ActiveForm()->focusWidget(), Qt::Key_F1);
        EXPECT_EQ(tried, row.tried) << row.present.join(' ').toStdString();
        ASSERT_EQ(dialogs.shown().size(), row.message ? 1 : 0) << row.present.join(' ').toStdString();
        if (row.message) {
            EXPECT_TRUE(dialogs.last().prompt.contains(path(chm)));
            EXPECT_EQ(dialogs.last().prompt.contains(path(book)), row.present.isEmpty());
        }
    }
    help::setUrlOpenerForTesting(nullptr);
}

TEST_F(MainWindowTest, AFailedCommandIsReportedOutOfMemoryTooUnlessItExpectsTheFailure)
{
    EXPECT_FALSE(guarded([] { throw std::bad_alloc(); }));
    EXPECT_FALSE(guarded([] { throw RuntimeError::fromNumber(61); }, dialogCancelled));
    EXPECT_FALSE(guarded([] { throw RuntimeError::cancelled(); }, dialogCancelled));
    const QString report = QStringLiteral("Some error occurred !\r\n\r\nError no. :  %1\r\nError description :  %2\r\n"
                                          "Source of error :   TagwrightFolio");
    EXPECT_EQ(dialogs.prompts(), QStringList({report.arg(7).arg(QStringLiteral("Out of memory")), report.arg(61).arg(QStringLiteral("Disk full"))}));
}
