// The document window's controls, layout and life from loading to unloading.
#include "document/ui/frmTf.h"

#include "document/logic/DocumentLayout.h"
#include "document/logic/SaveTexts.h"
#include "platform/logic/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Icons.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/WrapButton.h"
#include "shared/ui/Guarded.h"
#include "shared/ui/basModu001.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace folio {

namespace {

using document::LayoutControl;
using document::LayoutProperty;

void fillBackground(QWidget* w, QColor colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent, double l, double t, double w, double h)
{
    auto* b = new WrapButton(caption, parent);  // long captions wrap onto more lines
    b->setObjectName(QString::fromLatin1(name));
    geometry::place(b, l, t, w, h);
    return b;
}

QComboBox* findCombo(const char* name, const QString& accessibleName, QWidget* parent, double top)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setAccessibleName(accessibleName);
    c->setEditable(true);
    // The focus lands in the edit field and the list opens on its own, so both carry the
    // combo box's name for a screen reader.
    c->lineEdit()->setAccessibleName(accessibleName);
    c->view()->setAccessibleName(accessibleName);
    // Typed texts never become list items: the lists stay empty.
    c->setInsertPolicy(QComboBox::NoInsert);
    geometry::place(c, 120, top, 5415, 315);
    return c;
}

// The window's controls as the layout steps address them, in twips relative to their
// container.
class ControlGeometry final : public document::LayoutTarget {
public:
    explicit ControlGeometry(const frmTf& form) : m_form(form) {}

    double get(LayoutControl control, LayoutProperty property) const override
    {
        const QWidget* w = widget(control);
        switch (property) {
        case LayoutProperty::Left: return geometry::left(w);
        case LayoutProperty::Top: return geometry::top(w);
        case LayoutProperty::Width: return geometry::width(w);
        case LayoutProperty::Height: return geometry::height(w);
        }
        return 0;
    }

    void set(LayoutControl control, LayoutProperty property, double twips) override
    {
        QWidget* w = widget(control);
        switch (property) {
        case LayoutProperty::Left: geometry::setLeft(w, twips); break;
        case LayoutProperty::Top: geometry::setTop(w, twips); break;
        case LayoutProperty::Width: geometry::setWidth(w, twips); break;
        case LayoutProperty::Height: geometry::setHeight(w, twips); break;
        }
    }

private:
    QWidget* widget(LayoutControl control) const
    {
        switch (control) {
        case LayoutControl::Text: return m_form.txtText01;
        case LayoutControl::Close: return m_form.cmdClose;
        case LayoutControl::Save: return m_form.cmdSave;
        case LayoutControl::SaveAs: return m_form.cmdSaveas;
        case LayoutControl::Panel: return m_form.fraFrame01;
        case LayoutControl::FindText: return m_form.cboCombo01[0];
        case LayoutControl::Replacement: return m_form.cboCombo01[1];
        case LayoutControl::FindFirst: return m_form.cmdFindFirst;
        case LayoutControl::FindNext: return m_form.cmdFindNext;
        case LayoutControl::CaseSwitch: return m_form.cmdCS;
        case LayoutControl::Replace: return m_form.cmdReplace;
        case LayoutControl::Clear: return m_form.cmdClear;
        }
        throw RuntimeError::notSupported();
    }

    const frmTf& m_form;
};

}  // namespace

