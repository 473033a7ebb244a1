// The Edit menu on document windows: the clipboard on the document text and on the find
// boxes, the find-panel toggle, and the font and colour of one document's text.
#include "DocumentTest.h"

#include "reading/ui/frmAbout.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>

using namespace folio;
using namespace folio::test;

namespace {

const QString kHide = QStringLiteral("Hide Fi&nd Dialogue");
const QString kShow = QStringLiteral("Show Fi&nd Dialogue");

class EditMenuTest : public DocumentTest {
protected:
    void activate(frmTf* d)
    {
        main->mdiArea()->setActiveSubWindow(d);
        settle();
    }
    static QString clipboardText() { return QApplication::clipboard()->text(); }
};

}  // namespace

TEST_F(EditMenuTest, ClipboardCommandsActOnTheDocumentTextOrTheFocusedFindBox)
{
    frmTf* d = doc(QStringLiteral("first line\r\nsecond line"));
    ASSERT_TRUE(d);
    TextBox* t = d->txtText01;
    t->setFocus();
    t->setSelStart(6);
    t->setSelLength(8);
    main->mnuCopy->trigger();
    EXPECT_EQ(clipboardText(), QStringLiteral("line\r\nse"));
    EXPECT_FALSE(d->TextChanged);
    main->mnuCut->trigger();
    EXPECT_EQ(t->Text(), QStringLiteral("first cond line"));
    EXPECT_TRUE(d->TextChanged);
    t->setSelStart(0);
    t->setSelLength(5);
    main->mnuPaste->trigger();
    EXPECT_EQ(t->Text(), QStringLiteral("line\r\nse cond line"));
    EXPECT_EQ(sel(d), Sel(8, 0));

    // In the find box with the focus, the document is left alone.
    d->TextChanged = false;
    QComboBox* find = d->cboCombo01[0];
    find->setEditText(QStringLiteral("needle and thread"));
    find->setFocus();
    find->lineEdit()->setSelection(0, 7);
    main->mnuCut->trigger();
    EXPECT_EQ(clipboardText(), QStringLiteral("needle "));
    EXPECT_EQ(find->currentText(), QStringLiteral("and thread"));
    QComboBox* replacement = d->cboCombo01[1];
    replacement->setEditText(QStringLiteral("xy"));
    replacement->setFocus();
    replacement->lineEdit()->setCursorPosition(1);
    main->mnuPaste->trigger();
    EXPECT_EQ(replacement->currentText(), QStringLiteral("xneedle y"));
    EXPECT_EQ(replacement->count(), 0);
    EXPECT_EQ(t->Text(), QStringLiteral("line\r\nse cond line"));
    EXPECT_FALSE(d->TextChanged);

    // With nothing selected, Copy and Cut leave the clipboard as it is.
    t->setFocus();
    t->setSelStart(2);
    main->mnuCopy->trigger();
    main->mnuCut->trigger();
    EXPECT_EQ(clipboardText(), QStringLiteral("needle "));

    // With no text on the clipboard, Paste leaves the selection, and Copy of nothing keeps
    // the picture.
    auto* picture = new QMimeData;
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    picture->setImageData(image);
    QApplication::clipboard()->setMimeData(picture);
    ASSERT_FALSE(QApplication::clipboard()->mimeData()->hasText());
    t->setSelStart(0);
    t->setSelLength(6);
    main->mnuPaste->trigger();
    EXPECT_EQ(t->Text(), QStringLiteral("line\r\nse cond line"));
    EXPECT_EQ(sel(d), Sel(0, 6));
    t->setSelLength(0);
    main->mnuCopy->trigger();
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasImage());
    EXPECT_FALSE(d->TextChanged);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(EditMenuTest, ToggleHidesAndShowsOneDocumentsPanelAndKeepsItsSearch)
{
    frmTf* other = doc(QStringLiteral("two"));
    frmTf* d = doc(QStringLiteral("one two one"), QStringLiteral("one"));
    ASSERT_TRUE(other && d);
    EXPECT_EQ(main->mnuFindOnOff->text(), kHide);
    d->cboCombo01[1]->setEditText(QStringLiteral("uno"));
    d->cmdFindFirst_Click();
    const QRect textPlace = d->txtText01->geometry();

    main->mnuFindOnOff->trigger();
    EXPECT_TRUE(d->fraFrame01->isHidden());
    EXPECT_FALSE(other->fraFrame01->isHidden());
    EXPECT_EQ(main->mnuFindOnOff->text(), kShow);
    EXPECT_EQ(d->txtText01->geometry(), textPlace);

    main->mnuFindOnOff->trigger();
    EXPECT_FALSE(d->fraFrame01->isHidden());
    EXPECT_EQ(main->mnuFindOnOff->text(), kHide);
    EXPECT_EQ(d->cboCombo01[1]->currentText(), QStringLiteral("uno"));
    d->cmdFindNext_Click();
    EXPECT_EQ(d->txtText01->SelStart(), 8);

    // The About window active: refused, and neither caption nor panel change.
    main->mnuFindOnOff->trigger();
    auto* about = qobject_cast<frmAbout*>(children().first());
    ASSERT_TRUE(about);
    main->mdiArea()->setActiveSubWindow(about);
    settle();
    main->mnuFindOnOff->trigger();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last().prompt, QStringLiteral("This activity is not allowed for this instance !"));
    EXPECT_EQ(main->mnuFindOnOff->text(), kShow);
    EXPECT_TRUE(d->fraFrame01->isHidden());
}

