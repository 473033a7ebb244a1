// The document window itself: tab order, layout on resize, undo, every route through the
// closing question; the find and replace panel driven through its buttons (the search
// function's own cases are in the logic suite); and the Edit menu on document windows.
#include "DocumentTest.h"

#include "platform/ui/Geometry.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>

using namespace folio;
using namespace folio::test;

// Tab visits the controls in order, skipping the hidden button, and leaves the text box
// without typing into it; Shift+Tab goes back; "Insert Ta&b Keystroke" types the tab. Resizing lays the window out
// (the layout's figures are the layout suite's). The find-panel toggle hides the active
// document's panel only, keeping the text's place, also on later resizing. (Its caption
// following the panel is the random session's invariant.)
TEST_F(DocumentTest, TabOrderLayoutOnResizeAndThePanelToggle)
{
    frmTf* other = blank();
    frmTf* f = blank();
    f->cmdClose->setFocus();
    const QList<QWidget*> expected{f->cmdSave,       f->cmdSaveas,  f->cboCombo01[0], f->cmdFindFirst, f->cmdFindNext,
                                   f->cboCombo01[1], f->cmdReplace, f->cmdCS,         f->txtText01,    f->cmdClose,
                                   f->txtText01,     f->cmdCS};
    QList<QWidget*> seen;
    for (int i = 0; i < expected.size(); ++i) {
        const bool back = i >= expected.size() - 2;
        QTest::keyClick(QApplication::focusWidget(), back ? Qt::Key_Backtab : Qt::Key_Tab,
                        back ? Qt::ShiftModifier : Qt::NoModifier);
        seen << f->focusWidget();
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(f->txtText01->Text(), QString());
    f->txtText01->setFocus();
    main->mnuTabkey->trigger();
    EXPECT_EQ(f->txtText01->Text(), QStringLiteral("\t"));

    f->setClientSize(9900, 7200);
    settle();
    EXPECT_NEAR(geometry::width(f->txtText01), f->ScaleWidth() - 1200, 15);
    const QRect text = f->txtText01->geometry();
    main->mnuFindOnOff->trigger();
    f->setClientSize(9900, 7200);
    settle();
    EXPECT_EQ(std::tuple(f->fraFrame01->isHidden(), other->fraFrame01->isHidden(), f->txtText01->geometry()),
              std::tuple(true, false, text));
}

// Closing a changed document asks; Cancel keeps it, No closes without writing, Yes writes a
// named one in place with no dialog. Yes on a new document closes it, or lets the program end,
// only once the text is written: not when the save dialog or the overwrite-or-append question
// is cancelled. Each row: a named or a new document, through quitting or closing the window,
// the answers given, what the save dialog gives (if it shows), whether the window closed (or
// the program ended) and the file. (That an unchanged document closes without a question is
// seen by every test that closes one: an unexpected question fails the test.)
TEST_F(DocumentTest, ClosingQuestionKeepsTheWindowUntilTheTextIsWrittenOrDropped)
{
    using A = MsgAnswer;
    enum SaveDialog { NotShown, Cancelled, Named };
    const struct { bool named, quit; std::vector<A> answers; SaveDialog dialog; bool closes; QByteArray file; } rows[] = {
        {true, false, {A::Cancel}, NotShown, false, "old\r\n"},
        {true, false, {A::No}, NotShown, true, "old\r\n"},
        {true, false, {A::Yes}, NotShown, true, "\r\nnew\r\n"},
        {false, false, {A::Yes}, Cancelled, false, "<missing>"},
        {false, false, {A::Yes, A::Cancel}, Named, false, "<missing>"},
        {false, true, {A::Yes, A::Yes}, Cancelled, false, "<missing>"},
        {false, true, {A::Yes, A::Yes, A::No}, Named, true, "draft\r\n"},  // No appends, here to a new file
    };
    const QString named = path(QStringLiteral("named.txt")), draft = path(QStringLiteral("draft.txt"));
    QPointer<frmTf> fresh;
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        if (!r.named && !fresh)
            fresh = blank(QStringLiteral("draft"));
        const QPointer<frmTf> f = r.named ? open(put(QStringLiteral("named.txt"), "old\r\n")) : fresh.data();
        if (r.named)
            f->txtText01->setText(QStringLiteral("\r\nnew"));
        dialogs.clear();
        for (A a : r.answers)
            dialogs.answer(a);
        if (r.dialog != NotShown)
            r.dialog == Named ? files.choose(draft) : files.cancel();
        if (r.quit)
            main->mnuExit->trigger();
        else
            EXPECT_EQ(f->Unload(), r.closes);
        settle();
        EXPECT_EQ(dialogs.shown().value(r.quit ? 1 : 0), msgBox(QStringLiteral("Do you want to save this file ?"),
            QStringLiteral("Text is changed !"), MsgButtons::YesNoCancel, MsgIcon::Question, 3));
        // Every answer and save dialog was used, and no other box shown.
        EXPECT_EQ(std::pair(dialogs.shown().size(), dialogs.pendingAnswers() + files.pendingAnswers()),
                  std::pair(qsizetype(r.answers.size()), 0));
        EXPECT_EQ(std::tuple(bytesOf(r.named ? named : draft), f.isNull() || f->isUnloaded(), programEnds),
                  std::tuple(r.file, r.closes, r.quit && r.closes ? 1 : 0));
        if (!r.closes) {  // still changed, and a name declined is not taken
            EXPECT_EQ(std::pair(f->TextChanged, f->Caption()),
                      std::pair(true, r.named ? named : QStringLiteral("Untitled")));
        }
        if (r.named)
            closeAllChildren();
    }
}

