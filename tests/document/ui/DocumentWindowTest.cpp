// The document window itself: tab order, layout on resize, undo, every route through the
// closing question; the find and replace panel driven through its buttons (the search
// function's own cases are in the logic suite); and the Edit menu on document windows.
#include "DocumentTest.h"

#include "platform/ui/Geometry.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

#include <memory>

using namespace folio;
using namespace folio::test;

// Tab visits the controls in order, skipping the hidden button. Resizing lays the window out
// (the layout's figures are the layout suite's). The find-panel toggle hides the active
// document's panel only, keeping the text's place, also on later resizing; with the About
// window active it is refused and nothing changes. (Its caption following the panel is the
// random session's invariant.)
TEST_F(DocumentTest, TabOrderLayoutOnResizeAndThePanelToggle)
{
    frmTf* other = blank();
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

    f->setClientSize(9900, 7200);
    settle();
    EXPECT_NEAR(geometry::width(f->txtText01), f->ScaleWidth() - 1200, 15);
    const QRect text = f->txtText01->geometry();
    main->mnuFindOnOff->trigger();
    EXPECT_EQ(std::pair(f->fraFrame01->isHidden(), other->fraFrame01->isHidden()), std::pair(true, false));
    EXPECT_EQ(f->txtText01->geometry(), text);
    f->setClientSize(9900, 7200);
    settle();
    EXPECT_EQ(f->txtText01->geometry(), text);
    main->mdiArea()->setActiveSubWindow(main->aboutWindow());
    settle();
    main->mnuFindOnOff->trigger();
    EXPECT_EQ(dialogs.prompts(), QStringList{QStringLiteral("This activity is not allowed for this instance !")});
    EXPECT_EQ(main->mnuFindOnOff->text(), QStringLiteral("Show Fi&nd Dialogue"));
    EXPECT_TRUE(f->fraFrame01->isHidden());
    f->setClientSize(1200, 1500);  // exactly no room: the controls take a valid size of nothing
    settle();
    EXPECT_EQ(f->txtText01->size(), QSize(0, 0));
}

