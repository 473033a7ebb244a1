#include "platform/ui/TextBox.h"

#include "platform/ui/FileDrop.h"
#include "platform/ui/TextBoxAccessible.h"

#include <optional>

#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <functional>
#include <utility>

namespace folio {

using textbox::Break;

namespace {

constexpr char16_t BlockSeparator = u'\u2029';

QTextBlockFormat withBreak(QTextBlockFormat format, Break kind)
{
    if (kind == Break::CrLf)
        format.clearProperty(textbox::BreakProperty);
    else
        format.setProperty(textbox::BreakProperty, static_cast<int>(kind));
    return format;
}

}  // namespace

// The text being filled into the widget, and how far it has come.
struct TextBox::Fill {
    textbox::WidgetText text;
    QTextCursor cursor;  // behind what has been laid in
    QTextCharFormat format;
    qsizetype done = 0;          // characters of text.text laid in
    std::size_t division = 0;    // the next of text.divisions
    std::size_t breaks = 0;      // entries of text.breaks used
    std::size_t substitute = 0;  // the next of text.substitutes
    qsizetype widgetDone = 0;    // widget characters laid in
    qsizetype slice = 0;         // characters per slice from the event loop
    int timer = 0;
    bool disturbed = false;  // the widget was changed by something else meanwhile
};

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent)
{
    // Screen readers get the text without the divisions, and changes in its offsets.
    TextBoxAccessible::install(this);
    // The box is one stop of its window's tab order: Tab and Shift+Tab move the focus on.
    // A tab character comes in by "Insert Ta&b Keystroke" or the clipboard.
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // No length limit: the document's own default. (Setting a block limit, even 0, turns the
    // document's undo and redo off.)

    connect(document(), &QTextDocument::contentsChange, this, &TextBox::onContentsChange);
    // A new undo step (not an undo or redo) is on its way to contentsChange.
    connect(document(), &QTextDocument::undoCommandAdded, this, [this] { m_newUndoStep = true; });
    // Qt also reports an edit block that changed nothing; only a real change counts.
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (m_quiet == 0 && m_changed) {
            m_changed = false;
            emit Change();
        }
    });
    // Once an edit is complete and laid out: the divisions it left next to an empty block
    // go, whichever way it came (Qt's own drag-move, context menu, input method, typing).
    connect(document(), &QTextDocument::contentsChanged, this, &TextBox::tidyAfterEdit);
}

