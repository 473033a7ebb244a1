#include "platform/ui/TextBox.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <limits>

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

TextBox::TextBox(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setMaximumBlockCount(0);
    setUndoRedoEnabled(true);
    setTabChangesFocus(false);

    connect(document(), &QTextDocument::contentsChange, this, &TextBox::onContentsChange);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (m_quiet == 0)
            emit Change();
    });
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
    if (value < 0 || value > 2)
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

void TextBox::extendCrlfIndex(int block) const
{
    if (block < m_valid)
        return;
    if (static_cast<int>(m_crlf.size()) < m_blockCount)
        m_crlf.resize(m_blockCount, 0);
    if (m_valid < 1) {
        m_crlf[0] = 0;
        m_valid = 1;
    }
    QTextBlock b = document()->findBlockByNumber(m_valid);
    for (int i = m_valid; i <= block && b.isValid(); ++i, b = b.next())
        m_crlf[i] = m_crlf[i - 1] + (breakOf(b) == Break::CrLf ? 1 : 0);
    m_valid = std::max(m_valid, std::min(block + 1, m_blockCount));
}

int TextBox::crlfBefore(int block) const
{
    block = std::clamp(block, 0, m_blockCount - 1);
    extendCrlfIndex(block);
    return m_crlf[block];
}

void TextBox::onContentsChange(int position, int /*charsRemoved*/, int charsAdded)
{
    if (m_loading)
        return;
    QTextDocument* doc = document();
    // Formats are looked up afresh after every change: cheap, as a document has few.
    m_breakByFormat.clear();

    const int newCount = doc->blockCount();
    const int delta = newCount - m_blockCount;
    m_blockCount = newCount;
    const int lastPosition = doc->characterCount() - 1;
    const int first = doc->findBlock(std::clamp(position, 0, lastPosition)).blockNumber();
    const int lastNew =
        doc->findBlock(std::clamp(position + std::max(charsAdded, 0), 0, lastPosition)).blockNumber();
    // Blocks behind the changed range are untouched; only their numbers moved by `delta`.
    const int lastOld = lastNew - delta;
    const int oldValid = m_valid;

    if (oldValid <= first) {
        m_crlf.resize(std::max(newCount, 1), 0);
        return;
    }
    if (lastOld < first - 1 || lastOld + 1 >= oldValid) {
        // Nothing reusable behind the change: recount lazily from its first block.
        m_valid = std::max(first, 1);
        m_crlf.resize(std::max(newCount, 1), 0);
        return;
    }
    const int oldAtLast = m_crlf[lastOld];
    if (delta > 0) {
        m_crlf.resize(newCount, 0);
        std::move_backward(m_crlf.begin() + lastOld + 1, m_crlf.begin() + oldValid,
                           m_crlf.begin() + oldValid + delta);
    } else if (delta < 0) {
        std::move(m_crlf.begin() + lastOld + 1, m_crlf.begin() + oldValid,
                  m_crlf.begin() + lastOld + 1 + delta);
        m_crlf.resize(newCount, 0);
    }
    m_valid = std::max(first, 1);
    extendCrlfIndex(lastNew);
    const int diff = m_crlf[lastNew] - oldAtLast;
    const int newValid = oldValid + delta;
    if (diff != 0) {
        for (int i = lastNew + 1; i < newValid; ++i)
            m_crlf[i] += diff;
    }
    m_valid = newValid;
}

// ---------------------------------------------------------------------------------------
// Position mapping

int TextBox::widgetToModel(int widgetPosition) const
{
    const QTextDocument* doc = document();
    widgetPosition = std::clamp(widgetPosition, 0, doc->characterCount() - 1);
    return widgetPosition + crlfBefore(doc->findBlock(widgetPosition).blockNumber());
}

int TextBox::modelToWidget(qint64 modelPosition) const
{
    const QTextDocument* doc = document();
    const int widgetEnd = doc->characterCount() - 1;
    if (modelPosition <= 0)
        return 0;
    if (modelPosition >= TextLength())
        return widgetEnd;
    const int m = static_cast<int>(modelPosition);
    // The last block whose model start is at or before m.
    int lo = 0;
    int hi = m_blockCount - 1;
    extendCrlfIndex(hi);
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + m_crlf[mid] <= m)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(lo);
    const int offset = m - (block.position() + m_crlf[lo]);
    const int textLength = block.length() - 1;
    // Past the line's last character means inside the following CR LF pair, between its
    // CR and its LF: the caret cannot stand inside a break, so it goes to the next line.
    if (offset > textLength)
        return std::min(block.position() + block.length(), widgetEnd);
    return block.position() + offset;
}

int TextBox::TextLength() const
{
    const QTextDocument* doc = document();
    return doc->characterCount() - 1 + crlfBefore(m_blockCount - 1);
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
        extra = crlfBefore(lastBlock) - crlfBefore(block.blockNumber());
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
            const QVariant original = c.charFormat().property(textbox::SubstituteProperty);
            out.append(original.isValid() ? QChar(char16_t(original.toInt())) : QChar(textbox::SubstituteChar));
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
    return toModelText(document()->toRawText(), 0);
}

int TextBox::SelStart() const
{
    return widgetToModel(textCursor().selectionStart());
}

int TextBox::SelLength() const
{
    const QTextCursor c = textCursor();
    if (!c.hasSelection())
        return 0;
    return widgetToModel(c.selectionEnd()) - widgetToModel(c.selectionStart());
}

