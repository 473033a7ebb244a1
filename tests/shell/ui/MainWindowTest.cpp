// The main window: menu bar, closing question, the Application and Window menus, reading
// windows, F1, the refusals without a child and the report of a failed command, and what a
// screen reader announces for the controls a user can reach with the keyboard.
#include "support/MainWindowTest.h"

#include "platform/ui/Help.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/TextBox.h"
#include "reading/logic/ReadingTexts.h"
#include "reading/ui/TutorialForm.h"
#include "reading/ui/frmAbout.h"
#include "shared/ui/Guarded.h"

#include <QAccessible>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QLabel>
#include <QLineEdit>

using namespace folio;
using test::MainWindowTest;

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
    QStringList seen, readOut;
    std::function<void(const QString&, QWidget*)> walk = [&](const QString& title, QWidget* holder) {
        QStringList captions;
        const QList<QAction*> actions = holder->actions();
        for (int i = 0; i < actions.size(); ++i) {
            QAction* a = actions[i];
            if (a->objectName().isEmpty())
                continue;  // the live window list
            captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
            EXPECT_TRUE(a->shortcut().isEmpty()) << a->text().toStdString();
            // A screen reader reads the caption without its access-key markers.
            const QString name = QAccessible::queryAccessibleInterface(holder)->child(i)->text(QAccessible::Name);
            if (!a->isSeparator() && (name.contains(QLatin1Char('&')) || name.size() != a->text().size() - a->text().count('&')))
                readOut << name;
        }
        seen << title + QStringLiteral(": ") + captions.join(QStringLiteral(" | "));
        for (QAction* a : actions)
            if (a->menu() && !a->objectName().isEmpty())
                walk(a->text(), a->menu());
    };
    walk(QStringLiteral("bar"), main->menuBar());
    EXPECT_TRUE(readOut.isEmpty()) << readOut.join(" | ").toStdString();
    EXPECT_EQ(seen, expected);
}

// With a child open, quitting asks and No keeps everything; "&Close Active File" with none
// says so, and quitting then asks nothing.
TEST_F(MainWindowTest, QuittingAsksOnlyWhileAChildIsOpen)
{
    dialogs.answer(MsgAnswer::No);
    main->mnuExit->trigger();
    test::settle();
    EXPECT_EQ(dialogs.last(), test::msgBox(QStringLiteral("Some modules are still open. Do you really wnat to quit "
                                                          "this application ?"),
                                           QStringLiteral("Please confirm"), MsgButtons::YesNo, MsgIcon::Question, 2));
    EXPECT_EQ(std::pair(children().size(), programEnds), std::pair(qsizetype(1), 0));
    main->mnuClose->trigger();  // the About window
    test::settle();
    main->mnuClose->trigger();
    EXPECT_EQ(dialogs.last(), test::msgBox(QStringLiteral("No file is available to close !")));
    main->close();
    test::settle();
    EXPECT_EQ(std::tuple(dialogs.shown().size(), programEnds, main.isNull()), std::tuple(qsizetype(2), 1, true));
}

// The Application entries open their windows, which "&Window" lists under their captions in
// order, the active one checked; choosing one activates it. Reading texts are read-only, and
// "&Help" names the program folder. (That each window opens once and its entry follows it is
// the random session's invariant.) Then what a screen reader announces in every window.
TEST_F(MainWindowTest, ApplicationEntriesOpenTheirWindowsWhichTheWindowMenuListsAndAScreenReaderNames)
{
    auto* about = qobject_cast<frmAbout*>(main->ActiveForm());
    ASSERT_NE(about, nullptr);
    about->txtText01->setFocus();
    QTest::keyClicks(about->txtText01, QStringLiteral("xyz"));
    EXPECT_EQ(about->txtText01->Text(), reading::aboutText());
    for (QAction* entry : {main->mnuHelp, main->mnuAC, main->mnuTutorialAutorun})
        entry->trigger();
    test::settle();
    auto* tutorial = qobject_cast<frmTuto02*>(main->ActiveForm());
    ASSERT_NE(tutorial, nullptr);
    EXPECT_EQ(main->ActiveControl(), tutorial->txtText01);
    QMenu* menu = main->mnuWindow->menu();
    emit menu->aboutToShow();
    QStringList listed;
    QList<QAction*> entries;
    for (QAction* a : menu->actions())
        if (a->objectName().isEmpty() && !a->isSeparator()) {
            listed << a->text() + (a->isChecked() ? QStringLiteral(" (checked)") : QString());
            entries << a;
        }
    EXPECT_EQ(listed, QStringList({"&1 About  Tagwright Folio", "&2 Tutorial on HTML Tags", "&3 RGB and ASCII Functions",
                                   "&4 Tutorial on Autorun.inf File (checked)"}));
    entries.value(0)->trigger();
    test::settle();
    EXPECT_EQ(main->ActiveForm(), about);
    about->txtText01->setFocus();
    QTest::keyClick(about->txtText01, Qt::Key_Tab);   // Tab moves on from a reading window's text, here to itself
    EXPECT_EQ(QApplication::focusWidget(), about->txtText01);
    EXPECT_FALSE(main->mnuTutorialHTML->isVisible());
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.last().prompt.endsWith(QStringLiteral("from  ") + folder.path() + QStringLiteral("  path.")));

    // Every visible control of these windows and of a document that takes the keyboard focus (a
    // combo box's edit field included: the focus passes to it) has a name a screen reader can
    // read, not empty and without an access-key marker.
    main->mnuNewBlank->trigger();
    QStringList found;
    for (QMdiSubWindow* window : main->mdiArea()->subWindowList())
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(window) || w->focusPolicy() == Qt::NoFocus)
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            const QString name = a ? a->text(QAccessible::Name) : QString();
            if (name.trimmed().isEmpty() || name.contains(QLatin1Char('&')))
                found << QStringLiteral("%1 %2 '%3'").arg(w->metaObject()->className(), w->objectName(), name);
        }
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1String("; ")).toStdString();
}