void TextBox::setLocked(bool locked)
{
    setReadOnly(locked);
    // Qt leaves a read-only box selectable by mouse only; the keyboard selects too, and
    // the caret stays visible, so that Shift+arrows and Ctrl+C work in a locked box.
    if (locked)
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

// ---------------------------------------------------------------------------------------
// Break kinds of blocks

Break TextBox::breakOf(const QTextBlock& block) const
{
    const int index = block.blockFormatIndex();
    if (index >= 0 && index < static_cast<int>(m_breakByFormat.size()) && m_breakByFormat[index] >= 0)
        return static_cast<Break>(m_breakByFormat[index]);
    int value = block.blockFormat().intProperty(textbox::BreakProperty);
    if (value < 0 || value > 3)
        value = 0;
    if (index >= 0) {
        if (index >= static_cast<int>(m_breakByFormat.size()))
            m_breakByFormat.resize(index + 1, -1);
        m_breakByFormat[index] = static_cast<std::int8_t>(value);
    }
    return static_cast<Break>(value);
}

void TextBox::setBreakOfBlocks(int firstBlock, int lastBlock, Break kind)
{
    QTextDocument* doc = document();
    const QTextBlock first = doc->findBlockByNumber(firstBlock);
    QTextCursor c(first);
    if (lastBlock > firstBlock)
        c.setPosition(doc->findBlockByNumber(lastBlock).position(), QTextCursor::KeepAnchor);
    c.setBlockFormat(withBreak(first.blockFormat(), kind));
}

// ---------------------------------------------------------------------------------------
// The CR LF index

std::vector<Break> TextBox::kindsOf(int first, int last) const
{
    std::vector<Break> kinds;
    kinds.reserve(std::max(last - first + 1, 0));
    QTextBlock block = document()->findBlockByNumber(first);
    for (int i = first; i <= last && block.isValid(); ++i, block = block.next())
        kinds.push_back(breakOf(block));
    return kinds;
}

void TextBox::onContentsChange(int position, int charsRemoved, int charsAdded)
{
    // updateIndex() may put a block's kind back, which Qt reports from inside this call;
    // that block lies inside the range the outer call reads the kinds and the text of.
    // A division moved for display changes neither the text nor any block's break.
    if (m_inContentsChange || m_displayOnly)
        return;
    if (m_fill && !m_inSlice)
        m_fill->disturbed = true;
    ++m_textChanges;
    m_inContentsChange = true;
    // An edit adds an undo step or merges into the last one (same count); undo and redo
    // give back exactly what was, divisions included.
    const QTextDocument* doc = document();
    const bool edit = m_newUndoStep || doc->availableUndoSteps() == m_undoSteps;
    const int divisions = m_breaks.divisionsTotal();
    updateIndex(position, charsRemoved, charsAdded);
    if (!m_loading) {
        if (!m_tidying)  // moves divisions only: nothing a screen reader reads changes
            TextBoxAccessible::textChanged(this, position, charsRemoved, charsAdded,
                                           divisions - m_breaks.divisionsTotal());
        updateText(position, charsAdded);
        if (edit && !m_tidying) {
            // The blocks the edit touched and their neighbours, for tidyAfterEdit.
            const int lastPosition = doc->characterCount() - 1;
            const int first = doc->findBlock(std::clamp(position, 0, lastPosition)).blockNumber();
            const int last =
                doc->findBlock(std::clamp(position + std::max(charsAdded, 0), 0, lastPosition)).blockNumber();
            m_tidyFirst = m_tidyFirst < 0 ? std::max(first - 1, 0) : std::min(m_tidyFirst, std::max(first - 1, 0));
            m_tidyLast = std::max(m_tidyLast, last + 1);
        }
    }
    m_inContentsChange = false;
    m_newUndoStep = false;
    m_undoSteps = document()->availableUndoSteps();
}

void TextBox::updateIndex(int position, int /*charsRemoved*/, int charsAdded)
{
    if (m_loading)
        return;
    m_changed = true;
    QTextDocument* doc = document();
    // Formats are looked up afresh after every change: cheap, as a document has few.
    m_breakByFormat.clear();
    // Undo and redo give back exactly what was, kinds included; only an edit needs the
    // check below. An edit adds an undo step or merges into the last one (same count).
    const bool edit = m_newUndoStep || doc->availableUndoSteps() == m_undoSteps;

    const int oldCount = m_breaks.blockCount();
    const int newCount = doc->blockCount();
    const int delta = newCount - oldCount;
    const int lastPosition = doc->characterCount() - 1;
    const QTextBlock firstBlock = doc->findBlock(std::clamp(position, 0, lastPosition));
    const int first = firstBlock.blockNumber();
    const int lastNew = doc->findBlock(std::clamp(position + std::max(charsAdded, 0), 0, lastPosition)).blockNumber();

    // The break that opens the first changed block lies before the change, so the block
    // keeps its kind. Qt breaks that rule in one case: removing the break behind an empty
    // block (Delete on an empty line, Backspace after one, a removal that starts at a line
    // start) drops the empty block and keeps the next block's format. Put the kind back,
    // within the same undo step. (Removals by key run in an edit block of their own so that
    // the step can be joined; see removeByKey.)
    if (edit && first >= 1 && first < oldCount) {
        const Break kept = m_breaks.kind(first);
        if (breakOf(firstBlock) != kept) {
            QTextCursor fix(firstBlock);
            fix.joinPreviousEditBlock();
            fix.setBlockFormat(withBreak(firstBlock.blockFormat(), kept));
            fix.endEditBlock();
            m_breakByFormat.clear();
        }
    }

    // Blocks behind the changed range are untouched; only their numbers moved by `delta`.
    const int lastOld = lastNew - delta;
    if (lastOld < first || lastOld >= oldCount)
        m_breaks.replace(first, oldCount - 1, kindsOf(first, newCount - 1));  // not expected
    else
        m_breaks.replace(first, lastOld, kindsOf(first, lastNew));
}

// ---------------------------------------------------------------------------------------
// Position mapping

int TextBox::widgetToModel(int widgetPosition) const
{
    filled();
    const QTextDocument* doc = document();
    widgetPosition = std::clamp(widgetPosition, 0, doc->characterCount() - 1);
    return widgetPosition + extraBefore(doc->findBlock(widgetPosition).blockNumber());
}

int TextBox::lastBlockStartingBy(int offset, const std::function<int(int)>& shiftOf) const
{
    // Block starts in the other counting rise with the block number: a binary search.
    const QTextDocument* doc = document();
    int lo = 0;
    int hi = m_breaks.blockCount() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + shiftOf(mid) <= offset)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

int TextBox::modelToWidget(qint64 modelPosition) const
{
    filled();
    const QTextDocument* doc = document();
    const int widgetEnd = doc->characterCount() - 1;
    if (modelPosition <= 0)
        return 0;
    if (modelPosition >= TextLength())
        return widgetEnd;
    const int m = static_cast<int>(modelPosition);
    const int lo = lastBlockStartingBy(m, [this](int b) { return extraBefore(b); });
    const QTextBlock block = doc->findBlockByNumber(lo);
    const int offset = m - (block.position() + extraBefore(lo));
    const int textLength = block.length() - 1;
    // Past the line's last character means inside the following CR LF pair, between its
    // CR and its LF: the caret cannot stand inside a break, so it goes to the next line.
    if (offset > textLength)
        return std::min(block.position() + block.length(), widgetEnd);
    return block.position() + offset;
}

int TextBox::readerLength() const
{
    filled();
    return document()->characterCount() - 1 - m_breaks.divisionsTotal();
}

int TextBox::widgetToReader(int widgetPosition) const
{
    filled();
    const QTextDocument* doc = document();
    widgetPosition = std::clamp(widgetPosition, 0, doc->characterCount() - 1);
    return widgetPosition - m_breaks.divisionsBefore(doc->findBlock(widgetPosition).blockNumber());
}

int TextBox::readerToWidget(int readerOffset) const
{
    filled();
    const QTextDocument* doc = document();
    readerOffset = std::clamp(readerOffset, 0, readerLength());
    // At a division, the piece behind it.
    const int lo = lastBlockStartingBy(readerOffset, [this](int b) { return -m_breaks.divisionsBefore(b); });
    const QTextBlock block = doc->findBlockByNumber(lo);
    const int offset = readerOffset - (block.position() - m_breaks.divisionsBefore(lo));
    return block.position() + std::min(offset, block.length() - 1);
}

void TextBox::readerLine(int readerOffset, int* start, int* end) const
{
    filled();
    const QTextDocument* doc = document();
    const int block = doc->findBlock(readerToWidget(readerOffset)).blockNumber();
    const int last = m_breaks.blockCount() - 1;
    // Blocks k+1..block all open with a division exactly when the divisions before them
    // grew by one a block; the first block of the line is the smallest such k.
    const auto divisionsOnly = [this](int from, int to) {
        return m_breaks.divisionsBefore(to) - m_breaks.divisionsBefore(from) == to - from;
    };
    int lo = 0;
    int hi = block;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (divisionsOnly(mid, block))
            hi = mid;
        else
            lo = mid + 1;
    }
    const int first = lo;
    lo = block;
    hi = last;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (divisionsOnly(block, mid))
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock firstBlock = doc->findBlockByNumber(first);
    const QTextBlock lastBlock = doc->findBlockByNumber(lo);
    *start = widgetToReader(firstBlock.position());
    *end = widgetToReader(lastBlock.position() + lastBlock.length() - 1) + (lo < last ? 1 : 0);
}

