#pragma once
// The undo history of a text model (TextModel): its own edits, grouped in steps as a user
// sees them, each with the caret and selection before and after it. It only records and
// hands steps back; the model applies them.
#include <QString>

#include <algorithm>
#include <vector>

namespace folio {

// A selection: the caret, and the anchor the user selected from (equal: nothing selected).
struct Selection {
    qsizetype anchor = 0;
    qsizetype caret = 0;
    qsizetype start() const { return std::min(anchor, caret); }
    qsizetype length() const { return anchor < caret ? caret - anchor : anchor - caret; }
    bool operator==(const Selection&) const = default;
};

// One primitive edit as it was made: `removed` at `position` gave way to `inserted`.
struct TextEdit {
    qsizetype position = 0;
    QString removed;
    QString inserted;
};

// What made a step. A run of typing is one step; everything else is one step each.
enum class StepKind { Command, Typing };

struct EditStep {
    StepKind kind = StepKind::Command;
    std::vector<TextEdit> edits;  // in the order they were made
    Selection before;
    Selection after;
};

class EditHistory {
public:
    // Adds a step made just now and forgets the steps undone before it. A typing step joins
    // the step before when that is typing too, the run is still open and this one goes on
    // where that one left the caret, nothing selected.
    void record(EditStep step);
    // The caret went elsewhere, or something else happened: the next typing starts a step.
    void closeRun() { m_runOpen = false; }

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    // The step to take back, moved to the redo side; the step to make again, moved back.
    // Each closes the run. Only when canUndo() / canRedo().
    const EditStep& undo();
    const EditStep& redo();
    void clear();

private:
    std::vector<EditStep> m_undo;
    std::vector<EditStep> m_redo;
    bool m_runOpen = false;
};

}  // namespace folio
