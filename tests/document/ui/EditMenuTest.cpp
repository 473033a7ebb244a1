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

// Each row: the focused control (the document text or a find box) given a text and a
// selection, the command, then the control's text, the clipboard and whether the document
// changed. A find box leaves the document alone; with nothing selected Copy and Cut leave the
// clipboard, and with no text on it (a picture) Paste leaves the selection.
TEST_F(EditMenuTest, ClipboardCommandsActOnTheDocumentTextOrTheFocusedFindBox)
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
        EXPECT_EQ(clipboardText(), QLatin1String(r.clipboard));
        EXPECT_EQ(d->TextChanged, r.changed);
        EXPECT_EQ(box ? box->count() : 0, 0);  // a find box collects nothing
    }
    EXPECT_EQ(sel(d), Sel(1, 2));
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