QString TextBox::readerText(int start, int end) const
{
    filled();
    const int from = readerToWidget(start);
    const int to = readerToWidget(end);
    if (to <= from)
        return QString();
    QTextCursor c(const_cast<QTextDocument*>(document()));
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    const QString raw = c.selectedText();  // U+2029 between blocks
    QString out;
    out.reserve(raw.size());
    QTextBlock block = document()->findBlock(from);
    qsizetype done = 0;
    for (qsizetype sep = raw.indexOf(QChar(BlockSeparator)); sep >= 0; sep = raw.indexOf(QChar(BlockSeparator), done)) {
        out.append(QStringView(raw).mid(done, sep - done));
        block = block.next();
        if (breakOf(block) != Break::Division)
            out.append(u'\n');
        done = sep + 1;
    }
    out.append(QStringView(raw).mid(done));
    return out;
}

int TextBox::TextLength() const
{
    filled();
    const QTextDocument* doc = document();
    return doc->characterCount() - 1 + m_breaks.extraTotal();
}

// ---------------------------------------------------------------------------------------
// Reading

QString TextBox::toModelText(QStringView widgetText, int widgetStart) const
{
    const QTextDocument* doc = document();
    const bool anySubstitute = widgetText.contains(QChar(textbox::SubstituteChar));
    QString out;
    QTextBlock block = doc->findBlock(widgetStart);
    qsizetype extra = 0;
    if (widgetText.contains(QChar(BlockSeparator))) {
        const int lastBlock = doc->findBlock(widgetStart + int(widgetText.size())).blockNumber();
        extra = extraBefore(lastBlock) - extraBefore(block.blockNumber());
    }
    out.reserve(widgetText.size() + extra);

    auto appendLine = [&](qsizetype from, qsizetype to) {
        if (!anySubstitute) {
            out.append(widgetText.mid(from, to - from));
            return;
        }
        qsizetype i = from;
        while (i < to) {
            const qsizetype hit = widgetText.indexOf(QChar(textbox::SubstituteChar), i);
            if (hit < 0 || hit >= to) {
                out.append(widgetText.mid(i, to - i));
                break;
            }
            out.append(widgetText.mid(i, hit - i));
            QTextCursor c(const_cast<QTextDocument*>(doc));
            c.setPosition(widgetStart + int(hit) + 1);
            const QVariant realChar = c.charFormat().property(textbox::SubstituteProperty);
            out.append(realChar.isValid() ? QChar(char16_t(realChar.toInt())) : QChar(textbox::SubstituteChar));
            i = hit + 1;
        }
    };

    qsizetype from = 0;
    for (;;) {
        const qsizetype sep = widgetText.indexOf(QChar(BlockSeparator), from);
        if (sep < 0) {
            appendLine(from, widgetText.size());
            break;
        }
        appendLine(from, sep);
        block = block.next();
        out.append(textbox::breakText(breakOf(block)));
        from = sep + 1;
    }
    return out;
}