QString TextBox::SelText() const
{
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
    QTextCursor c = textCursor();
    c.setPosition(modelToWidget(start));
    setTextCursor(c);
}

void TextBox::setSelLength(int length)
{
    QTextCursor c = textCursor();
    const int start = c.selectionStart();
    const qint64 end = qint64(widgetToModel(start)) + std::max(length, 0);
    c.setPosition(start);
    c.setPosition(modelToWidget(end), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

// ---------------------------------------------------------------------------------------
// Changing

void TextBox::insertModelText(QTextCursor& cursor, const QString& text)
{
    if (text.isEmpty())
        return;
    const textbox::WidgetText wt = textbox::toWidgetText(text);
    const int startBlock = cursor.blockNumber();
    const int startPosition = cursor.position();
    // New blocks inherit the format of the block they split from; fix those whose break
    // is of another kind, a run of equal kinds at a time.
    const Break inherited = breakOf(cursor.block());

    QTextCharFormat plain = cursor.charFormat();
    plain.clearProperty(textbox::SubstituteProperty);
    cursor.insertText(wt.text, plain);

    const int count = static_cast<int>(wt.breaks.size());
    for (int i = 0; i < count;) {
        const Break kind = wt.breaks[i];
        int j = i + 1;
        while (j < count && wt.breaks[j] == kind)
            ++j;
        if (kind != inherited)
            setBreakOfBlocks(startBlock + 1 + i, startBlock + j, kind);
        i = j;
    }

    if (!wt.substitutes.empty()) {
        const int end = cursor.position();
        QTextCursor mark(cursor.document());
        for (const auto& s : wt.substitutes) {
            QTextCharFormat f = plain;
            f.setProperty(textbox::SubstituteProperty, int(s.original));
            mark.setPosition(startPosition + int(s.widgetOffset));
            mark.setPosition(startPosition + int(s.widgetOffset) + 1, QTextCursor::KeepAnchor);
            mark.setCharFormat(f);
        }
        cursor.setPosition(end);
        // What is typed next is ordinary text, not a marked character.
        cursor.setCharFormat(plain);
    }
}

void TextBox::replaceAtCaret(const QString& text)
{
    QTextCursor c = textCursor();
    c.beginEditBlock();
    c.removeSelectedText();
    insertModelText(c, text);
    c.endEditBlock();
    setTextCursor(c);
    ensureCursorVisible();
}

void TextBox::ReplaceSelection(const QString& text)
{
    // Works on the document directly, so a locked box is changed too.
    replaceAtCaret(text);
}

void TextBox::setText(const QString& text)
{
    QTextDocument* doc = document();
    const textbox::WidgetText wt = textbox::toWidgetText(text);
    // Loading: the block every other block is split from carries the most common break,
    // so only the other kinds need their format set afterwards.
    const Break common = textbox::mostCommonBreak(wt);

    ++m_quiet;
    m_loading = true;
    clear();
    doc->setUndoRedoEnabled(false);
    {
        QTextCursor c(doc);
        c.beginEditBlock();
        c.setBlockFormat(withBreak(c.blockFormat(), common));
        c.insertText(wt.text);
        const int count = static_cast<int>(wt.breaks.size());
        for (int i = 0; i < count;) {
            const Break kind = wt.breaks[i];
            int j = i + 1;
            while (j < count && wt.breaks[j] == kind)
                ++j;
            if (kind != common)
                setBreakOfBlocks(1 + i, j, kind);
            i = j;
        }
        for (const auto& s : wt.substitutes) {
            QTextCharFormat f;
            f.setProperty(textbox::SubstituteProperty, int(s.original));
            c.setPosition(int(s.widgetOffset));
            c.setPosition(int(s.widgetOffset) + 1, QTextCursor::KeepAnchor);
            c.mergeCharFormat(f);
        }
        c.endEditBlock();
    }
    doc->setUndoRedoEnabled(true);   // starts with an empty undo stack
    doc->setModified(false);

    // The index comes straight from the breaks just read.
    m_breakByFormat.clear();
    m_blockCount = doc->blockCount();
    m_crlf.assign(std::max(m_blockCount, 1), 0);
    for (int b = 1; b < m_blockCount && b - 1 < static_cast<int>(wt.breaks.size()); ++b)
        m_crlf[b] = m_crlf[b - 1] + (wt.breaks[b - 1] == Break::CrLf ? 1 : 0);
    m_valid = static_cast<int>(wt.breaks.size()) + 1 == m_blockCount ? m_blockCount : 1;
    m_loading = false;

    QTextCursor top(doc);
    top.movePosition(QTextCursor::Start);
    setTextCursor(top);
    --m_quiet;
    emit Change();
}

// ---------------------------------------------------------------------------------------
// Keyboard and clipboard

void TextBox::keyPressEvent(QKeyEvent* event)
{
    const bool enterKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plainOrShift =
        (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::NoModifier;
    if (enterKey && plainOrShift && !isReadOnly()) {
        // Enter always inserts CR LF, as the original text box did; Shift+Enter too
        // (no soft line breaks).
        replaceAtCaret(QStringLiteral("\r\n"));
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

bool TextBox::canInsertFromMimeData(const QMimeData* source) const
{
    return source != nullptr && source->hasText();
}

void TextBox::insertFromMimeData(const QMimeData* source)
{
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
