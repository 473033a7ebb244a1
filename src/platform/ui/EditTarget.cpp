#include "platform/ui/EditTarget.h"

#include "platform/ui/SelectionAccess.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QTextEdit>

namespace folio {

namespace {

class SelectionAccessTarget final : public EditTarget {
public:
    SelectionAccessTarget(QWidget* w, SelectionAccess* s) : m_widget(w), m_access(s) {}
    QWidget* widget() const override { return m_widget; }
    QString SelText() const override { return m_access->SelText(); }
    void ReplaceSelection(const QString& text) override { m_access->ReplaceSelection(text); }

private:
    QWidget* m_widget;
    SelectionAccess* m_access;
};

class LineEditTarget final : public EditTarget {
public:
    LineEditTarget(QWidget* shown, QLineEdit* edit) : m_widget(shown), m_edit(edit) {}
    QWidget* widget() const override { return m_widget; }
    QString SelText() const override { return m_edit->selectedText(); }
    void ReplaceSelection(const QString& text) override
    {
        // A locked box still takes the program's own replacement.
        const bool readOnly = m_edit->isReadOnly();
        m_edit->setReadOnly(false);
        m_edit->insert(text);
        m_edit->setReadOnly(readOnly);
    }

private:
    QWidget* m_widget;
    QLineEdit* m_edit;
};

class TextCursorTarget final : public EditTarget {
public:
    TextCursorTarget(QWidget* w, std::function<QTextCursor()> get, std::function<void(const QTextCursor&)> set)
        : m_widget(w), m_get(std::move(get)), m_set(std::move(set))
    {
    }
    QWidget* widget() const override { return m_widget; }
    QString SelText() const override
    {
        QString s = m_get().selectedText();
        s.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
        return s;
    }
    void ReplaceSelection(const QString& text) override
    {
        QTextCursor c = m_get();
        c.insertText(text);
        m_set(c);
    }

private:
    QWidget* m_widget;
    std::function<QTextCursor()> m_get;
    std::function<void(const QTextCursor&)> m_set;
};

}  // namespace

bool EditTarget::isTextEntry(const QWidget* control)
{
    if (!control)
        return false;
    if (dynamic_cast<const SelectionAccess*>(control) || qobject_cast<const QLineEdit*>(control)
        || qobject_cast<const QTextEdit*>(control))
        return true;
    if (qobject_cast<const QListView*>(control))
        return true;
    return qobject_cast<const QComboBox*>(control) != nullptr;
}

std::unique_ptr<EditTarget> EditTarget::of(QWidget* control)
{
    if (!control)
        return nullptr;
    if (auto* access = dynamic_cast<SelectionAccess*>(control))
        return std::make_unique<SelectionAccessTarget>(control, access);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        // The line edit inside an editable combo box stands for the combo box.
        if (auto* combo = qobject_cast<QComboBox*>(edit->parentWidget()); combo && combo->lineEdit() == edit)
            return std::make_unique<LineEditTarget>(combo, edit);
        return std::make_unique<LineEditTarget>(edit, edit);
    }
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (combo->lineEdit())
            return std::make_unique<LineEditTarget>(combo, combo->lineEdit());
        return nullptr;
    }
    if (auto* rich = qobject_cast<QTextEdit*>(control))
        return std::make_unique<TextCursorTarget>(
            rich, [rich] { return rich->textCursor(); }, [rich](const QTextCursor& c) { rich->setTextCursor(c); });
    return nullptr;
}

}  // namespace folio