QString TextBox::Text() const
{
    whole();
    return m_text.text();
}

QString TextBox::buildText() const
{
    return toModelText(document()->toRawText(), 0);
}

void TextBox::updateText(int position, int charsAdded)
{
    // Only the blocks the change touched differ; the text before the break that opens the
    // first of them and the text after the last of them are as they were. So the model text
    // of that stretch replaces the old stretch, found by its unchanged surroundings.
    const QTextDocument* doc = document();
    const int lastPosition = doc->characterCount() - 1;
    const QTextBlock firstBlock = doc->findBlock(std::clamp(position, 0, lastPosition));
    const QTextBlock lastBlock = doc->findBlock(std::clamp(position + std::max(charsAdded, 0), 0, lastPosition));
    const int first = firstBlock.blockNumber();
    const int last = lastBlock.blockNumber();
    const int widgetFrom = first == 0 ? 0 : firstBlock.position() - 1;
    const int widgetTo = lastBlock.position() + lastBlock.length() - 1;
    const qsizetype modelFrom = widgetFrom + (first == 0 ? 0 : extraBefore(first - 1));
    const qsizetype modelTo = widgetTo + extraBefore(last);
    const qsizetype after = qsizetype(TextLength()) - modelTo;
    const qsizetype oldTo = m_text.size() - after;
    if (first > last || after < 0 || oldTo < modelFrom) {
        m_text.assign(buildText());  // not expected; the document is the authority
        return;
    }
    QString stretch;
    if (widgetTo > widgetFrom) {
        QTextCursor c(const_cast<QTextDocument*>(doc));
        c.setPosition(widgetFrom);
        c.setPosition(widgetTo, QTextCursor::KeepAnchor);
        stretch = toModelText(c.selectedText(), widgetFrom);
    }
    m_text.replace(modelFrom, oldTo - modelFrom, stretch);
}

int TextBox::SelStart() const
{
    filled();
    return widgetToModel(textCursor().selectionStart());
}

int TextBox::SelLength() const
{
    filled();
    const QTextCursor c = textCursor();
    if (!c.hasSelection())
        return 0;
    return widgetToModel(c.selectionEnd()) - widgetToModel(c.selectionStart());
}

QString TextBox::SelText() const
{
    filled();
    const QTextCursor c = textCursor();
    if (!c.hasSelection())
        return QString();
    // selectedText() is the raw document text: U+2029 between blocks, U+00A0 kept.
    return toModelText(c.selectedText(), c.selectionStart());
}

// ---------------------------------------------------------------------------------------
// Selecting

void TextBox::setSelStart(int start)
{
    filled();
    QTextCursor c = textCursor();
    c.setPosition(modelToWidget(start));
    setTextCursor(c);
}

void TextBox::setSelLength(int length)
{
    filled();
    QTextCursor c = textCursor();
    const int start = c.selectionStart();
    const qint64 end = qint64(widgetToModel(start)) + std::max(length, 0);
    c.setPosition(start);
    // Selecting no text selects nothing, not the division after the caret.
    const int to = modelToWidget(end);
    if (widgetToModel(to) != widgetToModel(start))
        c.setPosition(to, QTextCursor::KeepAnchor);
    setTextCursor(c);
}

// ---------------------------------------------------------------------------------------
// Changing

void TextBox::insertModelText(QTextCursor& cursor, const QString& text)
{
    if (text.isEmpty())
        return;
    const textbox::WidgetText wt = textbox::toWidgetText(text, m_divisionLength);
    const int startBlock = cursor.blockNumber();
    const int startPosition = cursor.position();
    // New blocks inherit the format of the block they split from; fix those whose break
    // is of another kind, a run of equal kinds at a time.
    const Break inherited = breakOf(cursor.block());

    QTextCharFormat plain = cursor.charFormat();
    plain.clearProperty(textbox::SubstituteProperty);
    insertWidgetText(cursor, wt, plain);

    markBreaks(startBlock + 1, wt.breaks, inherited);

    if (!wt.substitutes.empty()) {
        const int end = cursor.position();
        QTextCursor mark(cursor.document());
        for (const auto& s : wt.substitutes) {
            QTextCharFormat f = plain;
            f.setProperty(textbox::SubstituteProperty, int(s.real));
            mark.setPosition(startPosition + int(s.widgetOffset));
            mark.setPosition(startPosition + int(s.widgetOffset) + 1, QTextCursor::KeepAnchor);
            mark.setCharFormat(f);
        }
        cursor.setPosition(end);
        // What is typed next is ordinary text, not a marked character.
        cursor.setCharFormat(plain);
    }
}

