#pragma once
// The multi-line text box of documents and reading windows: a QPlainTextEdit that offers
// the text-box model the program is written against. Text uses CR LF between lines;
// positions count CR LF as two characters.
//
// Every break the user sees is a block break of the widget, and each block remembers the
// break that opens it (CR LF, a lone LF or a lone CR) in its block format, so a file whose
// lines end in LF keeps its LFs through editing, undo and redo. Enter inserts CR LF.
//
// A line longer than the division length is kept in several blocks, divided at a blank
// where it can be: Qt lays out a whole block again on every change, which on a line of
// megabytes takes seconds a keystroke. A division is no character of the text: positions,
// Text, SelText, the clipboard and undo never see it, and the caret keys and the keys that
// remove text step over it. Before the box paints, each division on screen is moved to where
// the row it falls in wraps anyway, so a divided line wraps at the box's width like any other.
#include "platform/logic/PieceText.h"
#include "platform/ui/SelectionAccess.h"
#include "platform/ui/TextBoxBreaks.h"

#include <QPlainTextEdit>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class QTextBlock;
class QTextCursor;

namespace folio {

class TextBox : public QPlainTextEdit, public SelectionAccess {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);
    ~TextBox() override;

    // The whole text, breaks as remembered, CR LF for a break typed with Enter. Kept up to
    // date with every change; reading it after a change costs one copy of the text.
    QString Text() const override;
    // The same text in the parts it is kept in, without joining them: for readers that walk
    // a big text once (find, save). The copy stays as it is whatever the box does later.
    PieceText TextPieces() const
    {
        whole();
        return m_text;
    }
    // Replaces the whole text (no undo step is kept for loading). Text() and TextPieces()
    // have the new text at once. A text longer than the fill slice is laid into the widget
    // a slice at a time from the event loop, the top first, so that the window paints and
    // answers while a big file fills in; anything that reads or sets a position or edits
    // finishes the fill first, so it always acts on the whole text.
    void setText(const QString& text);
    // The same with the text already prepared for the widget (textbox::toWidgetText with
    // divisionLength()), which for a big text may be done on another thread.
    void setText(const QString& text, textbox::WidgetText widgetText);
    // Shows `top`, the start of a text still being prepared elsewhere, until the whole is
    // ready: the box asks `ready` from the event loop, and once it says yes calls `complete`,
    // which sets the whole text (setText). Anything that reads or changes the text, Text()
    // and TextPieces() too, calls `complete` first, which waits for the whole. The view
    // keeps its scroll position across the change.
    void setTextPending(const QString& top, std::function<bool()> ready, std::function<void()> complete);
    // Whether the widget is still filling in the text last set, and the slice length
    // (characters) above which it fills in from the event loop.
    bool Filling() const { return m_fill != nullptr || m_complete != nullptr; }
    void finishFill();
    void setFillSliceLength(qsizetype length) { m_fillSlice = std::max<qsizetype>(length, 1); }

    int SelStart() const override;
    int SelLength() const override;
    QString SelText() const override;
    void setSelStart(int start) override;
    void setSelLength(int length) override;
    void ReplaceSelection(const QString& text) override;

    // Locked: the user cannot type, paste or cut; the program's own commands still change it.
    // A locked box can still be scrolled, selected (mouse and keyboard) and copied from.
    bool Locked() const { return isReadOnly(); }
    void setLocked(bool locked);

    // Lines longer than this many characters are divided for display from now on (set or
    // inserted text; the default is textbox::DivisionLength).
    void setDivisionLength(int length) { m_divisionLength = std::max(length, 2); }
    int divisionLength() const { return int(m_divisionLength); }

    // Model length of the text (CR LF counts two), without building the text.
    int TextLength() const;

    // Position mapping between the model (CR LF counts two) and the widget document
    // (every block break counts one). A model position between the CR and the LF of a pair
    // maps to the start of the following line.
    int modelToWidget(qint64 modelPosition) const;
    int widgetToModel(int widgetPosition) const;

    // The text a screen reader is given (TextBoxAccessible): the widget document without
    // its divisions, every break one "\n". Its length, a stretch of it, and its offsets
    // mapped to and from widget positions. An offset at a division maps to the start of
    // the piece behind it.
    int readerLength() const;
    QString readerText(int start, int end) const;
    int widgetToReader(int widgetPosition) const;
    int readerToWidget(int readerOffset) const;
    // The line of the text (between breaks; a division ends none) that holds the reader
    // offset: its start and its end behind its break (the text's end for the last line).
    void readerLine(int readerOffset, int* start, int* end) const;

signals:
    // After every change of the text, whatever made it: typing, commands, undo, setText.
    void Change();
    // The widget holds the whole text set last (at once after setText for a short text; not
    // for the top setTextPending shows).
    void Filled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Moves every division behind a block on screen to a place where a row of the line
    // begins (TextBoxRows.cpp). Display only: the text, the positions in it and the break
    // index stay as they are; the moves join the last undo step, or none when there is none.
    void alignDivisionsOnScreen();
    // The widget position the division behind `block` belongs at for the rows as laid out
    // now; its own position when it is where it belongs or cannot move within the length
    // limits; -1 to take it away (the rest of the line fits in the row).
    int alignedDivision(const QTextBlock& block);
    void moveDivision(QTextCursor& edit, const QTextBlock& block, int to);
    // The last block whose start, as a widget position plus shiftOf(its number), is at or
    // before `offset`: the model's or a screen reader's counting of the same positions.
    int lastBlockStartingBy(int offset, const std::function<int(int)>& shiftOf) const;
    struct Fill;
    // Lays the next stretch of the text being filled in into the widget (up to `chars`
    // characters, to the next break or division); the last stretch ends the fill.
    void fillSlice(qsizetype chars);
    void endFill();
    // For the const readers of positions. Not from inside a slice being laid in (a reader
    // called from the document's own signals, as a screen reader's caret query is): that
    // would lay the same slice in again, and again.
    void filled() const
    {
        if ((m_fill || m_complete) && !m_inSlice)
            const_cast<TextBox*>(this)->finishFill();
    }
    // For the readers of the whole text: a text still being prepared is set first.
    void whole() const
    {
        if (m_complete)
            const_cast<TextBox*>(this)->completePending();
    }
    void completePending();

