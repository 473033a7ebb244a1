// The document window itself: tab order, layout on resize, activation and every route
// through the closing question.
#include "DocumentTest.h"

#include "platform/ui/Geometry.h"

#include <QApplication>
#include <QGroupBox>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include <memory>

using namespace folio;
using namespace folio::test;

TEST_F(DocumentTest, TabVisitsTheControlsInOrderSkippingTheHiddenButton)
{
    frmTf* f = blank();
    main->activateWindow();
    f->cmdClose->setFocus();
    settle();
    ASSERT_EQ(QApplication::focusWidget(), f->cmdClose);
    const QList<QWidget*> expected{f->cmdSave,   f->cmdSaveas,      f->cboCombo01[0], f->cmdFindFirst, f->cmdFindNext,
                                   f->cboCombo01[1], f->cmdReplace, f->cmdCS,        f->txtText01};
    QList<QWidget*> seen;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << f->focusWidget();
    }
    EXPECT_EQ(seen, expected);
}

TEST_F(DocumentTest, LayoutFollowsTheWindowSizeAndHidingThePanelKeepsTheTextHeight)
{
    frmTf* f = blank();
    f->setClientSize(9900, 7200);
    settle();
    const double w = f->ScaleWidth(), h = f->ScaleHeight();
    EXPECT_NEAR(geometry::width(f->txtText01), w - 1200, 15);
    EXPECT_NEAR(geometry::height(f->txtText01), h - 1500, 15);
    EXPECT_NEAR(geometry::left(f->cmdSaveas), w - 950, 15);
    EXPECT_NEAR(geometry::top(f->fraFrame01), h - 1200, 15);
    EXPECT_NEAR(geometry::left(f->cmdCS), geometry::width(f->fraFrame01) - 1075, 15);

    const double textHeight = geometry::height(f->txtText01);
    main->mnuFindOnOff->trigger();
    settle();
    ASSERT_TRUE(f->fraFrame01->isHidden());
    f->setClientSize(9900, 7200);
    settle();
    EXPECT_EQ(geometry::height(f->txtText01), textHeight);
}

TEST_F(DocumentTest, ClosingQuestionOnANamedDocument)
{
    const qint16 before = main->openWindowCount();
    // Unchanged: no question, the counter goes back.
    frmTf* f = open(put(QStringLiteral("a.txt"), "abc"));
    click(f->cmdClose);
    settle();
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(main->openWindowCount(), before);

    const struct { MsgAnswer answer; bool closes; QByteArray file; } routes[] = {
        {MsgAnswer::Cancel, false, "old\r\n"},
        {MsgAnswer::No, true, "old\r\n"},
        {MsgAnswer::Yes, true, "\r\nnew\r\n"},  // written in place, no dialog
    };
    for (const auto& r : routes) {
        SCOPED_TRACE(int(r.answer));
        const QString p = put(QStringLiteral("named.txt"), "old\r\n");
        f = open(p);
        f->txtText01->setText(QStringLiteral("\r\nnew"));
        dialogs.clear();
        const int fileDialogs = files.shown().size();
        dialogs.answer(r.answer);
        EXPECT_EQ(f->Unload(), r.closes);
        settle();
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_EQ(dialogs.last(), msgBox(QStringLiteral("Do you want to save this file ?"),
                                         QStringLiteral("Text is changed !"), MsgButtons::YesNoCancel, MsgIcon::Question, 3));
        EXPECT_EQ(files.shown().size(), fileDialogs);
        EXPECT_EQ(bytesOf(p), r.file);
        EXPECT_EQ(children().contains(f), !r.closes);
        if (!r.closes) {
            EXPECT_TRUE(f->TextChanged);
            EXPECT_EQ(main->openWindowCount(), before + 1);
            f->TextChanged = false;
            f->Unload();
            settle();
        }
    }
    EXPECT_EQ(main->openWindowCount(), before);

    // The real message box: Enter chooses its default, Cancel.
    f = blank(QStringLiteral("draft"));
    Dialogs::install(nullptr);
    QString shownText;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shownText = box->text();
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    const bool closed = f->Unload();
    Dialogs::install(&dialogs);
    EXPECT_EQ(shownText, QStringLiteral("Do you want to save this file ?"));
    EXPECT_FALSE(closed);
    EXPECT_TRUE(f->TextChanged);
}