void TextBox::insertWidgetText(QTextCursor& cursor, const textbox::WidgetText& text, const QTextCharFormat& format)
{
    // The stretches are inserted without a copy; the document copies them into its own.
    const auto stretch = [&](qsizetype from, qsizetype to) {
        return from == 0 && to == text.text.size() ? text.text
                                                   : QString::fromRawData(text.text.constData() + from, to - from);
    };
    qsizetype from = 0;
    for (const qsizetype division : text.divisions) {
        cursor.insertText(stretch(from, division), format);
        cursor.insertBlock(cursor.blockFormat(), format);
        from = division;
    }
    cursor.insertText(stretch(from, text.text.size()), format);
}

void TextBox::markBreaks(int firstBlock, std::span<const Break> breaks, Break inherited)
{
    // Blocks firstBlock, firstBlock + 1, ... open with breaks[0], breaks[1], ...; they
    // inherited `inherited` when they split, so only the other kinds are written, a run of
    // equal kinds at a time.
    const int count = static_cast<int>(breaks.size());
    for (int i = 0; i < count;) {
        const Break kind = breaks[i];
        int j = i + 1;
        while (j < count && breaks[j] == kind)
            ++j;
        if (kind != inherited)
            setBreakOfBlocks(firstBlock + i, firstBlock + j - 1, kind);
        i = j;
    }
}

void TextBox::replaceAtCaret(const QString& text, bool joinLastStep)
{
    filled();
    QTextCursor c = textCursor();
    // Nothing in place of nothing is no edit: no undo step that changes nothing, even where
    // the pieces around the caret would be divided afresh.
    if (text.isEmpty() && widgetToModel(c.selectionEnd()) == widgetToModel(c.selectionStart()))
        return;
    if (joinLastStep)
        c.joinPreviousEditBlock();
    else
        c.beginEditBlock();
    if (c.hasSelection()) {
        // The line the selection starts in keeps the break that opens it (see
        // onContentsChange for the case Qt gets wrong); put it right before inserting, so
        // the new lines split from a block of the right kind.
        const Break kept = breakOf(document()->findBlock(c.selectionStart()));
        c.removeSelectedText();
        if (c.blockNumber() > 0 && breakOf(c.block()) != kept)
            setBreakOfBlocks(c.blockNumber(), c.blockNumber(), kept);
    }
    const int firstBlock = c.blockNumber();
    insertModelText(c, text);
    tidyDivisions(firstBlock, c.blockNumber() + 1);
    c.endEditBlock();
    setTextCursor(c);
    ensureCursorVisible();
}

void TextBox::tidyDivisions(int firstBlock, int lastBlock)
{
    QTextDocument* doc = document();
    lastBlock = std::min(lastBlock, doc->blockCount() - 1);
    // From the last block back, so that a change leaves the numbers of the blocks still to
    // look at as they are.
    for (int k = lastBlock; k >= std::max(firstBlock, 0); --k) {
        // Divided again where the edit made the block much longer than a division.
        for (int b = k; doc->findBlockByNumber(b).length() - 1 > 2 * m_divisionLength; ++b) {
            const QTextBlock block = doc->findBlockByNumber(b);
            const qsizetype cut = textbox::divisionPoint(block.text(), m_divisionLength);
            QTextCursor split(doc);
            split.setPosition(block.position() + int(cut));
            split.insertBlock();
            setBreakOfBlocks(b + 1, b + 1, Break::Division);
        }
        const QTextBlock block = doc->findBlockByNumber(k);
        if (k == 0 || breakOf(block) != Break::Division)
            continue;
        const QTextBlock previous = block.previous();
        if (block.length() > 1 && previous.length() > 1)
            continue;
        // The two blocks become one, which keeps the break that opened the first of them
        // (Qt keeps the second's when the first is empty).
        const Break kept = breakOf(previous);
        QTextCursor join(doc);
        join.setPosition(block.position() - 1);
        join.deleteChar();
        if (k - 1 >= 1 && breakOf(doc->findBlockByNumber(k - 1)) != kept)
            setBreakOfBlocks(k - 1, k - 1, kept);
    }
}

void TextBox::tidyAfterEdit()
{
    if (m_tidyFirst < 0 || m_tidying)
        return;
    QTextDocument* doc = document();
    const int first = m_tidyFirst;
    const int last = std::min(m_tidyLast, doc->blockCount() - 1);
    m_tidyFirst = -1;
    m_tidyLast = -1;
    // Nothing to do in nearly every edit: look before changing anything.
    bool needed = false;
    QTextBlock block = doc->findBlockByNumber(first);
    for (int b = first; b <= last && block.isValid() && !needed; ++b, block = block.next()) {
        needed = block.length() - 1 > 2 * m_divisionLength
            || (b > 0 && breakOf(block) == Break::Division && (block.length() == 1 || block.previous().length() == 1));
    }
    if (!needed)
        return;
    // Part of the edit's own undo step, and of its change: reported with the edit, whether
    // Qt reports the edit before this (typing) or after it (a cut).
    const bool unreported = m_changed;
    m_tidying = true;
    ++m_quiet;
    QTextCursor c(doc);
    c.joinPreviousEditBlock();
    tidyDivisions(first, last);
    c.endEditBlock();
    m_changed = unreported;
    --m_quiet;
    m_tidying = false;
}

