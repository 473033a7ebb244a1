// The document window itself: its controls, layout, activation, change tracking and every
// route through the closing question.
#include "DocumentTest.h"

#include "platform/ui/Geometry.h"
#include "shell/logic/ErrorReport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace folio;
using test::DocumentTest;
using test::settle;

namespace {

const QString kQuestion = QStringLiteral("Do you want to save this file ?");
const QString kQuestionTitle = QStringLiteral("Text is changed !");
const QString kOverwriteOrAppend = QStringLiteral(
    "If an existing file is selected, \r\n"
    "     Click on Yes to overwrite the contents in the existing file.\r\n"
    "     Click on No to append to the end of contents in the existing file.\r\n"
    "\r\n"
    "To create and save as a new file, click No. if you clicked on Yes, you may get an error message.\r\n"
    "\r\n"
    "Click Cancel to cancel saving activity.");

// Within one pixel of a twips value.
void expectNear(double actual, double expected, const char* what)
{
    EXPECT_NEAR(actual, expected, 15.0) << what;
}

}  // namespace

TEST_F(DocumentTest, ControlsCarryTheirCaptionsNamesFontsAndDesignedPlaces)
{
    frmTf* f = blank();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Caption(), QStringLiteral("Untitled"));

    const std::pair<QPushButton*, const char*> buttons[] = {
        {f->cmdClose, "C&lose"},         {f->cmdSave, "&Save"},          {f->cmdSaveas, "Sa&ve As"},
        {f->cmdFindFirst, "F&ind First"}, {f->cmdFindNext, "Find &Next"}, {f->cmdReplace, "&Replace"},
        {f->cmdClear, "C&lear List"},     {f->cmdCS, "Case Sens&itive"},
    };
    for (const auto& [b, caption] : buttons)
        EXPECT_EQ(b->text(), QString::fromLatin1(caption));
    EXPECT_EQ(f->cmdCS->parentWidget(), f->fraFrame01);
    expectNear(geometry::height(f->cmdCS), 720, "case switch height");
    EXPECT_TRUE(f->CaseSensitive);
    EXPECT_TRUE(f->cmdClear->isHidden());
    EXPECT_FALSE(f->cmdCS->isHidden());

    EXPECT_EQ(f->txtText01->objectName(), QStringLiteral("txtText01"));
    EXPECT_EQ(f->txtText01->accessibleName(), QStringLiteral("Document text"));
    EXPECT_EQ(f->txtText01->font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_DOUBLE_EQ(f->txtText01->font().pointSizeF(), 9.75);
    EXPECT_FALSE(f->txtText01->font().bold());
    EXPECT_EQ(f->txtText01->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_NE(f->txtText01->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(f->txtText01->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_FALSE(f->txtText01->isReadOnly());

    EXPECT_EQ(f->fraFrame01->objectName(), QStringLiteral("fraFrame01"));
    EXPECT_EQ(f->fraFrame01->title(), QStringLiteral("Find and Replace"));
    EXPECT_FALSE(f->fraFrame01->isHidden());
    EXPECT_EQ(f->fraFrame01->parentWidget(), f->client());

    const char* names[] = {"Find text", "Replacement text"};
    const double tops[] = {200, 600};
    for (int i = 0; i < 2; ++i) {
        QComboBox* c = f->cboCombo01[i];
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->accessibleName(), QString::fromLatin1(names[i]));
        EXPECT_TRUE(c->isEditable());
        expectNear(geometry::top(c), tops[i], names[i]);
        // Typed texts never become list items.
        c->setFocus();
        QTest::keyClicks(c, QStringLiteral("abc"));
        QTest::keyClick(c, Qt::Key_Return);
        EXPECT_EQ(c->count(), 0);
        EXPECT_EQ(c->currentText(), QStringLiteral("abc"));
    }
    // Typing into the panel is not a change of the document.
    EXPECT_FALSE(f->TextChanged);
}

TEST_F(DocumentTest, TabVisitsTheControlsInTheirOrderSkippingTheHiddenButton)
{
    frmTf* f = blank();
    main->activateWindow();
    f->cmdClose->setFocus();
    settle();
    ASSERT_EQ(QApplication::focusWidget(), f->cmdClose);
    const QList<QWidget*> expected{f->cmdSave,       f->cmdSaveas,  f->cboCombo01[0], f->cmdFindFirst,
                                   f->cmdFindNext,   f->cboCombo01[1], f->cmdReplace, f->cmdCS,
                                   f->txtText01};
    QList<QWidget*> seen;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << f->focusWidget();
    }
    EXPECT_EQ(seen, expected);
}

TEST_F(DocumentTest, WindowAndPanelArePaintedInTheirOwnColours)
{
    frmTf* f = blank();
    const QImage window = f->client()->grab().toImage();
    const QPoint panelTop = f->fraFrame01->pos();
    EXPECT_EQ(QColor(window.pixel(panelTop.x() + 20, panelTop.y() - 5)), QColor(255, 224, 192));

    // Outside its frame line the panel shows its colour as it is; inside, the style may
    // shade it slightly.
    const QImage panel = f->fraFrame01->grab().toImage();
    EXPECT_EQ(QColor(panel.pixel(1, 1)), QColor(192, 192, 255));
    const QRect first = f->cboCombo01[0]->geometry();
    const QRect second = f->cboCombo01[1]->geometry();
    const QColor inside(panel.pixel(first.left() + 10, (first.bottom() + second.top()) / 2));
    EXPECT_NEAR(inside.red(), 192, 8);
    EXPECT_NEAR(inside.green(), 192, 8);
    EXPECT_NEAR(inside.blue(), 255, 8);
}

TEST_F(DocumentTest, LayoutFollowsTheWindowSizeAndSkipsWhatANarrowWindowCannotHold)
{
    frmTf* f = blank();
    f->setClientSize(9900, 7200);
    settle();
    const double w = f->ScaleWidth(), h = f->ScaleHeight();
    expectNear(geometry::width(f->txtText01), w - 1200, "text width");
    expectNear(geometry::height(f->txtText01), h - 1500, "text height");
    for (QWidget* b : {f->cmdClose, f->cmdSave, f->cmdSaveas})
        expectNear(geometry::left(b), w - 950, "button left");
    expectNear(geometry::top(f->fraFrame01), h - 1200, "panel top");
    expectNear(geometry::width(f->fraFrame01), w * 0.98, "panel width");
    const double panel = geometry::width(f->fraFrame01);
    expectNear(geometry::left(f->cboCombo01[0]), 100, "combo left");
    expectNear(geometry::width(f->cboCombo01[1]), panel - 2960, "combo width");
    expectNear(geometry::left(f->cmdCS), panel - 1075, "case switch left");
    expectNear(geometry::left(f->cmdClear), panel - 1955, "clear left");

    // Hiding the panel leaves the text box as high as it was.
    const double textHeight = geometry::height(f->txtText01);
    main->mnuFindOnOff->trigger();
    settle();
    ASSERT_TRUE(f->fraFrame01->isHidden());
    f->setClientSize(9900, 7200);
    settle();
    EXPECT_EQ(geometry::height(f->txtText01), textHeight);

    // Narrower than 1200 twips: the text box keeps its width, the buttons still move.
    const double textWidth = geometry::width(f->txtText01);
    f->setClientSize(900, 7200);
    settle();
    EXPECT_EQ(geometry::width(f->txtText01), textWidth);
    expectNear(geometry::left(f->cmdClose), f->ScaleWidth() - 950, "close left in a narrow window");
    expectNear(geometry::left(f->cmdSaveas), f->ScaleWidth() - 950, "save as left in a narrow window");
}

TEST_F(DocumentTest, ActivationSetsTheFindToggleCaptionAndTheHtmlMenu)
{
    frmTf* page = open(put(QStringLiteral("page.htm"), "<p>\r\n"));
    frmTf* notes = open(put(QStringLiteral("notes.txt"), "x\r\n"));
    EXPECT_FALSE(main->mnuHtml->isEnabled());
    main->mnuFindOnOff->trigger();  // hides the notes' panel
    settle();
    EXPECT_EQ(main->mnuFindOnOff->text(), QStringLiteral("Show Fi&nd Dialogue"));

    main->mdiArea()->setActiveSubWindow(page);
    settle();
    EXPECT_EQ(main->mnuFindOnOff->text(), QStringLiteral("Hide Fi&nd Dialogue"));
    EXPECT_TRUE(main->mnuHtml->isEnabled());

    main->mdiArea()->setActiveSubWindow(notes);
    settle();
    EXPECT_EQ(main->mnuFindOnOff->text(), QStringLiteral("Show Fi&nd Dialogue"));
    EXPECT_FALSE(main->mnuHtml->isEnabled());
}

TEST_F(DocumentTest, EveryChangeOfTheTextMarksTheDocumentChanged)
{
    frmTf* f = open(put(QStringLiteral("a.txt"), "abc\r\n"));
    EXPECT_FALSE(f->TextChanged);  // although loading changed the text
    f->txtText01->setFocus();
    QTest::keyClicks(f->txtText01, QStringLiteral("x"));
    EXPECT_TRUE(f->TextChanged);

    f->TextChanged = false;
    f->txtText01->setSelStart(2);
    f->txtText01->ReplaceSelection(QStringLiteral("<b>"));
    EXPECT_TRUE(f->TextChanged);
}

TEST_F(DocumentTest, UnchangedDocumentsCloseWithoutAQuestion)
{
    const qint16 before = main->intOw;
    frmTf* untitled = blank();
    frmTf* loaded = open(put(QStringLiteral("a.txt"), "abc"));
    ASSERT_EQ(main->intOw, before + 2);
    for (frmTf* f : {loaded, untitled}) {
        QTest::mouseClick(f->cmdClose, Qt::LeftButton);
        settle();
    }
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(main->intOw, before);
}

TEST_F(DocumentTest, CancelOrEnterAtTheClosingQuestionKeepsTheWindowAsItWas)
{
    const qint16 before = main->intOw;
    frmTf* f = blank(QStringLiteral("draft"));
    dialogs.answer(MsgAnswer::Cancel);
    ASSERT_FALSE(f->Unload());
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last().prompt, kQuestion);
    EXPECT_EQ(dialogs.last().title, kQuestionTitle);
    EXPECT_EQ(dialogs.last().buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(dialogs.last().icon, MsgIcon::Question);
    EXPECT_EQ(dialogs.last().defaultButton, 3);
    settle();
    EXPECT_EQ(active(), f);
    EXPECT_EQ(f->txtText01->Text(), QStringLiteral("draft"));
    EXPECT_TRUE(f->TextChanged);
    EXPECT_EQ(main->intOw, before + 1);

    // The real message box: Enter chooses its default, Cancel.
    Dialogs::install(nullptr);
    QString shownText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        shownText = box->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    const bool closed = f->Unload();
    Dialogs::install(&dialogs);
    EXPECT_EQ(shownText, kQuestion);
    EXPECT_FALSE(closed);
    settle();
    EXPECT_EQ(active(), f);
    EXPECT_TRUE(f->TextChanged);
}

TEST_F(DocumentTest, NoAtTheClosingQuestionDropsTheChanges)
{
    const QString p = put(QStringLiteral("keep.txt"), "old\r\n");
    const qint16 before = main->intOw;
    frmTf* f = open(p);
    f->txtText01->setText(QStringLiteral("new"));
    dialogs.answer(MsgAnswer::No);
    EXPECT_TRUE(f->Unload());
    settle();
    EXPECT_EQ(bytesOf(p), QByteArray("old\r\n"));
    EXPECT_EQ(main->intOw, before);
    EXPECT_EQ(files.pendingAnswers(), 0);
}

TEST_F(DocumentTest, YesWritesANamedDocumentInPlaceWithoutFurtherQuestions)
{
    const QString p = put(QStringLiteral("named.txt"), "old\r\n");
    frmTf* f = open(p);
    f->txtText01->setText(QStringLiteral("\r\nnew"));
    dialogs.answer(MsgAnswer::Yes);
    main->mnuClose->trigger();
    settle();
    EXPECT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(files.shown().size(), 1);  // only the open dialog
    EXPECT_EQ(bytesOf(p), QByteArray("\r\nnew\r\n"));
    EXPECT_TRUE(children().indexOf(f) < 0);
}

TEST_F(DocumentTest, YesOnANewDocumentClosesOnlyOnceTheTextIsWritten)
{
    const qint16 before = main->intOw;
    frmTf* f = blank(QStringLiteral("draft"));

    // Cancelled save dialog: the window stays.
    dialogs.answer(MsgAnswer::Yes);
    files.cancel();
    ASSERT_FALSE(f->Unload());
    settle();
    EXPECT_EQ(active(), f);
    EXPECT_TRUE(f->TextChanged);

    // A name, then Cancel in the overwrite-or-append question: nothing written, the name
    // is not taken, and the window stays with its text.
    const QString p = path(QStringLiteral("draft.txt"));
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::Cancel);
    files.choose(p);
    ASSERT_FALSE(f->Unload());
    settle();
    EXPECT_EQ(dialogs.last().prompt, kOverwriteOrAppend);
    EXPECT_FALSE(QFile::exists(p));
    EXPECT_TRUE(f->FilePath.isEmpty());
    EXPECT_EQ(f->Caption(), QStringLiteral("Untitled"));
    EXPECT_EQ(f->txtText01->Text(), QStringLiteral("draft"));
    EXPECT_TRUE(f->TextChanged);

    // Written (No: append, which creates the file): the window closes.
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::No);
    files.choose(p);
    EXPECT_TRUE(f->Unload());
    settle();
    EXPECT_EQ(bytesOf(p), QByteArray("draft\r\n"));
    EXPECT_EQ(main->intOw, before);
}