// Closing a changed document asks; Cancel keeps it, No closes without writing, Yes writes a
// named one in place with no dialog. Yes on a new document closes it, or lets the program end,
// only once the text is written: not when the save dialog or the overwrite-or-append question
// is cancelled. Each row: a named or a new document, through quitting or closing the window,
// the answers given, what the save dialog gives (if it shows), whether the window closed (or
// the program ended) and the file. Unchanged, a document closes without a question.
TEST_F(DocumentTest, ClosingQuestionKeepsTheWindowUntilTheTextIsWrittenOrDropped)
{
    const qint16 before = main->openWindowCount();
    click(open(put(QStringLiteral("a.txt"), "abc"))->cmdClose);
    settle();
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(main->openWindowCount(), before);
    using A = MsgAnswer;
    enum SaveDialog { NotShown, Cancelled, Named };
    const struct { bool named, quit; std::vector<A> answers; SaveDialog dialog; bool closes; QByteArray file; } rows[] = {
        {true, false, {A::Cancel}, NotShown, false, "old\r\n"},
        {true, false, {A::No}, NotShown, true, "old\r\n"},
        {true, false, {A::Yes}, NotShown, true, "\r\nnew\r\n"},
        {false, false, {A::Yes}, Cancelled, false, "<missing>"},
        {false, false, {A::Yes, A::Cancel}, Named, false, "<missing>"},
        {false, true, {A::Yes, A::Yes}, Cancelled, false, "<missing>"},
        {false, true, {A::Yes, A::Cancel}, NotShown, false, "<missing>"},
        {false, true, {A::Yes, A::Yes, A::No}, Named, true, "draft\r\n"},  // No appends, here to a new file
    };
    const QString named = path(QStringLiteral("named.txt")), draft = path(QStringLiteral("draft.txt"));
    QPointer<frmTf> fresh;
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        if (!r.named && !fresh)
            fresh = blank(QStringLiteral("draft"));
        const QPointer<frmTf> f = r.named ? open(put(QStringLiteral("named.txt"), "old\r\n")) : fresh.data();
        ASSERT_FALSE(f.isNull());
        if (r.named)
            f->txtText01->setText(QStringLiteral("\r\nnew"));
        dialogs.clear();
        const int fileDialogs = files.shown().size();
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
        EXPECT_EQ(dialogs.shown().size(), r.named ? 1 : int(r.answers.size()));
        EXPECT_EQ(files.shown().size(), fileDialogs + (r.dialog != NotShown));
        EXPECT_EQ(bytesOf(r.named ? named : draft), r.file);
        EXPECT_EQ(dialogs.pendingAnswers() + files.pendingAnswers(), 0);
        EXPECT_EQ(programEnds, r.quit && r.closes ? 1 : 0);
        EXPECT_EQ(f.isNull() || f->isUnloaded(), r.closes);
        if (!r.closes) {
            EXPECT_TRUE(f->TextChanged);
            EXPECT_EQ(f->Caption(), r.named ? named : QStringLiteral("Untitled"));  // a name declined is not taken
        }
        if (r.named)
            closeAllChildren();
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

// One press per row on "one two ONE": the find text typed before it (if any), the box it shows
// (the question answered as given), then the selection, FindPos, the focus and the case mode.
// Switched between First and Next, the case mode keeps FindPos and the selection and the rest
// of the search uses the new mode.
TEST_F(DocumentTest, FirstNextAndTheCaseSwitchWalkTheMatchesAskAtTheEndAndRefuseAnEmptyText)
{
    frmTf* d = doc(QStringLiteral("one two ONE"), QStringLiteral("one"));
    ASSERT_TRUE(d);
    enum Focus { Text, FindBox, NextButton, CaseButton };
    const QString startAgain = QStringLiteral("Finding is already completed till the end of file. Do you want to do "
                                               "it again from the beginning of file ?");
    const QString noFind = QStringLiteral("Please type valid text to find.");
    const QString nextNotFound = QStringLiteral("Find completed. Matching text is not found.");
    const auto first = &frmTf::cmdFindFirst, next = &frmTf::cmdFindNext, caseSwitch = &frmTf::cmdCS;
    const auto ok = MsgAnswer::Ok;
    const struct { QPushButton* frmTf::*button; const char* find; MsgAnswer answer; QString box;
                   Sel sel; int findPos; Focus focus; bool caseSensitive; } steps[] = {
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
        {first, "", ok, noFind, {8, 3}, 12, FindBox, true},
        {next, "", ok, noFind, {8, 3}, 12, FindBox, true},
        {first, "zz", ok, QStringLiteral("Finding completed. Matching text is not found."), {8, 3}, 0, FindBox, true},
        {next, "", ok, noFind, {8, 3}, 0, FindBox, true},  // idle: refused before the question
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(&s - steps);
        if (s.find)
            d->cboCombo01[0]->setEditText(QLatin1String(s.find));
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
        EXPECT_EQ(std::pair(sel(d), d->FindPos), std::pair(s.sel, s.findPos));
        QWidget* const focus[] = {d->txtText01, d->cboCombo01[0], d->cmdFindNext, d->cmdCS};
        EXPECT_EQ(d->focusWidget(), focus[s.focus]);
        EXPECT_EQ(std::pair(d->CaseSensitive, d->cmdCS->text()),
                  std::pair(s.caseSensitive, QString::fromLatin1(s.caseSensitive ? "Case Sens&itive" : "Case In-Sens&itive")));
    }
    // A caption that is neither of the two, if only by its access key: the switch does nothing.
    d->cmdCS->setText(QStringLiteral("Case Sensitive"));
    click(d->cmdCS);
    EXPECT_EQ(std::pair(d->CaseSensitive, d->cmdCS->text()), std::pair(true, QStringLiteral("Case Sensitive")));
}

// "&Replace" puts the replacement over the selection or at the caret and the next search goes
// on from FindPos, inside the replacement; an empty replacement is refused.
TEST_F(DocumentTest, SearchesGoOnInsideAReplacementAndSeeEveryEditMadeBetweenPresses)
{
    frmTf* d = doc(QStringLiteral("bcdea a"), QStringLiteral("a"));
    ASSERT_TRUE(d);
    d->txtText01->setFocus();
    click(d->cmdReplace);
    EXPECT_EQ(dialogs.prompts(), QStringList{QStringLiteral("Please type valid text to replace.")});
    EXPECT_EQ(d->focusWidget(), d->cboCombo01[1]);
    EXPECT_FALSE(d->TextChanged);
    d->cboCombo01[1]->setEditText(QStringLiteral("aa"));
    click(d->cmdFindFirst);
    click(d->cmdReplace);
    EXPECT_EQ(d->txtText01->Text(), QStringLiteral("bcdeaa a"));
    EXPECT_EQ(std::pair(sel(d), d->FindPos), std::pair(Sel(6, 0), 6));
    EXPECT_TRUE(d->TextChanged);
    click(d->cmdFindNext);
    EXPECT_EQ(sel(d), Sel(5, 1));
    click(d->cmdFindNext);
    EXPECT_EQ(sel(d), Sel(7, 1));
    d->cboCombo01[1]->setEditText(QStringLiteral("\r\n"));
    d->txtText01->setSelStart(2);
    d->cboCombo01[1]->setFocus();
    d->cmdReplace_Click();
    EXPECT_EQ(d->txtText01->Text(), QStringLiteral("bc\r\ndeaa a"));
    EXPECT_EQ(std::pair(sel(d), d->FindPos), std::pair(Sel(4, 0), 9));
    EXPECT_EQ(d->focusWidget(), d->cboCombo01[1]);
    EXPECT_EQ(dialogs.shown().size(), 1);

    // Typing, undo and Enter (a CR LF, two characters) between presses are all seen. The find
    // box does not collect what was typed into it.
    dialogs.clear();
    d = doc(QStringLiteral("one two one"));
    ASSERT_TRUE(d);
    QTest::keyClicks(d->cboCombo01[0], QStringLiteral("one"));
    QTest::keyClick(d->cboCombo01[0], Qt::Key_Return);
    EXPECT_EQ(d->cboCombo01[0]->count(), 0);
    click(d->cmdFindFirst);
    d->txtText01->setSelStart(4);
    QTest::keyClicks(d->txtText01, QStringLiteral("one "));
    click(d->cmdFindNext);
    EXPECT_EQ(sel(d), Sel(4, 3));
    d->txtText01->undo();
    d->txtText01->setSelStart(0);
    QTest::keyClick(d->txtText01, Qt::Key_Return);
    click(d->cmdFindFirst);
    click(d->cmdFindNext);
    EXPECT_EQ(sel(d), Sel(10, 3));
    EXPECT_EQ(d->txtText01->SelText(), QStringLiteral("one"));
    EXPECT_TRUE(dialogs.shown().isEmpty());

    // A control that cannot take the focus is reported as a failure.
    d = doc(QStringLiteral("one"), QStringLiteral("n"));
    ASSERT_TRUE(d);
    d->txtText01->setVisible(false);
    d->cmdFindFirst_Click();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.last().prompt.contains(QStringLiteral("Invalid procedure call or argument")));
    // The search ends where the failure struck: FindPos found, not yet moved behind the match.
    EXPECT_EQ(d->FindPos, 2);
}

