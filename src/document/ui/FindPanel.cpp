// The "Find and Replace" panel's commands: "F&ind First", "Find &Next", "&Replace", the case
// switch and the hidden "C&lear List".
//
// State lives in the window (CaseSensitive, FindLen, FindPos), so every document searches on
// its own. FindPos is 1-based: the position "Find &Next" starts from, 0 when no match is
// current.
#include "document/ui/frmTf.h"

#include "document/logic/FindText.h"
#include "platform/logic/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/TextBox.h"
#include "shell/ui/basModu001.h"

#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <QTextDocument>

namespace folio {

namespace {

const QString kNoFindText = QStringLiteral("Please type valid text to find.");
const QString kFirstNotFound = QStringLiteral("Finding completed. Matching text is not found.");
const QString kNextNotFound = QStringLiteral("Find completed. Matching text is not found.");
const QString kStartAgainQuestion = QStringLiteral(
    "Finding is already completed till the end of file. Do you want to do it again from the beginning of file ?");
const QString kStartAgainTitle = QStringLiteral("Please Confirm");
const QString kNoReplacement = QStringLiteral("Please type valid text to replace.");

const QString kCaseSensitiveCaption = QStringLiteral("Case Sens&itive");
const QString kCaseInsensitiveCaption = QStringLiteral("Case In-Sens&itive");

// Setting the focus on a control that cannot take it (hidden, disabled) is a failure of the
// command, not something to skip silently.
constexpr int kInvalidCall = 5;

void giveFocus(QWidget* control)
{
    if (!control)
        throw RuntimeError::noObject();
    if (!control->isVisible() || !control->isEnabled())
        throw RuntimeError(kInvalidCall, QStringLiteral("Invalid procedure call or argument"));
    control->setFocus(Qt::OtherFocusReason);
}

// The text box's model text as the search reads it. Building it means walking the whole
// document, which on a file of tens of megabytes costs far more than the search itself, so
// it is kept until the document changes: any change of content or block format (the breaks
// live in block formats) drops it, and the document's revision is checked as well.
class SearchTextCache final : public QObject {
public:
    static SearchTextCache& of(TextBox& box)
    {
        const auto name = QStringLiteral("searchTextCache");
        for (QObject* child : box.children()) {
            if (child->objectName() == name) {
                if (auto* cache = dynamic_cast<SearchTextCache*>(child))
                    return *cache;
            }
        }
        auto* cache = new SearchTextCache(box);
        cache->setObjectName(name);
        return *cache;
    }

    const QString& text()
    {
        QTextDocument* doc = m_box->document();
        if (doc != m_document)
            watch(doc);
        if (!m_valid || doc->revision() != m_revision) {
            m_text = m_box->Text();
            m_revision = doc->revision();
            m_valid = true;
        }
        return m_text;
    }

private:
    explicit SearchTextCache(TextBox& box) : QObject(&box), m_box(&box) {}

    void watch(QTextDocument* doc)
    {
        disconnect(m_connection);
        m_document = doc;
        m_connection = connect(doc, &QTextDocument::contentsChanged, this, &SearchTextCache::drop);
        drop();
    }

    void drop()
    {
        m_valid = false;
        m_text = QString();  // a big document's copy is not kept around while it is edited
    }

    TextBox* m_box;
    QPointer<QTextDocument> m_document;
    QMetaObject::Connection m_connection;
    QString m_text;
    int m_revision = -1;
    bool m_valid = false;
};

}  // namespace

void frmTf::cmdFindFirst_Click()
{
    try {
        const QString find = cboCombo01[0]->currentText();
        if (find.isEmpty()) {
            MsgBox(kNoFindText);
            giveFocus(cboCombo01[0]);
            return;
        }
        FindLen = qint32(find.size());
        FindPos = findText(SearchTextCache::of(*txtText01).text(), find, 1, CaseSensitive);
        if (FindPos != 0) {
            giveFocus(txtText01);
            txtText01->setSelStart(FindPos - 1);
            txtText01->setSelLength(FindLen);
            FindPos = FindPos + FindLen;
            return;
        }
        MsgBox(kFirstNotFound);
        giveFocus(cboCombo01[0]);
    } catch (const RuntimeError& e) {
        basModu001::ReportError(e);
    }
}

void frmTf::cmdFindNext_Click()
{
    try {
        const QString find = cboCombo01[0]->currentText();
        if (find.isEmpty()) {
            MsgBox(kNoFindText);
            giveFocus(cboCombo01[0]);
            return;
        }
        if (FindPos == 0) {
            if (MsgBox(kStartAgainQuestion, MsgButtons::YesNo, MsgIcon::Question, 2, kStartAgainTitle) ==
                MsgAnswer::Yes)
                cmdFindFirst_Click();
            return;
        }
        FindLen = qint32(find.size());
        FindPos = findText(SearchTextCache::of(*txtText01).text(), find, FindPos, CaseSensitive);
        if (FindPos != 0) {
            giveFocus(txtText01);
            txtText01->setSelStart(FindPos - 1);
            txtText01->setSelLength(FindLen);
            FindPos = FindPos + FindLen;
            return;
        }
        MsgBox(kNextNotFound);
        giveFocus(cboCombo01[0]);
    } catch (const RuntimeError& e) {
        basModu001::ReportError(e);
    }
}

void frmTf::cmdReplace_Click()
{
    try {
        const QString replacement = cboCombo01[1]->currentText();
        if (replacement.isEmpty()) {
            MsgBox(kNoReplacement);
            giveFocus(cboCombo01[1]);
            return;
        }
        // Whatever is selected gives way, match or not; with nothing selected this inserts at
        // the caret. FindPos stays where the last search left it.
        txtText01->ReplaceSelection(replacement);
    } catch (const RuntimeError& e) {
        basModu001::ReportError(e);
    }
}

void frmTf::cmdCS_Click()
{
    const QString caption = cmdCS->text();
    if (caption == kCaseSensitiveCaption) {
        CaseSensitive = false;
        cmdCS->setText(kCaseInsensitiveCaption);
    } else if (caption == kCaseInsensitiveCaption) {
        CaseSensitive = true;
        cmdCS->setText(kCaseSensitiveCaption);
    }
}

void frmTf::cmdClear_Click()
{
    for (QComboBox* combo : cboCombo01) {
        combo->clear();
        combo->clearEditText();
    }
}

}  // namespace folio