bool TextBox::atDivision(int widgetPosition) const
{
    const QTextBlock block = document()->findBlock(widgetPosition);
    if (!block.isValid())
        return false;
    if (widgetPosition == block.position())
        return block.blockNumber() > 0 && breakOf(block) == Break::Division;
    const QTextBlock next = block.next();
    return widgetPosition == block.position() + block.length() - 1 && next.isValid()
        && breakOf(next) == Break::Division;
}

void TextBox::ReplaceSelection(const QString& text)
{
    // Works on the document directly, so a locked box is changed too.
    replaceAtCaret(text);
}

TextBox::~TextBox() = default;

void TextBox::setText(const QString& text)
{
    setText(text, textbox::toWidgetText(text, m_divisionLength));
}

void TextBox::setTextPending(const QString& top, std::function<bool()> ready, std::function<void()> complete)
{
    m_settingTop = true;
    setText(top);
    m_settingTop = false;
    m_ready = std::move(ready);
    m_complete = std::move(complete);
    m_pendingTimer = startTimer(2);
}

void TextBox::completePending()
{
    if (!m_complete)
        return;
    const std::function<void()> complete = std::move(m_complete);
    m_complete = nullptr;
    m_ready = nullptr;
    if (m_pendingTimer)
        killTimer(std::exchange(m_pendingTimer, 0));
    // The whole text starts with the top, so the view and the caret stay where the user put them.
    const int scrolled = verticalScrollBar()->value();
    const int anchor = textCursor().anchor();
    const int position = textCursor().position();
    complete();
    QTextCursor after = textCursor();
    const int end = document()->characterCount() - 1;
    after.setPosition(std::min(anchor, end));
    after.setPosition(std::min(position, end), QTextCursor::KeepAnchor);
    setTextCursor(after);
    verticalScrollBar()->setValue(scrolled);
}

void TextBox::setText(const QString& text, textbox::WidgetText widgetText)
{
    QTextDocument* doc = document();
    const int readerBefore = Filling() ? -1 : readerLength();
    if (m_fill && m_fill->timer)
        killTimer(m_fill->timer);
    if (m_pendingTimer)
        killTimer(std::exchange(m_pendingTimer, 0));
    m_complete = nullptr;
    m_ready = nullptr;
    auto fill = std::make_unique<Fill>();
    fill->text = std::move(widgetText);
    fill->slice = m_fillSlice;
    // Loading: the block every other block is split from carries the most common break,
    // so only the other kinds need their format set afterwards.
    const Break common = textbox::mostCommonBreak(fill->text);

    ++m_quiet;
    m_loading = true;
    m_fill.reset();
    clear();
    // Clearing the document starts its formats afresh, so their numbers mean other formats now.
    m_breakByFormat.clear();
    doc->setUndoRedoEnabled(false);
    fill->cursor = QTextCursor(doc);
    fill->cursor.setBlockFormat(withBreak(fill->cursor.blockFormat(), common));
    fill->format = fill->cursor.charFormat();
    m_fill = std::move(fill);
    // The text just set is the model text; it is kept, shared, not copied.
    m_text.assign(text);
    // The top at once, enough for more than a screenful; a short text whole.
    fillSlice(m_fillSlice);

    QTextCursor top(doc);
    top.movePosition(QTextCursor::Start);
    setTextCursor(top);
    --m_quiet;
    TextBoxAccessible::textReplaced(this, readerBefore);
    emit Change();
    if (m_fill)
        m_fill->timer = startTimer(0);
}

