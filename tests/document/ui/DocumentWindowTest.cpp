// The document window itself: tab order, layout on resize, activation and every route
// through the closing question.
#include "DocumentTest.h"

#include "platform/ui/Geometry.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QMessageBox>
#include <QTimer>

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

TEST_F(DocumentTest, ActivationSetsTheFindToggleCaptionAndTheHtmlMenu)
{
    frmTf* page = open(put(QStringLiteral("page.htm"), "<p>\r\n"));
    frmTf* notes = open(put(QStringLiteral("notes.txt"), "x\r\n"));
    EXPECT_FALSE(main->mnuHtml->isEnabled());
    main->mnuFindOnOff->trigger();  // hides the notes' panel
    settle();
    for (int round = 0; round < 2; ++round) {
        main->mdiArea()->setActiveSubWindow(page);
        settle();
        EXPECT_EQ(main->mnuFindOnOff->text(), QStringLiteral("Hide Fi&nd Dialogue"));
        EXPECT_TRUE(main->mnuHtml->isEnabled());
        main->mdiArea()->setActiveSubWindow(notes);
        settle();
        EXPECT_EQ(main->mnuFindOnOff->text(), QStringLiteral("Show Fi&nd Dialogue"));
        EXPECT_FALSE(main->mnuHtml->isEnabled());
    }
}

TEST_F(DocumentTest, ClosingQuestionOnANamedDocument)
{
    const qint16 before = main->intOw;
    // Unchanged: no question, the counter goes back.
    frmTf* f = open(put(QStringLiteral("a.txt"), "abc"));
    click(f->cmdClose);
    settle();
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(main->intOw, before);

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
        EXPECT_EQ(dialogs.last().prompt, QStringLiteral("Do you want to save this file ?"));
        EXPECT_EQ(dialogs.last().title, QStringLiteral("Text is changed !"));
        EXPECT_EQ(dialogs.last().buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(dialogs.last().defaultButton, 3);
        EXPECT_EQ(files.shown().size(), fileDialogs);
        EXPECT_EQ(bytesOf(p), r.file);
        EXPECT_EQ(children().contains(f), !r.closes);
        if (!r.closes) {
            EXPECT_TRUE(f->TextChanged);
            EXPECT_EQ(main->intOw, before + 1);
            f->TextChanged = false;
            f->Unload();
            settle();
        }
    }
    EXPECT_EQ(main->intOw, before);

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
    const qint16 before = main->intOw;
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
    EXPECT_EQ(main->intOw, before);
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