// Each row: the focused control (the document text or a find box) given a text and a
// selection, the command, then the control's text, the clipboard and whether the document
// changed. A find box leaves the document alone; with nothing selected Copy and Cut leave the
// clipboard, and with no text on it (a picture) Paste leaves the selection.
TEST_F(DocumentTest, ClipboardCommandsActOnTheDocumentTextOrTheFocusedFindBox)
{
    frmTf* d = doc(QString());
    ASSERT_TRUE(d);
    enum Target { Text, Find, Replacement, TextWithAPicture };
    const struct { Target target; const char* text; int start, length; QAction* frmMdimenuform::*command; const char* after; const char* clipboard; bool changed; } rows[] = {
        {Text, "first line\r\nsecond line", 6, 8, &frmMdimenuform::mnuCopy, "first line\r\nsecond line", "line\r\nse", false},
        {Text, "first line\r\nsecond line", 6, 8, &frmMdimenuform::mnuCut, "first cond line", "line\r\nse", true},
        {Text, "first cond line", 0, 5, &frmMdimenuform::mnuPaste, "line\r\nse cond line", "line\r\nse", true},
        {Find, "needle and thread", 0, 7, &frmMdimenuform::mnuCut, "and thread", "needle ", false},
        {Replacement, "xy", 1, 0, &frmMdimenuform::mnuPaste, "xneedle y", "needle ", false},
        {Text, "abc", 2, 0, &frmMdimenuform::mnuCopy, "abc", "needle ", false},
        {Text, "abc", 2, 0, &frmMdimenuform::mnuCut, "abc", "needle ", false},
        {TextWithAPicture, "abc", 1, 2, &frmMdimenuform::mnuPaste, "abc", "", false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        TextBox* t = d->txtText01;
        QComboBox* box = r.target == Find || r.target == Replacement ? d->cboCombo01[r.target == Find ? 0 : 1] : nullptr;
        if (box) {
            box->setEditText(QLatin1String(r.text));
            box->setFocus();
            box->lineEdit()->setSelection(r.start, r.length);
        } else {
            t->setText(QLatin1String(r.text));
            t->setFocus();
            t->setSelStart(r.start);
            t->setSelLength(r.length);
        }
        if (r.target == TextWithAPicture) {
            auto* picture = new QMimeData;
            QImage image(4, 4, QImage::Format_RGB32);
            image.fill(Qt::red);
            picture->setImageData(image);
            QApplication::clipboard()->setMimeData(picture);
        }
        d->TextChanged = false;
        (main->*r.command)->trigger();
        EXPECT_EQ(box ? box->currentText() : t->Text(), QLatin1String(r.after));
        EXPECT_EQ(QApplication::clipboard()->text(), QLatin1String(r.clipboard));
        EXPECT_EQ(d->TextChanged, r.changed);
        EXPECT_EQ(box ? box->count() : 0, 0);  // a find box collects nothing
    }
    EXPECT_EQ(sel(d), Sel(1, 2));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

// "Set &Font" and "Set C&olour" start from the active document's text and change it alone,
// each style of the font dialog in its own property; Cancel keeps them; a later document has
// the ordinary font; with no child no dialog opens.
TEST_F(DocumentTest, FontAndColourGoToTheActiveDocumentsTextOnlyAndCancelKeepsThem)
{
    frmTf* other = doc(QStringLiteral("other"));
    frmTf* d = doc(QStringLiteral("mine"));
    ASSERT_TRUE(other && d);
    const QFont before = d->txtText01->font();
    const auto base = [](frmTf* f) { return f->txtText01->palette().color(QPalette::Base); };
    const QColor otherBase = base(other);
    const auto styles = [](const QFont& f) { return std::tuple(f.family(), f.pointSizeF(), f.bold(), f.italic(), f.strikeOut(), f.underline()); };
    // A size outside 8..20 is still taken.
    files.chooseFont({QStringLiteral("DejaVu Sans Mono"), 24, true, false, true, false}).cancel()
        .chooseFont({QStringLiteral("DejaVu Serif"), 11, false, true, false, true});
    main->mnuSetFont->trigger();
    EXPECT_EQ(styles(d->txtText01->font()), std::tuple(QStringLiteral("DejaVu Sans Mono"), 24.0, true, false, true, false));
    main->mnuSetFont->trigger();
    EXPECT_EQ(files.shown().last().font, (FontChoice{QStringLiteral("DejaVu Sans Mono"), 24, true, false, true, false}));
    main->mnuSetFont->trigger();
    EXPECT_EQ(styles(d->txtText01->font()), std::tuple(QStringLiteral("DejaVu Serif"), 11.0, false, true, false, true));
    const auto& first = files.shown().first();
    EXPECT_EQ(std::tuple(first.title, first.minSize, first.maxSize, first.font.name, first.font.size),
              std::tuple(QStringLiteral("Set Font for the Text"), 8, 20, before.family(), float(before.pointSizeF())));
    EXPECT_EQ(main->CommonDialog1.Flags, 3);
    EXPECT_EQ(other->txtText01->font(), before);
    EXPECT_EQ(d->cboCombo01[0]->font(), other->cboCombo01[0]->font());

    files.chooseColor(RGB(10, 20, 30)).cancel();
    main->mnuColour->trigger();
    main->mnuColour->trigger();
    EXPECT_EQ(std::pair(files.shown().last().title, files.shown().last().colour), std::pair(QStringLiteral("Select a colour"), RGB(10, 20, 30)));
    EXPECT_EQ(std::pair(base(d), base(other)), std::pair(QColor(10, 20, 30), otherBase));
    EXPECT_EQ(doc(QString())->txtText01->font(), before);
    closeAllChildren();
    const auto count = files.shown().size();
    main->mnuSetFont->trigger();
    main->mnuColour->trigger();
    EXPECT_EQ(files.shown().size(), count);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}
