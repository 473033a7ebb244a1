#pragma once
// The text of a text box, apart from any display: the one authority for the text, its
// caret and selection, its undo history and its changed flag. A view shows it and turns
// keys, mouse, input methods, drops and the clipboard into its edits; whatever the view does
// for display (laying out, wrapping, dividing long lines) never enters it. The view follows
// it by its two signals: `Change` after every edit, undo or redo (one report each, the range
// that changed) and `SelectionChange`; it lays out again only the lines a report names.
//
// Text and positions. The text is its characters, line breaks included: a line ends in a CR
// LF, a lone LF or a lone CR, and a CR right before an LF is always one CR LF break.
// Positions count every character, so CR LF counts two, as SelStart does. Enter inserts
// CR LF; any other inserted text keeps its breaks as they are, so a file whose lines end in
// LF keeps them through every edit, undo and redo.
//
// Cost. The text is a PieceText: an edit copies the piece or two it falls in (at most about
// 64 K characters), and a position or a line is found by a binary search over the pieces
// and a scan inside one, so an edit, an undo and a line lookup take microseconds in a 1 KB
// and a 200 MB text alike (about 0.5 and 11 us an edit here; the rest of the difference is
// the shift of the pieces' running sums behind the edit).
//
// Edits. Every change goes through insert, remove or replace inside a Transaction; the
// transaction is one undo step and one change report, whatever number of primitives it
// holds (transactions inside another join it). A primitive outside any transaction is a
// step of its own. A position or length beyond the text is clamped to it.
//
// Undo. A step is what the user sees as one: a run of typing (typeText at the caret where
// the last typed text ended, nothing else in between), a command, a paste, a drop. Undo
// brings back the caret and selection from before the step, redo those from after it.
//
// The changed flag is set by every edit, undo and redo, and cleared only by the owner
// (clearChanged, on saving) and by setText: an undo back to the saved text is a change too.
//
// Readers never wait and change nothing: the text is whole once set.
#include "platform/logic/EditHistory.h"
#include "platform/logic/PieceText.h"

#include <QObject>
#include <QString>

#include <algorithm>

namespace folio {

// What one transaction, undo or redo changed: `removed` characters at `position` gave way
// to `inserted` characters (the smallest stretch that holds every primitive of it). A whole
// new text (setText) is `whole`, all of the old text removed.
struct TextChange {
    qsizetype position = 0;
    qsizetype removed = 0;
    qsizetype inserted = 0;
    bool whole = false;
    // The removed characters as they were, while the model keeps them (keepRemovedText);
    // never those of a whole new text.
    QString removedText;
    bool operator==(const TextChange&) const = default;
};

// The break that ends a line; the last line has none.
enum class LineBreak { None, CrLf, Lf, Cr };

class TextModel : public QObject {
    Q_OBJECT
public:
    explicit TextModel(QObject* parent = nullptr);

    // Reading.
    QString Text() const { return m_text.joined(); }
    qsizetype length() const { return m_text.size(); }
    QString slice(qsizetype position, qsizetype length) const { return m_text.mid(position, length); }
    // The text in its parts, for readers that walk a big text once (find, save); a copy that
    // keeps its text whatever the model does afterwards.
    PieceText pieces() const { return m_text; }
    qsizetype lineCount() const { return m_text.breakCount() + 1; }
    qsizetype lineOf(qsizetype position) const { return m_text.lineOf(position); }
    // Where line `line` (clamped to the lines) starts, where its text ends before its
    // break, and the break.
    qsizetype lineStart(qsizetype line) const { return m_text.lineStart(line); }
    qsizetype lineEnd(qsizetype line) const;
    LineBreak lineBreak(qsizetype line) const;
    // The folded text (every CR LF one character, as screen readers count): its length, a
    // position's offset in it (between a CR and its LF: that behind the LF), and back (never
    // between a CR and its LF). Each a binary search and a scan inside one piece.
    qsizetype foldedLength() const { return m_text.size() - m_text.crlfCount(); }
    qsizetype foldedOffset(qsizetype position) const
    {
        position = std::clamp<qsizetype>(position, 0, length());
        return position - m_text.crlfBefore(position);
    }
    qsizetype positionOfFolded(qsizetype offset) const { return m_text.positionOfFolded(offset); }

    // The selection. A position between the CR and the LF of a pair goes behind the LF.
    qsizetype SelStart() const { return m_selection.start(); }
    qsizetype SelLength() const { return m_selection.length(); }
    QString SelText() const { return slice(SelStart(), SelLength()); }
    Selection selection() const { return m_selection; }
    void setSelStart(qsizetype start) { select(start, start); }  // nothing selected
    void setSelLength(qsizetype length) { select(SelStart(), SelStart() + std::max<qsizetype>(length, 0)); }
    void select(qsizetype anchor, qsizetype caret);

    // A whole new text, as loaded: the caret at the start, no undo step, not changed. The
    // second takes a text already cut into pieces (a big one may be, on another thread).
    void setText(const QString& text);
    void setText(PieceText text);

    class Transaction {
    public:
        explicit Transaction(TextModel& model, StepKind kind = StepKind::Command);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

    private:
        TextModel& m_model;
    };
    // The primitives. The caret and the anchor move with the text around them; one at the
    // very place of an insertion stays before it.
    void insert(qsizetype position, QStringView text) { replace(position, 0, text); }
    void remove(qsizetype position, qsizetype length) { replace(position, length, {}); }
    void replace(qsizetype position, qsizetype length, QStringView text);

    // Puts `text` in place of the selection as one step; the caret goes behind it.
    void ReplaceSelection(QStringView text) { replaceSelection(text, StepKind::Command); }
    // Typing: the same, but a run of it at the advancing caret is one step, the first
    // character of the run may have replaced a selection.
    void typeText(QStringView text) { replaceSelection(text, StepKind::Typing); }
    // Enter: a CR LF in place of the selection, a step of its own.
    void Enter() { ReplaceSelection(u"\r\n"); }

    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    void undo();
    void redo();

    bool changed() const { return m_changed; }
    void clearChanged() { m_changed = false; }

    // Whether each change report carries the text it removed (TextChange::removedText), for
    // a listener that must tell what went (a screen reader). Costs a copy of what each
    // primitive of an undo or redo removes; a recorded edit's copy is the history's own.
    void setKeepRemovedText(bool keep) { m_keepRemoved = keep; }

signals:
    void Change(folio::TextChange change);
    void SelectionChange();

private:
    void begin(StepKind kind);
    void end();
    // Applies one primitive, records it (unless replaying undo or redo), widens the
    // transaction's changed stretch and moves the selection with the text.
    void apply(qsizetype position, qsizetype length, QStringView text);
    void replaceSelection(QStringView text, StepKind kind);
    // Moves a position between a CR and its LF behind the LF.
    qsizetype outOfBreak(qsizetype position) const;
    void replay(const EditStep& step, bool backwards);

    PieceText m_text;
    Selection m_selection;
    EditHistory m_history;
    bool m_changed = false;
    bool m_keepRemoved = false;

    // The transaction under way.
    int m_depth = 0;
    EditStep m_step;
    bool m_edited = false;
    bool m_replaying = false;      // undo or redo: nothing is recorded
    qsizetype m_from = 0;          // the changed stretch: its start, ...
    qsizetype m_behind = 0;        // ... the characters behind it (unchanged),
    qsizetype m_lengthBefore = 0;  // and the text's length when the transaction began
    QString m_removed;             // the old text of the changed stretch, when kept
};

}  // namespace folio
