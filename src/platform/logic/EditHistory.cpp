#include "platform/logic/EditHistory.h"

#include <utility>

namespace folio {

void EditHistory::record(EditStep step)
{
    m_redo.clear();
    const bool typing = step.kind == StepKind::Typing;
    if (typing && m_runOpen && !m_undo.empty()) {
        EditStep& last = m_undo.back();
        const bool goesOn = last.kind == StepKind::Typing && last.after == step.before && step.before.length() == 0;
        if (goesOn) {
            for (TextEdit& edit : step.edits) {
                // A character typed behind the last one joins its text (the first may have
                // replaced a selection: what it removed stays removed at the same place).
                TextEdit& previous = last.edits.back();
                if (edit.removed.isEmpty() && edit.position == previous.position + previous.inserted.size())
                    previous.inserted.append(edit.inserted);
                else
                    last.edits.push_back(std::move(edit));
            }
            last.after = step.after;
            return;
        }
    }
    m_undo.push_back(std::move(step));
    // Typing over a selection starts a run too: the characters typed on join its step.
    m_runOpen = typing;
}

const EditStep& EditHistory::undo()
{
    m_runOpen = false;
    m_redo.push_back(std::move(m_undo.back()));
    m_undo.pop_back();
    return m_redo.back();
}

const EditStep& EditHistory::redo()
{
    m_runOpen = false;
    m_undo.push_back(std::move(m_redo.back()));
    m_redo.pop_back();
    return m_undo.back();
}

void EditHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_runOpen = false;
}

}  // namespace folio