    // The one routine through which every break enters the document: inserts `text` at
    // `cursor` (whose selection the caller has removed), giving each new block the kind
    // of the break before it. The caller wraps it in an edit block.
    void insertModelText(QTextCursor& cursor, const QString& text);
    // Inserts a prepared text at `cursor`, a new block at each division.
    static void insertWidgetText(QTextCursor& cursor, const textbox::WidgetText& text, const QTextCharFormat& format);
    // Replaces the selection of the widget's cursor by `text` as one undo step, or as part
    // of the last one.
    void replaceAtCaret(const QString& text, bool joinLastStep = false);
    // Inside an edit block: removes the divisions among blocks first..last that an edit
    // left next to an empty block (each would show as an empty line), and divides a block
    // the edit made much longer than the division length.
    void tidyDivisions(int firstBlock, int lastBlock);
    // After a complete edit (not undo or redo): tidyDivisions over the blocks it touched.
    void tidyAfterEdit();
    // Whether a division lies right before or right after the widget position.
    bool atDivision(int widgetPosition) const;

    textbox::Break breakOf(const QTextBlock& block) const;
    void setBreakOfBlocks(int firstBlock, int lastBlock, textbox::Break kind);
    void markBreaks(int firstBlock, std::span<const textbox::Break> breaks, textbox::Break inherited);
    // Widget text (U+2029 between blocks, marked U+FFFD for substitutes) starting at
    // `widgetStart` turned into model text.
    QString toModelText(QStringView widgetText, int widgetStart) const;

    // The model start of the block minus its widget start (one per CR LF break and minus
    // one per division among the breaks that open blocks 1..block).
    int extraBefore(int block) const { return m_breaks.extraBefore(block); }
    // The model text built afresh from the widget document.
    QString buildText() const;
    // Brings m_text up to date after a change reported by contentsChange.
    void updateText(int position, int charsAdded);

    // The breaks that open blocks first..last, read from the document.
    std::vector<textbox::Break> kindsOf(int first, int last) const;
    void onContentsChange(int position, int charsRemoved, int charsAdded);
    void updateIndex(int position, int charsRemoved, int charsAdded);
    // Carries out a key that removes text; false when the key removes nothing.
    bool removeByKey(QKeyEvent* event);
    // Carries out a key that types a character; false for any other key.
    bool typeByKey(QKeyEvent* event);

    // Per block: the break that opens it and the extra model characters before it. Kept up
    // to date from the document's change reports, so reading a position never walks the
    // document.
    textbox::BreakIndex m_breaks;
    // Block format index -> break kind (-1 unknown); formats are few, lookups many.
    mutable std::vector<std::int8_t> m_breakByFormat;
    // The model text, kept in step with the widget document: whole-text readers (save,
    // find) would otherwise walk a document of tens of megabytes block by block each time.
    // Reading it whole joins its pieces, hence mutable.
    mutable PieceText m_text;
    qsizetype m_divisionLength = textbox::DivisionLength;
    std::unique_ptr<Fill> m_fill;  // the text still being filled in, if any
    qsizetype m_fillSlice = textbox::FillSliceLength;
    std::function<bool()> m_ready;  // a text still being prepared (setTextPending)
    std::function<void()> m_complete;
    int m_pendingTimer = 0;
    bool m_settingTop = false;
    bool m_inContentsChange = false;
    bool m_loading = false;
    bool m_tidying = false;
    bool m_displayOnly = false;  // a division moves; the text does not change
    bool m_inSlice = false;
    int m_tidyFirst = -1;  // blocks an edit touched, for tidyAfterEdit (-1: none)
    int m_tidyLast = -1;
    int m_quiet = 0;
    bool m_changed = false;      // a contentsChange since the last Change
    bool m_newUndoStep = false;  // undoCommandAdded since the last contentsChange
    int m_undoSteps = 0;         // availableUndoSteps() after the last change
    // Changes of the text so far; typing goes on in one undo step while nothing else changed
    // it and the caret stands where the last typed character went (a model position).
    quint64 m_textChanges = 0;
    quint64 m_typingChanges = ~quint64(0);
    int m_typingEnd = -1;
};

}  // namespace folio