void TextBox::fillSlice(qsizetype chars)
{
    Fill& f = *m_fill;
    QTextDocument* doc = document();
    const QString& t = f.text.text;
    const std::vector<qsizetype>& divisions = f.text.divisions;
    const qsizetype n = t.size();
    // The slice ends behind a line break or at a division, never inside a CR LF pair.
    qsizetype to = std::min(n, f.done + std::max<qsizetype>(chars, 1));
    if (to < n) {
        std::size_t k = f.division;
        while (k < divisions.size() && divisions[k] < to)
            ++k;
        const qsizetype limit = k < divisions.size() ? divisions[k] : n;
        qsizetype e = to;
        while (e < limit && t[e] != u'\r' && t[e] != u'\n')
            ++e;
        if (e < limit)
            e += t[e] == u'\r' && e + 1 < n && t[e + 1] == u'\n' ? 2 : 1;
        to = e;
    }
    const auto stretch = [&](qsizetype from, qsizetype end) {
        return from == 0 && end == n ? t : QString::fromRawData(t.constData() + from, end - from);
    };

    m_inSlice = true;
    const int firstNewBlock = f.cursor.blockNumber() + 1;
    const int blocksBefore = doc->blockCount();
    const int startPosition = f.cursor.position();
    const Break inherited = breakOf(f.cursor.block());
    f.cursor.beginEditBlock();
    qsizetype pos = f.done;
    while (f.division < divisions.size() && divisions[f.division] < to) {
        const qsizetype d = divisions[f.division++];
        if (d > pos)
            f.cursor.insertText(stretch(pos, d), f.format);
        f.cursor.insertBlock(f.cursor.blockFormat(), f.format);
        pos = d;
    }
    if (to > pos)
        f.cursor.insertText(stretch(pos, to), f.format);
    const std::size_t newBlocks = std::min<std::size_t>(std::size_t(std::max(doc->blockCount() - blocksBefore, 0)),
                                                        f.text.breaks.size() - f.breaks);
    markBreaks(firstNewBlock, std::span<const Break>(f.text.breaks).subspan(f.breaks, newBlocks), inherited);
    f.breaks += newBlocks;
    const qsizetype added = f.cursor.position() - startPosition;
    QTextCursor mark(doc);
    for (; f.substitute < f.text.substitutes.size(); ++f.substitute) {
        const auto& sub = f.text.substitutes[f.substitute];
        if (sub.widgetOffset >= f.widgetDone + added)
            break;
        QTextCharFormat real;
        real.setProperty(textbox::SubstituteProperty, int(sub.real));
        const int at = startPosition + int(sub.widgetOffset - f.widgetDone);
        mark.setPosition(at);
        mark.setPosition(at + 1, QTextCursor::KeepAnchor);
        mark.mergeCharFormat(real);
    }
    f.cursor.endEditBlock();
    f.widgetDone += added;
    f.done = to;
    m_inSlice = false;
    if (f.done >= n)
        endFill();
}

void TextBox::endFill()
{
    const std::unique_ptr<Fill> f = std::move(m_fill);
    if (f->timer)
        killTimer(f->timer);
    QTextDocument* doc = document();
    doc->setUndoRedoEnabled(true);  // starts with an empty undo stack
    doc->setModified(false);
    m_undoSteps = doc->availableUndoSteps();
    m_newUndoStep = false;
    m_changed = false;

    // The index comes straight from the breaks just read.
    m_breakByFormat.clear();
    if (!f->disturbed && static_cast<int>(f->text.breaks.size()) + 1 == doc->blockCount())
        m_breaks.assign(f->text.breaks);
    else
        m_breaks.assign(kindsOf(1, doc->blockCount() - 1));  // not expected; the document is the authority
    m_loading = false;
    if (f->disturbed || m_text.size() != TextLength())
        m_text.assign(buildText());    // not expected; the document is the authority
    if (!m_settingTop && !m_complete)  // only the top of a text still being prepared
        emit Filled();
}

void TextBox::finishFill()
{
    completePending();
    while (m_fill)
        fillSlice(m_fill->text.text.size());
}

void TextBox::timerEvent(QTimerEvent* event)
{
    if (m_pendingTimer && event->timerId() == m_pendingTimer) {
        if (m_ready && m_ready())
            completePending();
        return;
    }
    if (!m_fill || event->timerId() != m_fill->timer) {
        QPlainTextEdit::timerEvent(event);
        return;
    }
    // About a third of a frame a slice, so that the window keeps painting and answering.
    QElapsedTimer clock;
    clock.start();
    const qsizetype chars = m_fill->slice;
    fillSlice(chars);
    if (m_fill) {
        const qint64 ms = std::max<qint64>(clock.elapsed(), 1);
        m_fill->slice = std::clamp<qsizetype>(chars * 12 / ms, qsizetype(16) * 1024, qsizetype(16) * 1024 * 1024);
    }
}

// ---------------------------------------------------------------------------------------
// Keyboard and clipboard

namespace {

// Keys that only move the caret or the selection through what the widget already holds.
// The end of the text is the one place they cannot reach before the text is all there.
bool onlyMovesTheCaret(const QKeyEvent* event)
{
    const auto modifiers = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    const bool ctrl = modifiers == Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home: return modifiers == Qt::NoModifier || ctrl;
    case Qt::Key_End: return modifiers == Qt::NoModifier;
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta: return true;  // pressed on its own, before the key it goes with
    default: return false;
    }
}

}  // namespace

