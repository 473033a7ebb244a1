// Where the divisions of a long line sit on screen. A division starts a new block, and so a
// new row: left where it was cut, it would end its row early, and the line would show a
// short row every few thousand characters. Before the box paints, each division on screen
// moves to where Qt's own wrap starts a row anyway, for the width of now.
#include "platform/ui/TextBox.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace folio {

using textbox::Break;

namespace {

// How many characters of `text` the first row takes at the width, wrapped as the box wraps.
qsizetype firstRowLength(const QString& text, const QTextLayout& like, qreal width, const QTextDocument& doc)
{
    QTextLayout probe(text, doc.defaultFont(), doc.documentLayout()->paintDevice());
    probe.setTextOption(like.textOption());
    probe.beginLayout();
    QTextLine row = probe.createLine();
    row.setLineWidth(width);
    probe.endLayout();
    return row.isValid() ? row.textLength() : 0;
}

}  // namespace

void TextBox::paintEvent(QPaintEvent* event)
{
    alignDivisionsOnScreen();
    QPlainTextEdit::paintEvent(event);
}

int TextBox::alignedDivision(const QTextBlock& block)
{
    const int here = block.position() + block.length() - 1;
    blockBoundingRect(block);  // lays the block out for the width of now
    const QTextLayout* own = block.layout();
    if (own == nullptr || own->lineCount() == 0)
        return here;
    const QTextLine lastRow = own->lineAt(own->lineCount() - 1);
    const qsizetype rowStart = lastRow.textStart();
    const QString text = block.text();
    const QString next = block.next().text();
    const qsizetype tail = text.size() - rowStart;
    // The block's last row continued into the next piece: where that row ends is where the
    // line would wrap undivided. One row never reaches far; the whole piece when it might.
    const qsizetype rowChars = std::max<qsizetype>(own->lineAt(0).textLength(), tail);
    qsizetype ahead = std::min(next.size(), 2 * rowChars + 64);
    qsizetype reach = firstRowLength(text.mid(rowStart) + next.left(ahead), *own, lastRow.width(), *document());
    if (reach >= tail + ahead && ahead < next.size()) {
        ahead = next.size();
        reach = firstRowLength(text.mid(rowStart) + next, *own, lastRow.width(), *document());
    }
    if (reach <= tail)
        return here;  // the row ends at the division: nothing of the next piece would fit
    // Either the last row goes behind the division, or the rest of the row comes before it,
    // whichever keeps the pieces nearer the division length; never past twice that length.
    const qsizetype limit = 2 * m_divisionLength;
    if (rowStart > 0 && text.size() > m_divisionLength && next.size() + tail <= limit)
        return block.position() + int(rowStart);
    const qsizetype pulled = reach - tail;
    if (pulled >= next.size())
        return text.size() + next.size() <= limit ? -1 : here;
    return text.size() + pulled <= limit ? here + int(pulled) : here;
}

void TextBox::moveDivision(QTextCursor& edit, const QTextBlock& block, int to)
{
    const int number = block.blockNumber();
    const QTextBlock next = block.next();
    const QTextBlockFormat division = next.blockFormat();
    edit.setPosition(next.position() - 1);
    QTextCharFormat plain = edit.charFormat();
    plain.clearProperty(textbox::SubstituteProperty);
    // The two pieces become one block, which keeps the first one's break.
    edit.deleteChar();
    if (to < 0) {
        if (!m_loading)
            m_breaks.replace(number + 1, number + 1, {});
        return;
    }
    edit.setPosition(to);
    edit.insertBlock(division, plain);
}

void TextBox::alignDivisionsOnScreen()
{
    QTextDocument* doc = document();
    const bool recorded = doc->isUndoRedoEnabled();
    // A move would take away the steps there are to redo; the rows stay until the next edit.
    if (recorded && doc->isRedoAvailable())
        return;
    bool moved = false;
    bool undoOff = false;
    QTextCursor edit(doc);
    const qreal bottom = viewport()->height();
    QTextBlock block = firstVisibleBlock();
    qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    // A bound on the moves of one paint, for a line whose rows never settle.
    for (int moves = 0; block.isValid() && top <= bottom && moves < 256;) {
        const QTextBlock next = block.next();
        const int here = block.position() + block.length() - 1;
        const int to = next.isValid() && breakOf(next) == Break::Division ? alignedDivision(block) : here;
        if (to == here) {
            top += blockBoundingRect(block).height();
            block = next;
            continue;
        }
        if (!moved) {
            moved = true;
            m_displayOnly = true;
            // No undo step of its own: part of the last one, or, with none, not kept at all
            // (undo and redo replay positions, so every move has to be among them or before).
            undoOff = recorded && !doc->isUndoAvailable();
            if (undoOff)
                doc->setUndoRedoEnabled(false);
        }
        const int number = block.blockNumber();
        if (doc->isUndoRedoEnabled())
            edit.joinPreviousEditBlock();
        else
            edit.beginEditBlock();
        moveDivision(edit, block, to);
        edit.endEditBlock();
        ++moves;
        // The same block again when the division behind it went: another may follow.
        block = doc->findBlockByNumber(number);
        if (to >= 0) {
            top += blockBoundingRect(block).height();
            block = block.next();
        }
    }
    if (!moved)
        return;
    if (undoOff)
        doc->setUndoRedoEnabled(true);
    m_displayOnly = false;
    m_newUndoStep = false;
    m_undoSteps = doc->availableUndoSteps();
}

}  // namespace folio