TEST_F(DocumentTest, YesOnAReadOnlyDocumentRefusesItsOwnNameInAnyLetterCaseAndStaysOpen)
{
    const QString p = put(QStringLiteral("Fixed.txt"), "ro\r\n");
    frmTf* f = open(p, true);
    ASSERT_TRUE(f->OpenedReadOnly);
    f->txtText01->setText(QStringLiteral("changed"));
    dialogs.answer(MsgAnswer::Yes);
    files.choose(path(QStringLiteral("FIXED.TXT")));
    ASSERT_FALSE(f->Unload());
    settle();
    EXPECT_EQ(dialogs.last().prompt,
              QStringLiteral("The filename that you selected is for read-only mode. You need to save this file by "
                             "some other name."));
    EXPECT_EQ(dialogs.last().title, QStringLiteral("Tagwright Folio"));
    EXPECT_EQ(dialogs.last().buttons, MsgButtons::OkOnly);
    EXPECT_EQ(bytesOf(p), QByteArray("ro\r\n"));
    EXPECT_EQ(f->FilePath, p);
    EXPECT_EQ(active(), f);
    EXPECT_TRUE(f->TextChanged);
}

TEST_F(DocumentTest, YesWithAFailingWriteReportsItAndKeepsTheWindow)
{
    QDir().mkpath(path(QStringLiteral("gone")));
    const QString p = put(QStringLiteral("gone/doc.txt"), "old\r\n");
    frmTf* f = open(p);
    f->txtText01->setText(QStringLiteral("precious"));
    QDir(path(QStringLiteral("gone"))).removeRecursively();
    dialogs.answer(MsgAnswer::Yes);
    ASSERT_FALSE(f->Unload());
    settle();
    EXPECT_EQ(dialogs.last().prompt, basModu001::errorReportText(RuntimeError::fromNumber(76)));
    EXPECT_EQ(active(), f);
    EXPECT_EQ(f->txtText01->Text(), QStringLiteral("precious"));
    EXPECT_TRUE(f->TextChanged);
}

TEST_F(DocumentTest, ClosingTheMainWindowStopsAtAChangedDocumentThatIsNotSaved)
{
    frmTf* f = blank(QStringLiteral("draft"));
    // Quit? Yes. Save? Yes. Save dialog: cancelled.
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::Yes);
    files.cancel();
    main->mnuExit->trigger();
    settle();
    EXPECT_TRUE(main);
    EXPECT_EQ(programEnds, 0);
    EXPECT_EQ(active(), f);
    EXPECT_GE(children().size(), 2);  // the About window stays too

    // Quit? Yes. Save? Cancel.
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::Cancel);
    main->mnuExit->trigger();
    settle();
    EXPECT_EQ(programEnds, 0);
    EXPECT_EQ(active(), f);

    // Quit? Yes. Save? Yes, written under a new name: the program ends.
    const QString p = path(QStringLiteral("final.txt"));
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::Yes).answer(MsgAnswer::Yes);
    files.choose(p);
    main->mnuExit->trigger();
    settle();
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(bytesOf(p), QByteArray("draft\r\n"));
}
