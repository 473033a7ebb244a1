// The Edit menu on document windows: the clipboard on the document text and on the find
// boxes, the find-panel toggle and its caption as documents take turns, and the font and
// colour of one document's text.
#include "support/MainWindowTest.h"

#include "document/ui/frmTf.h"
#include "platform/ui/TextBox.h"
#include "reading/ui/frmAbout.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMimeData>
#include <QPushButton>

using namespace folio;
using test::MainWindowTest;

namespace {

const QString kHide = QStringLiteral("Hide Fi&nd Dialogue");
const QString kShow = QStringLiteral("Show Fi&nd Dialogue");
const QString kNotAllowed = QStringLiteral("This activity is not allowed for this instance !");

class EditMenuTest : public MainWindowTest {
protected:
    frmTf* openDocument(const QString& text)
    {
        main->mnuNewBlank->trigger();
        test::settle();
        auto* doc = qobject_cast<frmTf*>(main->ActiveForm());
        if (!doc)
            return nullptr;
        doc->txtText01->setText(text);
        doc->TextChanged = false;
        return doc;
    }

    void activate(frmTf* doc)
    {
        main->mdiArea()->setActiveSubWindow(doc);
        test::settle();
    }

    static QString clipboardText() { return QApplication::clipboard()->text(); }
};

}  // namespace

