#include "platform/logic/TextModel.h"

#include <algorithm>
#include <utility>

namespace folio {

TextModel::TextModel(QObject* parent) : QObject(parent) {}

// ---------------------------------------------------------------------------------------
// Reading

qsizetype TextModel::lineEnd(qsizetype line) const
{
    line = std::clamp<qsizetype>(line, 0, m_text.breakCount());
    if (line == m_text.breakCount())
        return length();
    const qsizetype next = m_text.lineStart(line + 1);
    return next - (lineBreak(line) == LineBreak::CrLf ? 2 : 1);
}

LineBreak TextModel::lineBreak(qsizetype line) const
{
    if (line < 0 || line >= m_text.breakCount())
        return LineBreak::None;
    const qsizetype next = m_text.lineStart(line + 1);
    if (m_text.at(next - 1) == u'\r')
        return LineBreak::Cr;
    return next >= 2 && m_text.at(next - 2) == u'\r' ? LineBreak::CrLf : LineBreak::Lf;
}

qsizetype TextModel::outOfBreak(qsizetype position) const
{
    const bool insidePair = position > 0 && position < length() && m_text.at(position - 1) == u'\r'
        && m_text.at(position) == u'\n';
    return insidePair ? position + 1 : position;
}

// ---------------------------------------------------------------------------------------
// Selection and whole text

void TextModel::select(qsizetype anchor, qsizetype caret)
{
    const Selection wanted{outOfBreak(std::clamp<qsizetype>(anchor, 0, length())),
                           outOfBreak(std::clamp<qsizetype>(caret, 0, length()))};
    if (wanted == m_selection)
        return;
    m_selection = wanted;
    if (m_depth > 0)
        return;  // the transaction reports it when it ends
    // The caret went elsewhere: typing from here on is a step of its own.
    m_history.closeRun();
    emit SelectionChange();
}

void TextModel::setText(const QString& text)
{
    PieceText pieces;
    pieces.assign(text);
    setText(std::move(pieces));
}

void TextModel::setText(PieceText text)
{
    const qsizetype before = length();
    m_text = std::move(text);
    m_history.clear();
    m_changed = false;
    const bool moved = m_selection != Selection{};
    m_selection = Selection{};
    emit Change(TextChange{0, before, length(), true, {}});
    if (moved)
        emit SelectionChange();
}

// ---------------------------------------------------------------------------------------
// Transactions and primitives

TextModel::Transaction::Transaction(TextModel& model, StepKind kind) : m_model(model)
{
    m_model.begin(kind);
}

TextModel::Transaction::~Transaction()
{
    m_model.end();
}

void TextModel::begin(StepKind kind)
{
    if (m_depth++ > 0)
        return;
    m_step = EditStep{kind, {}, m_selection, m_selection};
    m_edited = false;
    m_lengthBefore = length();
    m_removed.clear();
}

void TextModel::end()
{
    if (--m_depth > 0)
        return;
    m_step.after = m_selection;
    const bool moved = m_selection != m_step.before;
    const bool record = !std::exchange(m_replaying, false);
    if (m_edited) {
        m_changed = true;
        const TextChange change{m_from, m_lengthBefore - m_from - m_behind, length() - m_from - m_behind, false,
                                std::exchange(m_removed, QString())};
        if (record)
            m_history.record(std::move(m_step));
        emit Change(change);
    }
    if (moved)
        emit SelectionChange();
}

void TextModel::replace(qsizetype position, qsizetype length, QStringView text)
{
    Transaction step(*this);
    apply(position, length, text);
}

void TextModel::apply(qsizetype position, qsizetype length, QStringView text)
{
    const qsizetype before = this->length();
    position = std::clamp<qsizetype>(position, 0, before);
    length = std::clamp<qsizetype>(length, 0, before - position);
    if (length == 0 && text.isEmpty())
        return;
    const qsizetype behind = before - position - length;
    const QString removed = m_replaying && !m_keepRemoved ? QString() : m_text.mid(position, length);
    if (!m_replaying)
        m_step.edits.push_back(TextEdit{position, removed, text.toString()});
    if (m_keepRemoved) {
        // The old text of the changed stretch grows by the unchanged text between it and
        // this primitive's stretch, read before it changes.
        if (!m_edited) {
            m_removed = removed;
        } else {
            if (position < m_from)
                m_removed.prepend(m_text.mid(position, m_from - position));
            if (behind < m_behind)
                m_removed.append(m_text.mid(before - m_behind, m_behind - behind));
        }
    }
    m_text.replace(position, length, text);

    m_from = m_edited ? std::min(m_from, position) : position;
    m_behind = m_edited ? std::min(m_behind, behind) : behind;
    m_edited = true;

    // Marks inside the removed stretch go to where it was; those behind it move with the text.
    const auto moved = [&](qsizetype p) {
        const qsizetype to = p <= position ? p : p < position + length ? position : p - length + text.size();
        return outOfBreak(to);
    };
    m_selection = Selection{moved(m_selection.anchor), moved(m_selection.caret)};
}

// ---------------------------------------------------------------------------------------
// Steps

void TextModel::replaceSelection(QStringView text, StepKind kind)
{
    Transaction step(*this, kind);
    const qsizetype start = SelStart();
    apply(start, SelLength(), text);
    select(start + text.size(), start + text.size());
}

void TextModel::undo()
{
    if (canUndo())
        replay(m_history.undo(), true);
}

void TextModel::redo()
{
    if (canRedo())
        replay(m_history.redo(), false);
}

void TextModel::replay(const EditStep& step, bool backwards)
{
    m_replaying = true;
    Transaction again(*this, step.kind);
    if (backwards) {
        for (auto edit = step.edits.rbegin(); edit != step.edits.rend(); ++edit)
            apply(edit->position, edit->inserted.size(), edit->removed);
    } else {
        for (const TextEdit& edit : step.edits)
            apply(edit.position, edit.removed.size(), edit.inserted);
    }
    m_selection = backwards ? step.before : step.after;
}

}  // namespace folio