TEST_F(DocumentTest, YesOnANewDocumentClosesOnlyOnceTheTextIsWritten)
{
    const qint16 before = main->openWindowCount();
    frmTf* f = blank(QStringLiteral("draft"));
    dialogs.answer(MsgAnswer::Yes);
    files.cancel();
    ASSERT_FALSE(f->Unload());
    EXPECT_TRUE(f->TextChanged);

    // Cancel in the overwrite-or-append question: nothing written, the name not taken.
    const QString p = path(QStringLiteral("draft.txt"));
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::Cancel);
    files.choose(p);
    ASSERT_FALSE(f->Unload());
    settle();
    EXPECT_TRUE(dialogs.last().prompt.startsWith(QStringLiteral("If an existing file is selected, \r\n")));
    EXPECT_FALSE(QFile::exists(p));
    EXPECT_TRUE(f->FilePath.isEmpty());
    EXPECT_EQ(f->Caption(), QStringLiteral("Untitled"));
    EXPECT_EQ(f->txtText01->Text(), QStringLiteral("draft"));
    EXPECT_TRUE(f->TextChanged);

    // No (append) creates the file, and the window closes.
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::No);
    files.choose(p);
    EXPECT_TRUE(f->Unload());
    settle();
    EXPECT_EQ(bytesOf(p), QByteArray("draft\r\n"));
    EXPECT_EQ(main->openWindowCount(), before);
}

TEST_F(DocumentTest, ClosingTheMainWindowStopsAtAChangedDocumentThatIsNotSaved)
{
    frmTf* f = blank(QStringLiteral("draft"));
    // Quit? Yes. Save? Yes, save dialog cancelled / Save? Cancel: the program goes on.
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::Yes);
    files.cancel();
    main->mnuExit->trigger();
    settle();
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::Cancel);
    main->mnuExit->trigger();
    settle();
    EXPECT_EQ(programEnds, 0);
    EXPECT_EQ(active(), f);
    EXPECT_GE(children().size(), 2);  // the About window stays too

    // Quit? Yes. Save? Yes, written under a new name: the program ends.
    const QString p = path(QStringLiteral("final.txt"));
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::Yes).answer(MsgAnswer::Yes);
    files.choose(p);
    main->mnuExit->trigger();
    settle();
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(bytesOf(p), QByteArray("draft\r\n"));
}

// The text box's own undo and redo (Ctrl+Z, Ctrl+Y and its context menu) take back typing and
// a tag command alike, in every document window however it was made, and after a save.
TEST_F(DocumentTest, UndoAndRedoWorkInEveryDocumentWindowAndAfterASave)
{
    const QString named = put(QStringLiteral("named.htm"), "x\r\n");
    frmTf* const windows[] = {blank(), open(path(QStringLiteral("absent.txt"))), open(named)};
    for (frmTf* f : windows) {
        ASSERT_NE(f, nullptr);
        SCOPED_TRACE(f->Caption().toStdString());
        main->mdiArea()->setActiveSubWindow(f);
        settle();
        TextBox* t = f->txtText01;
        t->setFocus();
        t->setSelStart(t->TextLength());
        const QString before = t->Text();
        QTest::keyClicks(t, QStringLiteral("ab"));
        main->mnuBold->trigger();
        const QString tagged = before + QStringLiteral("ab<b>  </b>");
        ASSERT_EQ(t->Text(), tagged);
        const std::unique_ptr<QMenu> menu(t->createStandardContextMenu());
        const QAction* undoEntry = menu->findChild<QAction*>(QStringLiteral("edit-undo"));
        ASSERT_NE(undoEntry, nullptr);
        EXPECT_TRUE(undoEntry->isEnabled());

        QTest::keyClick(t, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(t->Text(), before + QStringLiteral("ab"));
        QTest::keyClick(t, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(t->Text(), before);
        QTest::keyClick(t, Qt::Key_Y, Qt::ControlModifier);
        QTest::keyClick(t, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(t->Text(), tagged);

        // Saved (the new document under a name of its own), then typed on at the start: undo
        // goes back past the save.
        if (f->FilePath.isEmpty()) {
            dialogs.answer(MsgAnswer::Yes);
            files.choose(path(QStringLiteral("blank.txt")));
        }
        click(f->cmdSave);
        ASSERT_FALSE(f->TextChanged);
        t->setFocus();
        t->setSelStart(0);
        QTest::keyClicks(t, QStringLiteral("c"));
        ASSERT_EQ(t->Text(), QStringLiteral("c") + tagged);
        QTest::keyClick(t, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(t->Text(), tagged);
        QTest::keyClick(t, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(t->Text(), before + QStringLiteral("ab"));
    }
}