// One press per row on "one two ONE": the text typed into the box the button reads (the find
// box, or for "&Replace" the replacement box), the box the press shows (the question answered
// as given), then the selection, FindPos, the focus and the case mode. Switched between First
// and Next, the case mode keeps FindPos and the selection and the rest of the search uses the
// new mode. "&Replace" puts the replacement over the selection, and the next search goes on
// from FindPos, inside the replacement.
TEST_F(DocumentTest, FindPanelWalksTheMatchesAsksAtTheEndAndSearchesOnInsideAReplacement)
{
    frmTf* d = doc(QStringLiteral("one two ONE"), QStringLiteral("one"));
    enum Focus { Text, FindBox, ReplacementBox, NextButton, CaseButton, ReplaceButton };
    const QString startAgain = QStringLiteral("Finding is already completed till the end of file. Do you want to do "
                                               "it again from the beginning of file ?");
    const QString nextNotFound = QStringLiteral("Find completed. Matching text is not found.");
    const auto first = &frmTf::cmdFindFirst, next = &frmTf::cmdFindNext, caseSwitch = &frmTf::cmdCS;
    const auto ok = MsgAnswer::Ok;
    const struct { QPushButton* frmTf::*button; const char* typed; MsgAnswer answer; QString box;
                   std::pair<int, int> sel; int findPos; Focus focus; bool caseSensitive; } steps[] = {
        // A fresh window asks before its first Next; No does nothing, not even move the focus.
        {next, nullptr, MsgAnswer::No, startAgain, {0, 0}, 0, NextButton, true},
        {first, nullptr, ok, {}, {0, 3}, 4, Text, true},
        {next, nullptr, ok, nextNotFound, {0, 3}, 0, FindBox, true},  // the selection stays, the search goes idle
        {caseSwitch, nullptr, ok, {}, {0, 3}, 0, CaseButton, false},
        {first, nullptr, ok, {}, {0, 3}, 4, Text, false},
        {next, nullptr, ok, {}, {8, 3}, 12, Text, false},
        {first, nullptr, ok, {}, {0, 3}, 4, Text, false},  // First starts from the top
        {caseSwitch, nullptr, ok, {}, {0, 3}, 4, CaseButton, true},
        {next, nullptr, ok, nextNotFound, {0, 3}, 0, FindBox, true},
        {next, "ONE", MsgAnswer::Yes, startAgain, {8, 3}, 12, Text, true},  // Yes runs "F&ind First"
        {first, "zz", ok, QStringLiteral("Finding completed. Matching text is not found."), {8, 3}, 0, FindBox, true},
        // Idle: refused before the question.
        {next, "", ok, QStringLiteral("Please type valid text to find."), {8, 3}, 0, FindBox, true},
        {&frmTf::cmdReplace, "", ok, QStringLiteral("Please type valid text to replace."), {8, 3}, 0, ReplacementBox, true},
        {first, "O", ok, {}, {8, 1}, 10, Text, true},
        {&frmTf::cmdReplace, "OO", ok, {}, {10, 0}, 10, ReplaceButton, true},  // "one two OONE"
        {next, nullptr, ok, {}, {9, 1}, 11, Text, true},  // the second letter put in
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(&s - steps);
        if (s.typed)
            d->cboCombo01[s.button == &frmTf::cmdReplace ? 1 : 0]->setEditText(QLatin1String(s.typed));
        d->txtText01->setFocus();
        dialogs.clear();
        if (s.answer != ok)
            dialogs.answer(s.answer);
        click(d->*s.button);
        if (s.box.isEmpty())
            EXPECT_TRUE(dialogs.shown().isEmpty());
        else
            EXPECT_EQ(dialogs.shown().value(0), s.box == startAgain ? msgBox(startAgain, QStringLiteral("Please Confirm"),
                                                                          MsgButtons::YesNo, MsgIcon::Question, 2)
                                                                   : msgBox(s.box));
        EXPECT_EQ(std::tuple(d->txtText01->SelStart(), d->txtText01->SelLength(), d->FindPos),
                  std::tuple(s.sel.first, s.sel.second, s.findPos));
        QWidget* const focus[] = {d->txtText01, d->cboCombo01[0], d->cboCombo01[1], d->cmdFindNext, d->cmdCS, d->cmdReplace};
        EXPECT_EQ(d->focusWidget(), focus[s.focus]);
        EXPECT_EQ(std::pair(d->CaseSensitive, d->cmdCS->text()),
                  std::pair(s.caseSensitive, QString::fromLatin1(s.caseSensitive ? "Case Sens&itive" : "Case In-Sens&itive")));
    }
    EXPECT_EQ(std::pair(d->txtText01->Text(), d->TextChanged), std::pair(QStringLiteral("one two OONE"), true));
}