TEST_F(EditMenuTest, CopyCutAndPasteOnTheDocumentText)
{
    frmTf* doc = openDocument(QStringLiteral("first line\r\nsecond line"));
    ASSERT_TRUE(doc);
    doc->txtText01->setFocus();

    // Copy takes the model text, CR LF included, and leaves the document alone.
    doc->txtText01->setSelStart(6);
    doc->txtText01->setSelLength(8);
    main->mnuCopy->trigger();
    EXPECT_EQ(clipboardText(), QStringLiteral("line\r\nse"));
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("first line\r\nsecond line"));
    EXPECT_FALSE(doc->TextChanged);

    main->mnuCut->trigger();
    EXPECT_EQ(clipboardText(), QStringLiteral("line\r\nse"));
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("first cond line"));
    EXPECT_EQ(doc->txtText01->SelStart(), 6);
    EXPECT_TRUE(doc->TextChanged);

    // Paste puts the clipboard in place of the selection, breaks and all.
    doc->txtText01->setSelStart(0);
    doc->txtText01->setSelLength(5);
    main->mnuPaste->trigger();
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("line\r\nse cond line"));
    EXPECT_EQ(doc->txtText01->SelStart(), 8);
    EXPECT_EQ(doc->txtText01->SelLength(), 0);

    // Copy with nothing selected puts the empty text on the clipboard.
    main->mnuCopy->trigger();
    EXPECT_EQ(clipboardText(), QString());
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(EditMenuTest, ClipboardCommandsActOnTheFindBoxThatHasTheFocus)
{
    frmTf* doc = openDocument(QStringLiteral("document text"));
    ASSERT_TRUE(doc);
    doc->txtText01->setSelStart(0);
    doc->txtText01->setSelLength(8);
    QComboBox* find = doc->cboCombo01[0];
    find->setEditText(QStringLiteral("needle and thread"));
    find->setFocus();
    ASSERT_EQ(main->ActiveControl(), find);
    find->lineEdit()->setSelection(0, 7);

    main->mnuCut->trigger();
    EXPECT_EQ(clipboardText(), QStringLiteral("needle "));
    EXPECT_EQ(find->currentText(), QStringLiteral("and thread"));
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("document text")) << "the document is not cut";
    EXPECT_EQ(doc->txtText01->SelLength(), 8);
    EXPECT_FALSE(doc->TextChanged);

    // Into the replacement box, at its caret.
    QComboBox* replacement = doc->cboCombo01[1];
    replacement->setEditText(QStringLiteral("xy"));
    replacement->setFocus();
    replacement->lineEdit()->setCursorPosition(1);
    main->mnuPaste->trigger();
    EXPECT_EQ(replacement->currentText(), QStringLiteral("xneedle y"));
    EXPECT_EQ(find->currentText(), QStringLiteral("and thread"));
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("document text"));
    EXPECT_EQ(replacement->count(), 0);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(EditMenuTest, PasteOfAPictureWithoutTextDeletesTheSelection)
{
    frmTf* doc = openDocument(QStringLiteral("keep DROP keep"));
    ASSERT_TRUE(doc);
    auto* picture = new QMimeData;
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    picture->setImageData(image);
    QApplication::clipboard()->setMimeData(picture);
    ASSERT_TRUE(QApplication::clipboard()->mimeData()->hasImage());
    ASSERT_FALSE(QApplication::clipboard()->mimeData()->hasText());

    doc->txtText01->setFocus();
    doc->txtText01->setSelStart(5);
    doc->txtText01->setSelLength(5);
    main->mnuPaste->trigger();
    EXPECT_EQ(doc->txtText01->Text(), QStringLiteral("keep keep"));
    EXPECT_EQ(doc->txtText01->SelStart(), 5);
    EXPECT_TRUE(doc->TextChanged);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(EditMenuTest, ToggleHidesAndShowsThePanelAndTheCaptionFollowsTheActiveDocument)
{
    frmTf* first = openDocument(QStringLiteral("one two one"));
    frmTf* second = openDocument(QStringLiteral("two"));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(main->mnuFindOnOff->text(), kHide);

    // A search under way and the panel's texts survive hiding.
    activate(first);
    first->cboCombo01[0]->setEditText(QStringLiteral("one"));
    first->cboCombo01[1]->setEditText(QStringLiteral("uno"));
    first->cmdFindFirst_Click();
    ASSERT_EQ(first->FindPos, 4);
    const QRect textPlace = first->txtText01->geometry();

    main->mnuFindOnOff->trigger();
    EXPECT_TRUE(first->fraFrame01->isHidden());
    EXPECT_FALSE(second->fraFrame01->isHidden());
    EXPECT_EQ(main->mnuFindOnOff->text(), kShow);
    EXPECT_EQ(first->txtText01->geometry(), textPlace);

    activate(second);
    EXPECT_EQ(main->mnuFindOnOff->text(), kHide);
    activate(first);
    EXPECT_EQ(main->mnuFindOnOff->text(), kShow);

    main->mnuFindOnOff->trigger();
    EXPECT_FALSE(first->fraFrame01->isHidden());
    EXPECT_EQ(main->mnuFindOnOff->text(), kHide);
    EXPECT_EQ(first->cboCombo01[0]->currentText(), QStringLiteral("one"));
    EXPECT_EQ(first->cboCombo01[1]->currentText(), QStringLiteral("uno"));
    EXPECT_EQ(first->FindPos, 4);
    first->cmdFindNext_Click();
    EXPECT_EQ(first->txtText01->SelStart(), 8);

    // Both hidden: the caption says "Show" whichever becomes active.
    main->mnuFindOnOff->trigger();
    activate(second);
    main->mnuFindOnOff->trigger();
    EXPECT_TRUE(first->fraFrame01->isHidden() && second->fraFrame01->isHidden());
    activate(first);
    EXPECT_EQ(main->mnuFindOnOff->text(), kShow);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(EditMenuTest, ToggleWithTheAboutWindowActiveIsRefusedAndKeepsTheDocumentsCaption)
{
    auto* about = qobject_cast<frmAbout*>(main->ActiveForm());
    ASSERT_TRUE(about);
    frmTf* doc = openDocument(QStringLiteral("text"));
    ASSERT_TRUE(doc);
    main->mnuFindOnOff->trigger();
    ASSERT_EQ(main->mnuFindOnOff->text(), kShow);

    main->mdiArea()->setActiveSubWindow(about);
    test::settle();
    ASSERT_EQ(main->ActiveForm(), about);
    main->mnuFindOnOff->trigger();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last().prompt, kNotAllowed);
    EXPECT_EQ(dialogs.last().title, kAppTitle);
    EXPECT_EQ(main->mnuFindOnOff->text(), kShow);
    EXPECT_TRUE(doc->fraFrame01->isHidden()) << "the document's panel is not touched";
}

TEST_F(EditMenuTest, FontGoesToTheActiveDocumentsTextOnly)
{
    frmTf* other = openDocument(QStringLiteral("other"));
    frmTf* doc = openDocument(QStringLiteral("mine"));
    ASSERT_TRUE(other && doc);
    const QFont before = doc->txtText01->font();
    const QFont otherBefore = other->txtText01->font();
    const QFont panelBefore = doc->cboCombo01[0]->font();

    // A size outside 8..20 is still taken: the range is only handed to the dialog.
    files.chooseFont(FontChoice{QStringLiteral("DejaVu Sans Mono"), 24, true, false, true, false});
    main->mnuSetFont->trigger();
    ASSERT_EQ(files.shown().size(), 1);
    const auto& shown = files.shown()[0];
    EXPECT_EQ(shown.kind, test::ScriptedCommonDialog::Kind::Font);
    EXPECT_EQ(shown.title, QStringLiteral("Set Font for the Text"));
    EXPECT_EQ(shown.minSize, 8);
    EXPECT_EQ(shown.maxSize, 20);
    EXPECT_EQ(shown.font.name, before.family());
    EXPECT_FLOAT_EQ(shown.font.size, float(before.pointSizeF()));
    EXPECT_EQ(shown.font.bold, before.bold());
    EXPECT_EQ(main->CommonDialog1.Flags, 3);
    EXPECT_EQ(main->CommonDialog1.Min, 8);
    EXPECT_EQ(main->CommonDialog1.Max, 20);
    EXPECT_TRUE(main->CommonDialog1.CancelError);

    const QFont after = doc->txtText01->font();
    EXPECT_EQ(after.family(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(after.pointSizeF(), 24);
    EXPECT_TRUE(after.bold());
    EXPECT_FALSE(after.italic());
    EXPECT_TRUE(after.strikeOut());
    EXPECT_FALSE(after.underline());
    EXPECT_EQ(other->txtText01->font(), otherBefore);
    EXPECT_EQ(doc->cboCombo01[0]->font(), panelBefore);

    // The next dialog starts from the document's new font; Cancel keeps it.
    files.cancel();
    main->mnuSetFont->trigger();
    ASSERT_EQ(files.shown().size(), 2);
    EXPECT_EQ(files.shown()[1].font, (FontChoice{QStringLiteral("DejaVu Sans Mono"), 24, true, false, true, false}));
    EXPECT_EQ(doc->txtText01->font(), after);

    // A document opened later has the ordinary font.
    frmTf* later = openDocument(QString());
    ASSERT_TRUE(later);
    EXPECT_EQ(later->txtText01->font(), before);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(EditMenuTest, ColourGoesToTheActiveDocumentsTextOnlyAndCancelKeepsIt)
{
    frmTf* other = openDocument(QStringLiteral("other"));
    frmTf* doc = openDocument(QStringLiteral("mine"));
    ASSERT_TRUE(other && doc);
    const QColor start = doc->txtText01->palette().color(QPalette::Base);
    const QColor otherStart = other->txtText01->palette().color(QPalette::Base);

    files.chooseColor(RGB(10, 20, 30));
    main->mnuColour->trigger();
    ASSERT_EQ(files.shown().size(), 1);
    EXPECT_EQ(files.shown()[0].kind, test::ScriptedCommonDialog::Kind::Color);
    EXPECT_EQ(files.shown()[0].title, QStringLiteral("Select a colour"));
    EXPECT_EQ(files.shown()[0].colour, RGB(start.red(), start.green(), start.blue()));
    EXPECT_EQ(doc->txtText01->palette().color(QPalette::Base), QColor(10, 20, 30));
    EXPECT_EQ(other->txtText01->palette().color(QPalette::Base), otherStart);

    files.cancel();
    main->mnuColour->trigger();
    ASSERT_EQ(files.shown().size(), 2);
    EXPECT_EQ(files.shown()[1].colour, RGB(10, 20, 30));
    EXPECT_EQ(doc->txtText01->palette().color(QPalette::Base), QColor(10, 20, 30));

    activate(other);
    files.chooseColor(RGB(200, 100, 0));
    main->mnuColour->trigger();
    EXPECT_EQ(other->txtText01->palette().color(QPalette::Base), QColor(200, 100, 0));
    EXPECT_EQ(doc->txtText01->palette().color(QPalette::Base), QColor(10, 20, 30));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}
