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
class EditMenuTest : public DocumentTest {};
QString clipboardText() { return QApplication::clipboard()->text(); }
}  // namespace

// Copy, Cut and Paste act on the focused control: the document text, or a find box without
// touching the document. With nothing selected Copy and Cut leave the clipboard, and with no
// text on it Paste leaves the selection.
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
    t->setSelStart(0);
    t->setSelLength(5);
    main->mnuPaste->trigger();
    EXPECT_EQ(t->Text(), QStringLiteral("line\r\nse cond line"));
    EXPECT_EQ(sel(d), Sel(8, 0));

    d->TextChanged = false;
    QComboBox* find = d->cboCombo01[0];
    find->setEditText(QStringLiteral("needle and thread"));
    find->setFocus();
    find->lineEdit()->setSelection(0, 7);
    main->mnuCut->trigger();
    EXPECT_EQ(find->currentText(), QStringLiteral("and thread"));
    QComboBox* replacement = d->cboCombo01[1];
    replacement->setEditText(QStringLiteral("xy"));
    replacement->setFocus();
    replacement->lineEdit()->setCursorPosition(1);
    main->mnuPaste->trigger();
    EXPECT_EQ(replacement->currentText(), QStringLiteral("xneedle y"));
    EXPECT_EQ(replacement->count(), 0);
    EXPECT_FALSE(d->TextChanged);

    t->setFocus();
    t->setSelStart(2);
    main->mnuCopy->trigger();
    main->mnuCut->trigger();
    EXPECT_EQ(clipboardText(), QStringLiteral("needle "));
    auto* picture = new QMimeData;
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    picture->setImageData(image);
    QApplication::clipboard()->setMimeData(picture);
    t->setSelLength(4);
    main->mnuPaste->trigger();
    EXPECT_EQ(std::pair(t->Text(), sel(d)), std::pair(QStringLiteral("line\r\nse cond line"), Sel(2, 4)));
    EXPECT_FALSE(d->TextChanged);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

// The toggle hides the active document's panel only, keeping the text's place; with the About
// window active it is refused and nothing changes. (Its caption following the panel is the
// random session's invariant.)
TEST_F(EditMenuTest, ToggleHidesOneDocumentsPanelAndIsRefusedWithoutADocument)
{
    frmTf* other = doc(QStringLiteral("two"));
    frmTf* d = doc(QStringLiteral("one"));
    ASSERT_TRUE(other && d);
    const QRect textPlace = d->txtText01->geometry();
    main->mnuFindOnOff->trigger();
    EXPECT_EQ(std::pair(d->fraFrame01->isHidden(), other->fraFrame01->isHidden()), std::pair(true, false));
    EXPECT_EQ(d->txtText01->geometry(), textPlace);
    main->mdiArea()->setActiveSubWindow(main->aboutWindow());
    settle();
    main->mnuFindOnOff->trigger();
    EXPECT_EQ(dialogs.prompts(), QStringList{QStringLiteral("This activity is not allowed for this instance !")});
    EXPECT_EQ(main->mnuFindOnOff->text(), QStringLiteral("Show Fi&nd Dialogue"));
    EXPECT_TRUE(d->fraFrame01->isHidden());
}

// "Set &Font" and "Set C&olour" start from and change the active document's text only, each
// style of the font dialog in its own property; Cancel keeps them; with no child no dialog opens.
TEST_F(EditMenuTest, FontAndColourGoToTheActiveDocumentsTextOnlyAndCancelKeepsThem)
{
    frmTf* other = doc(QStringLiteral("other"));
    frmTf* d = doc(QStringLiteral("mine"));
    ASSERT_TRUE(other && d);
    const QFont before = d->txtText01->font();
    const QFont panelBefore = d->cboCombo01[0]->font();
    const auto base = [](frmTf* f) { return f->txtText01->palette().color(QPalette::Base); };
    const QColor otherBase = base(other);
    const FontChoice chosen{QStringLiteral("DejaVu Sans Mono"), 24, true, false, true, false};
    files.chooseFont(chosen);  // a size outside 8..20 is still taken
    main->mnuSetFont->trigger();
    const auto& shown = files.shown().last();
    EXPECT_EQ(std::tuple(shown.title, shown.minSize, shown.maxSize), std::tuple(QStringLiteral("Set Font for the Text"), 8, 20));
    EXPECT_EQ(std::pair(shown.font.name, shown.font.size), std::pair(before.family(), float(before.pointSizeF())));
    EXPECT_EQ(main->CommonDialog1.Flags, 3);
    const QFont after = d->txtText01->font();
    EXPECT_EQ(std::pair(after.family(), after.pointSizeF()), std::pair(chosen.name, 24.0));
    EXPECT_TRUE(after.bold() && after.strikeOut() && !after.italic() && !after.underline());
    EXPECT_EQ(other->txtText01->font(), before);
    EXPECT_EQ(d->cboCombo01[0]->font(), panelBefore);
    files.cancel();
    main->mnuSetFont->trigger();
    EXPECT_EQ(files.shown().last().font, chosen);
    EXPECT_EQ(d->txtText01->font(), after);
    files.chooseFont(FontChoice{chosen.name, 24, false, true, true, false});
    main->mnuSetFont->trigger();
    const QFont styled = d->txtText01->font();
    EXPECT_TRUE(!styled.bold() && styled.italic() && styled.strikeOut() && !styled.underline());

    files.chooseColor(RGB(10, 20, 30)).cancel();
    main->mnuColour->trigger();
    main->mnuColour->trigger();
    EXPECT_EQ(files.shown().last().title, QStringLiteral("Select a colour"));
    EXPECT_EQ(files.shown().last().colour, RGB(10, 20, 30));
    EXPECT_EQ(std::pair(base(d), base(other)), std::pair(QColor(10, 20, 30), otherBase));
    main->mdiArea()->setActiveSubWindow(other);
    settle();
    files.chooseColor(RGB(200, 100, 0));
    main->mnuColour->trigger();
    EXPECT_EQ(std::pair(base(d), base(other)), std::pair(QColor(10, 20, 30), QColor(200, 100, 0)));
    EXPECT_EQ(doc(QString())->txtText01->font(), before);  // a later document: the ordinary font

    closeAllChildren();
    const auto count = files.shown().size();
    main->mnuSetFont->trigger();
    main->mnuColour->trigger();
    EXPECT_EQ(files.shown().size(), count);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}
