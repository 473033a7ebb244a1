// The document window itself: tab order, layout on resize, undo, and every route through the
// closing question.
#include "DocumentTest.h"

#include "platform/ui/Geometry.h"

#include <QApplication>
#include <QMenu>
#include <QPointer>

#include <memory>

using namespace folio;
using namespace folio::test;

// Tab visits the controls in order, skipping the hidden button. (The layout's figures are the
// layout suite's.)
TEST_F(DocumentTest, TabOrderAndLayoutOnResize)
{
    frmTf* f = blank();
    main->activateWindow();
    f->cmdClose->setFocus();
    settle();
    const QList<QWidget*> expected{f->cmdSave,      f->cmdSaveas,  f->cboCombo01[0], f->cmdFindFirst, f->cmdFindNext,
                                   f->cboCombo01[1], f->cmdReplace, f->cmdCS,        f->txtText01};
    QList<QWidget*> seen;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << f->focusWidget();
    }
    EXPECT_EQ(seen, expected);

    // Resizing lays the window out; hiding the panel keeps the text's height.
    f->setClientSize(9900, 7200);
    settle();
    EXPECT_NEAR(geometry::width(f->txtText01), f->ScaleWidth() - 1200, 15);
    const QRect text = f->txtText01->geometry();
    main->mnuFindOnOff->trigger();
    f->setClientSize(9900, 7200);
    settle();
    EXPECT_EQ(f->txtText01->geometry(), text);
    f->setClientSize(1200, 1500);  // exactly no room: the controls take a valid size of nothing
    settle();
    EXPECT_EQ(f->txtText01->size(), QSize(0, 0));
}

// Closing a changed named document asks; Cancel keeps it, No closes without writing, Yes
// writes in place with no dialog. Unchanged, it closes without a question.
TEST_F(DocumentTest, ClosingQuestionOnANamedDocument)
{
    const qint16 before = main->openWindowCount();
    click(open(put(QStringLiteral("a.txt"), "abc"))->cmdClose);
    settle();
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(main->openWindowCount(), before);
    const struct { MsgAnswer answer; bool closes; QByteArray file; } routes[] = {
        {MsgAnswer::Cancel, false, "old\r\n"}, {MsgAnswer::No, true, "old\r\n"}, {MsgAnswer::Yes, true, "\r\nnew\r\n"}};
    for (const auto& r : routes) {
        SCOPED_TRACE(int(r.answer));
        const QString p = put(QStringLiteral("named.txt"), "old\r\n");
        frmTf* f = open(p);
        f->txtText01->setText(QStringLiteral("\r\nnew"));
        dialogs.clear();
        const int fileDialogs = files.shown().size();
        dialogs.answer(r.answer);
        EXPECT_EQ(f->Unload(), r.closes);
        settle();
        EXPECT_EQ(dialogs.shown(), QList{msgBox(QStringLiteral("Do you want to save this file ?"), QStringLiteral("Text is changed !"),
                                                MsgButtons::YesNoCancel, MsgIcon::Question, 3)});
        EXPECT_EQ(files.shown().size(), fileDialogs);
        EXPECT_EQ(bytesOf(p), r.file);
        EXPECT_EQ(main->openWindowCount(), before + (r.closes ? 0 : 1));
        if (!r.closes) {
            EXPECT_TRUE(f->TextChanged);
            f->TextChanged = false;
            f->Unload();
            settle();
        }
    }
}

// Yes on a new document closes it, or lets the program end, only once the text is written:
// not when the save dialog or the overwrite-or-append question is cancelled, nor on Cancel to
// the closing question. Each row: through quitting or closing the window, the answers given,
// what the save dialog gives (if it shows), then whether the program ended and the file.
TEST_F(DocumentTest, YesOnANewDocumentClosesOnlyOnceTheTextIsWritten)
{
    const QPointer<frmTf> f = blank(QStringLiteral("draft"));
    const QString p = path(QStringLiteral("draft.txt"));
    using A = MsgAnswer;
    enum SaveDialog { NotShown, Cancelled, Named };
    const struct { bool quit; std::vector<A> answers; SaveDialog dialog; bool ends; QByteArray file; } rows[] = {
        {false, {A::Yes}, Cancelled, false, "<missing>"},
        {false, {A::Yes, A::Cancel}, Named, false, "<missing>"},
        {true, {A::Yes, A::Yes}, Cancelled, false, "<missing>"},
        {true, {A::Yes, A::Cancel}, NotShown, false, "<missing>"},
        {true, {A::Yes, A::Yes, A::No}, Named, true, "draft\r\n"},  // No appends, here to a new file
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        ASSERT_FALSE(f.isNull());
        for (A a : r.answers)
            dialogs.answer(a);
        if (r.dialog != NotShown)
            r.dialog == Named ? files.choose(p) : files.cancel();
        if (r.quit)
            main->mnuExit->trigger();
        else
            EXPECT_FALSE(f->Unload());
        settle();
        EXPECT_EQ(programEnds, r.ends ? 1 : 0);
        EXPECT_EQ(bytesOf(p), r.file);
        EXPECT_EQ(dialogs.pendingAnswers() + files.pendingAnswers(), 0);
        if (r.ends) {
            EXPECT_TRUE(f.isNull());  // the window went with the program; its file is checked above
            continue;
        }
        EXPECT_EQ(f->FilePath, QString());  // a name declined is not taken
        EXPECT_EQ(f->Caption(), QStringLiteral("Untitled"));
    }
}

// The text box's own undo and redo (Ctrl+Z, Ctrl+Y and its context menu) take back typing and
// a tag command alike, in every document window however it was made, and after a save.
TEST_F(DocumentTest, UndoAndRedoWorkInEveryDocumentWindowAndAfterASave)
{
    const QString named = put(QStringLiteral("named.htm"), "x\r\n");
    for (frmTf* f : {blank(), open(path(QStringLiteral("absent.txt"))), open(named)}) {
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
        const std::unique_ptr<QMenu> menu(t->createStandardContextMenu());
        EXPECT_TRUE(menu->findChild<QAction*>(QStringLiteral("edit-undo"))->isEnabled());
        const struct { Qt::Key key; QString text; } keys[] = {
            {Qt::Key_Z, before + QStringLiteral("ab")}, {Qt::Key_Z, before}, {Qt::Key_Y, before + QStringLiteral("ab")}, {Qt::Key_Y, tagged}};
        for (const auto& k : keys) {
            QTest::keyClick(t, k.key, Qt::ControlModifier);
            EXPECT_EQ(t->Text(), k.text);
        }
        if (f->FilePath.isEmpty()) {
            dialogs.answer(MsgAnswer::Yes);
            files.choose(path(QStringLiteral("blank.txt")));
        }
        click(f->cmdSave);
        t->setFocus();
        t->setSelStart(0);
        QTest::keyClicks(t, QStringLiteral("c"));
        QTest::keyClick(t, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(t, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(t->Text(), before + QStringLiteral("ab"));  // back past the save
    }
}