TEST_F(EditMenuTest, FontAndColourGoToTheActiveDocumentsTextOnlyAndCancelKeepsThem)
{
    frmTf* other = doc(QStringLiteral("other"));
    frmTf* d = doc(QStringLiteral("mine"));
    ASSERT_TRUE(other && d);
    const QFont before = d->txtText01->font();
    const QFont panelBefore = d->cboCombo01[0]->font();
    const QColor otherBase = other->txtText01->palette().color(QPalette::Base);

    const FontChoice chosen{QStringLiteral("DejaVu Sans Mono"), 24, true, false, true, false};
    files.chooseFont(chosen);  // a size outside 8..20 is still taken
    main->mnuSetFont->trigger();
    ASSERT_EQ(files.shown().size(), 1);
    EXPECT_EQ(files.shown()[0].title, QStringLiteral("Set Font for the Text"));
    EXPECT_EQ(std::pair(files.shown()[0].minSize, files.shown()[0].maxSize), std::pair(8, 20));
    EXPECT_EQ(main->CommonDialog1.Flags, 3);
    EXPECT_EQ(files.shown()[0].font.name, before.family());
    EXPECT_FLOAT_EQ(files.shown()[0].font.size, float(before.pointSizeF()));
    const QFont after = d->txtText01->font();
    EXPECT_EQ(after.family(), chosen.name);
    EXPECT_EQ(after.pointSizeF(), 24);
    EXPECT_TRUE(after.bold() && after.strikeOut() && !after.italic() && !after.underline());
    EXPECT_EQ(other->txtText01->font(), before);
    EXPECT_EQ(d->cboCombo01[0]->font(), panelBefore);

    files.cancel();
    main->mnuSetFont->trigger();
    EXPECT_EQ(files.shown().last().font, chosen);  // starts from the document's font
    EXPECT_EQ(d->txtText01->font(), after);
    // Each style of the dialog lands in its own property (with the choice above, no two alike).
    files.chooseFont(FontChoice{chosen.name, 24, false, true, true, false});
    main->mnuSetFont->trigger();
    const QFont styled = d->txtText01->font();
    EXPECT_TRUE(!styled.bold() && styled.italic() && styled.strikeOut() && !styled.underline());

    files.chooseColor(RGB(10, 20, 30));
    main->mnuColour->trigger();
    EXPECT_EQ(files.shown().last().title, QStringLiteral("Select a colour"));
    EXPECT_EQ(d->txtText01->palette().color(QPalette::Base), QColor(10, 20, 30));
    EXPECT_EQ(other->txtText01->palette().color(QPalette::Base), otherBase);
    files.cancel();
    main->mnuColour->trigger();
    EXPECT_EQ(files.shown().last().colour, RGB(10, 20, 30));
    EXPECT_EQ(d->txtText01->palette().color(QPalette::Base), QColor(10, 20, 30));

    activate(other);
    files.chooseColor(RGB(200, 100, 0));
    main->mnuColour->trigger();
    EXPECT_EQ(other->txtText01->palette().color(QPalette::Base), QColor(200, 100, 0));
    EXPECT_EQ(d->txtText01->palette().color(QPalette::Base), QColor(10, 20, 30));
    EXPECT_EQ(doc(QString())->txtText01->font(), before);  // a later document: the ordinary font
    EXPECT_TRUE(dialogs.shown().isEmpty());

    closeAllChildren();  // no child: the commands end before any dialog opens
    const auto shown = files.shown().size();
    main->mnuSetFont->trigger();
    main->mnuColour->trigger();
    EXPECT_EQ(files.shown().size(), shown);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}