// F1 opens the help file, else the same name with a capital, else the help book in the help
// window, driven here from the keyboard; when none is there, or no viewer takes the help file
// and there is no book, it says so.
TEST_F(MainWindowTest, F1OpensTheHelpFileUnderEitherNameElseTheHelpBookElseSaysWhatIsMissing)
{
    const QString chm = QStringLiteral("tutorial_01.chm"), capital = QStringLiteral("Tutorial_01.chm"),
                  book = QStringLiteral("tagwright-folio-help.html");
    const struct { QStringList present, refusedByTheDesktop, tried; bool message, window; } table[] = {
        {{}, {}, {}, true, false},
        {{chm, capital, book}, {}, {chm}, false, false},
        {{capital, book}, {capital}, {capital}, false, true},  // no viewer for the help file
        {{chm}, {chm}, {chm}, true, false},
    };
    for (const auto& row : table) {
        for (const QString& name : {chm, capital, book})
            QFile::remove(path(name));
        for (const QString& name : row.present)
            QFile(path(name)).open(QIODevice::WriteOnly);
        QStringList tried;
        help::setUrlOpenerForTesting([&](const QUrl& u) {
            tried << u.fileName();
            return !row.refusedByTheDesktop.contains(u.fileName());
        });
        dialogs.clear();
        QTest::keyClick(main->ActiveForm()->focusWidget(), Qt::Key_F1);
        SCOPED_TRACE(row.present.join(' ').toStdString());
        EXPECT_EQ(tried, row.tried);
        EXPECT_EQ(HelpWindow::current() != nullptr, row.window);
        if (HelpWindow::current())
            HelpWindow::current()->close();
        test::settle();
        ASSERT_EQ(dialogs.shown().size(), row.message ? 1 : 0);
        EXPECT_TRUE(!row.message || (dialogs.last().prompt.contains(path(chm)) &&
                                     dialogs.last().prompt.contains(path(book)) == row.present.isEmpty()));
    }

    // With no help file, F1 shows the book in the program's own window, once: its links, Back and
    // Forward, and Find that goes round the end, all from the keyboard; Esc leaves Find, then the window.
    QFile::remove(path(chm));
    QFile file(path(book));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><head><title>Book</title></head><body><p><a href=\"#two\">To two</a></p><p>alpha one</p>"
               "<p>alpha two</p><h2 id=\"two\">Two</h2></body></html>");
    file.close();
    help::setUrlOpenerForTesting([](const QUrl&) { ADD_FAILURE(); return true; });
    QTest::keyClick(main->ActiveForm()->focusWidget(), Qt::Key_F1);
    HelpWindow* help = HelpWindow::current();
    ASSERT_NE(help, nullptr);
    QTest::keyClick(help->browser, Qt::Key_F1);
    EXPECT_EQ(HelpWindow::current(), help);
    EXPECT_TRUE(help->windowTitle() == QStringLiteral("Book") && help->browser->toPlainText().startsWith(QStringLiteral("To two\nalpha one")));
    QApplication::setActiveWindow(help);
    help->browser->setFocus();
    QTest::keyClick(help->browser, Qt::Key_Tab);
    QTest::keyClick(help->browser, Qt::Key_Return);
    EXPECT_EQ(help->browser->source().fragment(), QStringLiteral("two"));
    QTest::keyClick(help->browser, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(std::pair(help->browser->source().fragment(), help->cmdForward->isEnabled()), std::pair(QString(), true));
    QTest::keyClick(help->browser, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(help->browser->source().fragment(), QStringLiteral("two"));

    QTest::keyClick(help->browser, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(help->txtFind->hasFocus());
    QTest::keyClicks(help->txtFind, QStringLiteral("Alpha"));
    QList<int> found;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(help->txtFind, Qt::Key_Return);
        found << help->browser->textCursor().selectionStart();
    }
    EXPECT_EQ(help->browser->textCursor().selectedText(), QStringLiteral("alpha"));
    QTest::keyClick(help->txtFind, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(found << help->browser->textCursor().selectionStart(), QList<int>({7, 17, 7, 17}));
    QTest::keyClicks(help->txtFind, QStringLiteral("zz"));
    QTest::keyClick(help->txtFind, Qt::Key_Return);
    EXPECT_EQ(std::pair(help->lblFindResult->text(), help->browser->textCursor().selectionStart()),
              std::pair(QStringLiteral("Not found"), 17));
    QTest::keyClick(help->txtFind, Qt::Key_Escape);
    EXPECT_TRUE(help->browser->hasFocus());
    QTest::keyClick(help->browser, Qt::Key_Escape);
    test::settle();
    EXPECT_EQ(HelpWindow::current(), nullptr);
    help::setUrlOpenerForTesting(nullptr);
}

// With no child every clipboard command and the find-panel toggle is refused with its own
// text; a failed command is reported, out of memory too, unless it expects the failure.
TEST_F(MainWindowTest, CommandsWithoutAChildAreRefusedAndAFailedCommandIsReported)
{
    closeAllChildren();
    EXPECT_FALSE(main->HasEditTarget());
    for (QAction* a : {main->mnuCopy, main->mnuCut, main->mnuPaste, main->mnuFindOnOff})
        a->trigger();
    EXPECT_FALSE(guarded([] { throw std::bad_alloc(); }));
    for (const RuntimeError& e : {RuntimeError::fromNumber(61), RuntimeError::notSupported(), RuntimeError::cancelled()})
        EXPECT_FALSE(guarded([&] { throw e; }, dialogCancelled));
    const QString clip = QStringLiteral("The copy, cut and paste activities are not allowed for this instance !");
    const QString refusal = QStringLiteral("This activity is not allowed for this instance !");
    const QString report = QStringLiteral("Some error occurred !\r\n\r\nError no. :  %1\r\nError description :  %2\r\n"
                                          "Source of error :   TagwrightFolio");
    EXPECT_EQ(dialogs.prompts(), QStringList({clip, clip, clip, refusal, report.arg(7).arg(QStringLiteral("Out of memory")),
                                              report.arg(61).arg(QStringLiteral("Disk full")), refusal}));
}

// "Set &Font" and "Set C&olour" start from the active window's text and change its text box
// alone, each style of the font dialog in its own property, on a reading window as on a
// document; with the colour tool (no such box) or no child active they end before any dialog,
// silently. The find-panel toggle is refused wherever there is no find panel, and its caption stays.
TEST_F(MainWindowTest, FontAndColourGoToTheActiveTextOnlyAndThePanelToggleToADocumentOnly)
{
    auto* about = qobject_cast<frmAbout*>(main->ActiveForm());
    ASSERT_NE(about, nullptr);
    const QFont before = about->txtText01->font(), form = about->font();
    const QColor white = about->txtText01->palette().color(QPalette::Base);
    main->mnuNewBlank->trigger();
    main->mnuFindOnOff->trigger();
    ChildForm* other = main->ActiveForm();
    main->mdiArea()->setActiveSubWindow(about);
    test::settle();
    ASSERT_TRUE(main->ActiveForm() == about && other && other != about);
    const auto otherText = std::pair(other->textBox()->font(), other->textBox()->palette().color(QPalette::Base));
    files.chooseFont({QStringLiteral("DejaVu Serif"), 24, true, false, true, false}).chooseColor(RGB(10, 20, 30));
    for (QAction* a : {main->mnuSetFont, main->mnuColour, main->mnuFindOnOff})
        a->trigger();
    const QFont f = about->txtText01->font();
    EXPECT_EQ(std::tuple(f.family(), f.pointSizeF(), f.bold(), f.italic(), f.strikeOut(), f.underline(),
                         about->txtText01->palette().color(QPalette::Base)),
              std::tuple(QStringLiteral("DejaVu Serif"), 24.0, true, false, true, false, QColor(10, 20, 30)));  // 24: outside 8..20, still taken
    const auto& shown = files.shown();
    EXPECT_EQ(std::tuple(shown[0].title, shown[0].minSize, shown[0].maxSize, shown[0].font.name, shown[0].font.size, shown[1].title,
                         shown[1].colour),
              std::tuple(QStringLiteral("Set Font for the Text"), 8, 20, before.family(), float(before.pointSizeF()),
                         QStringLiteral("Select a colour"), RGB(white.red(), white.green(), white.blue())));
    EXPECT_EQ(std::tuple(other->textBox()->font(), other->textBox()->palette().color(QPalette::Base), about->font()),
              std::tuple(otherText.first, otherText.second, form));
    main->mnuAC->trigger();
    test::settle();
    ASSERT_TRUE(main->ActiveForm() && main->ActiveForm()->inherits("folio::frmRgbAscii"));
    for (int round = 0; round < 2; ++round) {
        for (QAction* a : {main->mnuSetFont, main->mnuColour, main->mnuFindOnOff})
            a->trigger();
        closeAllChildren();
    }
    EXPECT_EQ(files.shown().size(), 2);
    EXPECT_EQ(std::pair(dialogs.prompts(), main->mnuFindOnOff->text()),
              std::pair(QStringList(3, QStringLiteral("This activity is not allowed for this instance !")), QStringLiteral("Show Fi&nd Dialogue")));
}