// Each row: the document text and its selection, the command, then the text, the clipboard
// and whether the document changed. With nothing selected Copy and Cut leave the clipboard, and
// with no text on it Paste leaves the selection. (A find box as the target is the tag commands'
// suite's, the About text's the main window's.)
TEST_F(DocumentTest, ClipboardCommandsActOnTheDocumentText)
{
    frmTf* d = doc(QString());
    using M = frmMdimenuform;
    const struct { const char* text; int start, length; QAction* M::*command; const char* after, *clipboard;
                   bool changed; } rows[] = {
        {"first line\r\nsecond line", 6, 8, &M::mnuCopy, "first line\r\nsecond line", "line\r\nse", false},
        {"first line\r\nsecond line", 6, 8, &M::mnuCut, "first cond line", "line\r\nse", true},
        {"first cond line", 0, 5, &M::mnuPaste, "line\r\nse cond line", "line\r\nse", true},
        {"abc", 2, 0, &M::mnuCopy, "abc", "line\r\nse", false},
        {"abc", 2, 0, &M::mnuCut, "abc", "line\r\nse", false},
        {"abc", 1, 2, &M::mnuPaste, "abc", "", false},  // the clipboard emptied first
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        d->txtText01->setText(QLatin1String(r.text));
        d->txtText01->setFocus();
        d->txtText01->setSelStart(r.start);
        d->txtText01->setSelLength(r.length);
        if (!*r.clipboard)
            QApplication::clipboard()->clear();
        d->TextChanged = false;
        (main->*r.command)->trigger();
        EXPECT_EQ(std::tuple(d->txtText01->Text(), QApplication::clipboard()->text(), d->TextChanged),
                  std::tuple(QString::fromLatin1(r.after), QString::fromLatin1(r.clipboard), r.changed));
    }
    EXPECT_EQ(std::pair(d->txtText01->SelStart(), d->txtText01->SelLength()), std::pair(1, 2));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}