void TextBox::keyPressEvent(QKeyEvent* event)
{
    // A big text still filling in can be read and moved through at once; everything else
    // waits for the whole text.
    const bool whileFilling = Filling() && onlyMovesTheCaret(event);
    if (!whileFilling)
        filled();
    const bool enterKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plainOrShift = (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::NoModifier;
    if (enterKey && plainOrShift && !isReadOnly()) {
        // Enter always inserts CR LF; Shift+Enter too
        // (no soft line breaks).
        replaceAtCaret(QStringLiteral("\r\n"));
        event->accept();
        return;
    }
    if (!isReadOnly() && (typeByKey(event) || removeByKey(event))) {
        event->accept();
        return;
    }
    const QTextCursor before = textCursor();
    QPlainTextEdit::keyPressEvent(event);
    // A caret key that only crossed a division moved nowhere in the text: it goes on, so
    // every press moves the caret over one character (or word) of the text.
    const bool sideways = !whileFilling && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right);
    const bool collapsed = before.hasSelection() && !(event->modifiers() & Qt::ShiftModifier);
    if (sideways && !collapsed) {
        const int position = textCursor().position();
        if (position != before.position() && atDivision(position)
            && widgetToModel(position) == widgetToModel(before.position()))
            QPlainTextEdit::keyPressEvent(event);
    }
}

bool TextBox::typeByKey(QKeyEvent* event)
{
    // Typing runs in edit blocks of the box's own, like every other edit: a division moved
    // for display then joins the typing's undo step instead of making an empty step of its
    // own. A run of typing is one step, as long as nothing else changed the text meanwhile.
    // Typing over a selection is a step of its own and starts no run.
    const QString typed = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (command || typed.isEmpty() || !(typed.at(0).isPrint() || typed.at(0) == u'\t'))
        return false;
    if (textCursor().hasSelection()) {
        replaceAtCaret(typed);
        return true;
    }
    const bool goesOn = m_typingChanges == m_textChanges && m_typingEnd == SelStart() && document()->isUndoAvailable();
    replaceAtCaret(typed, goesOn);
    m_typingChanges = m_textChanges;
    m_typingEnd = SelStart();
    return true;
}

bool TextBox::removeByKey(QKeyEvent* event)
{
    // Keys that remove text are carried out here on a cursor, inside one edit block, so
    // that a break kind put back after the removal joins the same undo step. (Running Qt's
    // own key handling inside an outer edit block is not safe: it asks where the caret
    // stands on screen before the block ends and the lines are laid out again.)
    QTextCursor c = textCursor();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (event->matches(QKeySequence::Cut)) {
        if (c.hasSelection()) {
            copy();
            replaceAtCaret(QString());
        }
        return true;
    }
    std::optional<QTextCursor::MoveOperation> reach;
    if (event->key() == Qt::Key_Backspace && !command)
        reach = QTextCursor::PreviousCharacter;
    else if (event->matches(QKeySequence::Delete))
        reach = QTextCursor::NextCharacter;
    else if (event->matches(QKeySequence::DeleteStartOfWord))
        reach = QTextCursor::PreviousWord;
    else if (event->matches(QKeySequence::DeleteEndOfWord))
        reach = QTextCursor::NextWord;
    if (!reach)
        return false;
    const auto selectsText = [&] { return widgetToModel(c.selectionEnd()) > widgetToModel(c.selectionStart()); };
    if (!selectsText()) {
        // Nothing selected but maybe a division, which is no text: the key reaches over it.
        c.clearSelection();
        do {
            if (!c.movePosition(*reach, QTextCursor::KeepAnchor))
                return true;  // nothing before the start or after the end
        } while (!selectsText());
        setTextCursor(c);
    }
    replaceAtCaret(QString());
    return true;
}

void TextBox::dragEnterEvent(QDragEnterEvent* event)
{
    // Files from a file manager are not text to insert: the window around takes them.
    if (!fileDrop::localFiles(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    QPlainTextEdit::dragEnterEvent(event);
}

void TextBox::dropEvent(QDropEvent* event)
{
    filled();
    // The dropped text goes in through insertFromMimeData, with its real breaks.
    QPlainTextEdit::dropEvent(event);
}

void TextBox::contextMenuEvent(QContextMenuEvent* event)
{
    filled();
    QPlainTextEdit::contextMenuEvent(event);
}

void TextBox::inputMethodEvent(QInputMethodEvent* event)
{
    filled();
    QPlainTextEdit::inputMethodEvent(event);
}

bool TextBox::canInsertFromMimeData(const QMimeData* source) const
{
    return source != nullptr && source->hasText();
}

void TextBox::insertFromMimeData(const QMimeData* source)
{
    filled();
    // Paste and drop: plain text only, its breaks kept as they are.
    if (isReadOnly() || source == nullptr || !source->hasText())
        return;
    replaceAtCaret(source->text());
}

QMimeData* TextBox::createMimeDataFromSelection() const
{
    auto* data = new QMimeData;
    data->setText(SelText());
    return data;
}

}  // namespace folio
