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

// "Set &Font" and "Set C&olour" start from the active document's text and change it alone,
// each style of the font dialog in its own property; Cancel keeps them; a later document has
// the ordinary font; with no child no dialog opens.
TEST_F(EditMenuTest, FontAndColourGoToTheActiveDocumentsTextOnlyAndCancelKeepsThem)
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