frmTf::frmTf(Frame& frame) : ChildForm(frame)
{
    setObjectName(QStringLiteral("frmTf"));
    setWindowIcon(icons::document());
    QWidget* c = client();
    fillBackground(c, QColor(255, 224, 192));

    txtText01 = new TextBox(c);
    txtText01->setObjectName(QStringLiteral("txtText01"));
    txtText01->setAccessibleName(QStringLiteral("Document text"));
    txtText01->setFont(fonts::font(fonts::kDialogFont, 9.75));
    txtText01->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtText01->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    geometry::place(txtText01, 120, 120, 2000, 1455);

    cmdClose = button("cmdClose", QStringLiteral("C&lose"), c, 7920, 120, 855, 375);
    cmdSave = button("cmdSave", QStringLiteral("&Save"), c, 7920, 600, 855, 375);
    cmdSaveas = button("cmdSaveas", QStringLiteral("Sa&ve As"), c, 7920, 1080, 855, 375);

    fraFrame01 = new QGroupBox(QStringLiteral("Find and Replace"), c);
    fraFrame01->setObjectName(QStringLiteral("fraFrame01"));
    fillBackground(fraFrame01, QColor(192, 192, 255));
    geometry::place(fraFrame01, 120, 3960, 8655, 1050);

    QWidget* panel = fraFrame01;
    cboCombo01[0] = findCombo("cboCombo01_0", QStringLiteral("Find text"), panel, 200);
    cmdFindFirst = button("cmdFindFirst", QStringLiteral("F&ind First"), panel, 5640, 200, 855, 320);
    cmdFindNext = button("cmdFindNext", QStringLiteral("Find &Next"), panel, 6600, 200, 855, 320);
    cboCombo01[1] = findCombo("cboCombo01_1", QStringLiteral("Replacement text"), panel, 600);
    cmdReplace = button("cmdReplace", QStringLiteral("&Replace"), panel, 5640, 600, 855, 320);
    cmdClear = button("cmdClear", QStringLiteral("C&lear List"), panel, 6600, 600, 855, 320);
    cmdCS = button("cmdCS", QStringLiteral("Case Sens&itive Search"), panel, 7560, 200, 1000, 720);

    const QList<QWidget*> tabOrder{txtText01,   cmdClose,      cmdSave,    cmdSaveas, cboCombo01[0], cmdFindFirst,
                                   cmdFindNext, cboCombo01[1], cmdReplace, cmdClear,  cmdCS};
    for (int i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);

    connect(txtText01, &TextBox::Change, this, &frmTf::txtText01_Change);
    connect(cmdClose, &QPushButton::clicked, this, &frmTf::cmdClose_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmTf::cmdSave_Click);
    connect(cmdSaveas, &QPushButton::clicked, this, &frmTf::cmdSaveas_Click);
    connect(cmdFindFirst, &QPushButton::clicked, this, &frmTf::cmdFindFirst_Click);
    connect(cmdFindNext, &QPushButton::clicked, this, &frmTf::cmdFindNext_Click);
    connect(cmdReplace, &QPushButton::clicked, this, &frmTf::cmdReplace_Click);
    connect(cmdCS, &QPushButton::clicked, this, &frmTf::cmdCS_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmTf::cmdClear_Click);

    setClientSize(8910, 6120);
}

frmTf::~frmTf() = default;

void frmTf::Form_Load()
{
    guarded([&] {
        cmdClear->setVisible(false);
        CaseSensitive = true;
        showCaseMode();
        setCaption(document::kEmptyCaption);
        Show();
        OpenedReadOnly = false;
        FileExt.clear();
    });
}

void frmTf::Form_Activate()
{
    // isHidden(), not isVisible(): the panel's own state, whatever the window's.
    frame().showFindPanelState(fraFrame01->isHidden());
    basModu001::SetHtmlMenuState(frame(), FileExt);
}

void frmTf::Form_Resize()
{
    applyLayout();
}

void frmTf::applyLayout()
{
    ControlGeometry controls(*this);
    document::applyDocumentLayout(ScaleWidth(), ScaleHeight(), controls);
}

void frmTf::txtText01_Change()
{
    TextChanged = true;
}

void frmTf::cmdClose_Click()
{
    Unload();
}

void frmTf::Form_QueryUnload(bool& cancel)
{
    // Keys typed while the file was still being read count as changes once carried out.
    if (!finishLoading() || !TextChanged)
        return;
    const MsgAnswer answer = MsgBox(document::kSaveQuestion, MsgButtons::YesNoCancel, MsgIcon::Question, 3,
                                    document::kSaveQuestionTitle);
    switch (answer) {
    case MsgAnswer::No: return;
    case MsgAnswer::Yes:
        // Changes the user asked to keep are never thrown away: the window closes only
        // once they are on disk.
        if (saveByDecision() != SaveOutcome::Written)
            cancel = true;
        return;
    default: cancel = true; return;
    }
}

void frmTf::Form_Unload()
{
    frame().windowClosed(*this);
}

}  // namespace folio
