#include "platform/ui/TextBoxAccessible.h"

#include "platform/logic/PieceText.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/TextBoxBreaks.h"

#include <QFontMetrics>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTextLayout>

#include <algorithm>
#include <utility>

namespace folio {

namespace {

// Words and sentences are looked for this far either side of the offset within its line,
// so that a line of megabytes is not copied for every word a reader asks about.
constexpr int BoundaryReach = 16 * 1024;
// A new text is reported with the old and the new text in full up to this many characters
// together; beyond it, a report of megabytes would take longer than the load.
constexpr int ReplacedReach = 64 * 1024;

QAccessibleInterface* textBoxFactory(const QString& key, QObject* object)
{
    if (key == QLatin1String("folio::TextBox")) {
        if (auto* box = qobject_cast<TextBox*>(object))
            return new TextBoxAccessible(box);
    }
    return nullptr;
}

// While a text box's document reports a change, the widget's text control sends a text
// change event for it in widget positions; these are held back by an update handler put
// in front of the control's report and taken away behind it. Only then: a handler in place
// all the time would have to pass every other event on by calling updateAccessibility
// again, which hands a table's model change to the table twice.
int holdingBack = 0;
QAccessible::UpdateHandler passedOn = nullptr;

bool isTextChange(QAccessible::Event type)
{
    return type == QAccessible::TextInserted || type == QAccessible::TextRemoved || type == QAccessible::TextUpdated;
}

void holdBackTextChanges(QAccessibleEvent* event)
{
    if (isTextChange(event->type()) && qobject_cast<TextBox*>(event->object()))
        return;
    if (passedOn) {
        passedOn(event);
        return;
    }
    // Without a handler of its own the program hands events to the platform.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(holdBackTextChanges);
}

TextBoxAccessible::EventSink eventSink = nullptr;

// Whether a screen reader hears the box's events (or a test takes them).
bool listening()
{
    return eventSink || QAccessible::isActive();
}

void send(QAccessibleEvent& event)
{
    if (eventSink)
        eventSink(&event);
    else
        QAccessible::updateAccessibility(&event);
}

// What a change removed, as a reader reads it, from the model text the box has not yet
// brought up to date (its index has been): the model stretch between the unchanged text
// before the widget position and the unchanged text behind what the change added.
QString removedText(const TextBox* box, int position, int charsAdded)
{
    const PieceText model = box->TextPieces();
    const qsizetype from = box->widgetToModel(position);
    const qsizetype to = model.size() - (box->TextLength() - box->widgetToModel(position + charsAdded));
    QString out;
    if (to <= from)
        return out;
    out.reserve(to - from);
    qsizetype at = 0;
    bool afterCr = false;
    for (const QStringView part : model.parts()) {
        const qsizetype end = at + part.size();
        for (qsizetype i = std::max(from, at); i < std::min(to, end); ++i) {
            const QChar c = part[i - at];
            // Every break one line feed; a character the widget cannot hold reads as the
            // one it stands in for there.
            if (c == u'\r' || (c == u'\n' && !afterCr))
                out.append(u'\n');
            else if (c != u'\n')
                out.append(textbox::needsSubstitute(c.unicode()) ? QChar(textbox::SubstituteChar) : c);
            afterCr = c == u'\r';
        }
        at = end;
        if (at >= to)
            break;
    }
    return out;
}

}  // namespace

TextBoxAccessible::TextBoxAccessible(TextBox* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

void TextBoxAccessible::install(TextBox* box)
{
    static const bool installed = [] {
        QAccessible::installFactory(textBoxFactory);
        return true;
    }();
    (void)installed;

    // The control connects to the document it is given; what connects before that hears
    // every change report first.
    auto* doc = new QTextDocument(box);
    doc->setDocumentLayout(new QPlainTextDocumentLayout(doc));
    QObject::connect(doc, &QTextDocument::contentsChange, box, [] {
        if (holdingBack > 0 || QAccessible::isActive()) {
            if (holdingBack++ == 0)
                passedOn = QAccessible::installUpdateHandler(holdBackTextChanges);
        }
    });
    box->setDocument(doc);
    QObject::connect(doc, &QTextDocument::contentsChange, box, [] {
        if (holdingBack > 0 && --holdingBack == 0)
            QAccessible::installUpdateHandler(std::exchange(passedOn, nullptr));
    });
}

void TextBoxAccessible::setEventSink(EventSink sink)
{
    eventSink = sink;
}

void TextBoxAccessible::textChanged(TextBox* box, int position, int charsRemoved, int charsAdded, int divisionsGone)
{
    // A text still being laid in or prepared is reported whole once it is in (textReplaced);
    // reading it here would finish it from inside the document's report.
    if (!listening() || box->Filling())
        return;
    // The text before `position` is as it was. Of the characters the change added, the
    // divisions are nothing to a reader; of those it removed, as many fewer as divisions
    // went in all (divisions outside the change stay where they were).
    int start = box->widgetToReader(position);
    int added = box->widgetToReader(position + charsAdded) - start;
    int removed = added + (charsRemoved - charsAdded) - divisionsGone;
    if (added == 0 && removed == 0)
        return;
    QString inserted = added > 0 ? box->readerText(start, start + added) : QString();
    // The removed text is still in the model text: the stretch between the same unchanged
    // text before and after. Should it not come out as long as it must, readers are told
    // the length only, in blanks.
    QString old = removedText(box, position, charsAdded);
    if (old.size() != removed)
        old = QString(std::max(removed, 0), u' ');
    // Qt reports the blocks whose formats the box set as changed too: what is the same at
    // either end is no change. A surrogate pair stays whole.
    qsizetype same = 0;
    while (same < old.size() && same < inserted.size() && old[same] == inserted[same])
        ++same;
    if (same > 0 && old[same - 1].isHighSurrogate())
        --same;
    qsizetype sameEnd = 0;
    while (sameEnd < old.size() - same && sameEnd < inserted.size() - same
           && old[old.size() - 1 - sameEnd] == inserted[inserted.size() - 1 - sameEnd])
        ++sameEnd;
    if (sameEnd > 0 && old[old.size() - sameEnd].isLowSurrogate())
        --sameEnd;
    old = old.mid(same, old.size() - same - sameEnd);
    inserted = inserted.mid(same, inserted.size() - same - sameEnd);
    start += int(same);
    if (old.isEmpty() && inserted.isEmpty())
        return;
    if (old.isEmpty()) {
        QAccessibleTextInsertEvent event(box, start, inserted);
        send(event);
    } else if (inserted.isEmpty()) {
        QAccessibleTextRemoveEvent event(box, start, old);
        send(event);
    } else {
        QAccessibleTextUpdateEvent event(box, start, old, inserted);
        send(event);
    }
}

TextBox* TextBoxAccessible::box() const
{
    return static_cast<TextBox*>(widget());
}

QAccessible::State TextBoxAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.multiLine = true;
    s.selectableText = true;
    if (box()->Locked())
        s.readOnly = true;
    else
        s.editable = true;
    return s;
}

QString TextBoxAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return box()->readerText(0, box()->readerLength());
    return QAccessibleWidget::text(t);
}

void TextBoxAccessible::setText(QAccessible::Text t, const QString& text)
{
    if (t != QAccessible::Value) {
        QAccessibleWidget::setText(t, text);
        return;
    }
    replaceText(0, characterCount(), text);
}

void* TextBoxAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (t == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

void TextBoxAccessible::textReplaced(TextBox* box, int oldLength)
{
    if (!listening())
        return;
    // One report for the whole text, laid in at once or a slice at a time: from the start,
    // the old text gone (in blanks) and the new one in. A text too long for that, or one
    // still filling in, is reported as a change at the start with neither, which tells the
    // reader to read afresh.
    const bool whole = oldLength >= 0 && !box->Filling() && oldLength + box->readerLength() <= ReplacedReach;
    QAccessibleTextUpdateEvent event(box, 0, whole ? QString(oldLength, u' ') : QString(),
                                     whole ? box->readerText(0, box->readerLength()) : QString());
    send(event);
}

// ---------------------------------------------------------------------------------------
// Caret and selection

void TextBoxAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    const QTextCursor c = box()->textCursor();
    if (selectionIndex != 0 || !c.hasSelection())
        return;
    *startOffset = box()->widgetToReader(c.selectionStart());
    *endOffset = box()->widgetToReader(c.selectionEnd());
}

int TextBoxAccessible::selectionCount() const
{
    return box()->textCursor().hasSelection() ? 1 : 0;
}

void TextBoxAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void TextBoxAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex != 0)
        return;
    QTextCursor c = box()->textCursor();
    c.clearSelection();
    box()->setTextCursor(c);
}

void TextBoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex != 0)
        return;
    QTextCursor c = box()->textCursor();
    c.setPosition(box()->readerToWidget(startOffset));
    c.setPosition(box()->readerToWidget(endOffset), QTextCursor::KeepAnchor);
    box()->setTextCursor(c);
}

int TextBoxAccessible::cursorPosition() const
{
    return box()->widgetToReader(box()->textCursor().position());
}

void TextBoxAccessible::setCursorPosition(int position)
{
    QTextCursor c = box()->textCursor();
    c.setPosition(box()->readerToWidget(position));
    box()->setTextCursor(c);
}

// ---------------------------------------------------------------------------------------
// Text

QString TextBoxAccessible::text(int startOffset, int endOffset) const
{
    return box()->readerText(startOffset, endOffset);
}

int TextBoxAccessible::characterCount() const
{
    return box()->readerLength();
}

void TextBoxAccessible::lineAround(int offset, int* start, int* end) const
{
    box()->readerLine(offset, start, end);
}

bool TextBoxAccessible::segment(int offset, QAccessible::TextBoundaryType boundary, int* start, int* end) const
{
    const int count = characterCount();
    if (offset < 0 || offset > count)
        return false;
    switch (boundary) {
    case QAccessible::LineBoundary:
    case QAccessible::ParagraphBoundary:
        // The caret behind the last character stands on the last line.
        lineAround(offset, start, end);
        return true;
    case QAccessible::NoBoundary:
        *start = 0;
        *end = count;
        return true;
    case QAccessible::CharBoundary: {
        if (offset == count) {
            *start = *end = count;
            return true;
        }
        // A surrogate pair is one character.
        const QString around = text(std::max(offset - 1, 0), std::min(offset + 2, count));
        const int at = offset - std::max(offset - 1, 0);
        *start = offset;
        *end = offset + 1;
        if (around.at(at).isLowSurrogate() && at > 0 && around.at(at - 1).isHighSurrogate())
            *start = offset - 1;
        else if (around.at(at).isHighSurrogate() && at + 1 < around.size() && around.at(at + 1).isLowSurrogate())
            *end = offset + 2;
        return true;
    }
    case QAccessible::WordBoundary:
    case QAccessible::SentenceBoundary: break;
    }
    int lineStart = 0;
    int lineEnd = 0;
    lineAround(offset, &lineStart, &lineEnd);
    const int from = std::max(lineStart, offset - BoundaryReach);
    const int to = std::min(lineEnd, offset + BoundaryReach);
    const QString window = text(from, to);
    QTextBoundaryFinder finder(
        boundary == QAccessible::WordBoundary ? QTextBoundaryFinder::Word : QTextBoundaryFinder::Sentence, window);
    finder.setPosition(offset - from);
    // Positions in the window, which is at most twice BoundaryReach long.
    const int s = int(finder.isAtBoundary() ? finder.position() : finder.toPreviousBoundary());
    finder.setPosition(offset - from);
    const int e = int(finder.toNextBoundary());
    *start = from + std::max(s, 0);
    *end = e < 0 ? to : from + e;
    return true;
}

QString TextBoxAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                        int* endOffset) const
{
    *startOffset = *endOffset = -1;
    int start = 0;
    int end = 0;
    if (!segment(offset, boundaryType, &start, &end))
        return QString();
    *startOffset = start;
    *endOffset = end;
    return text(start, end);
}

QString TextBoxAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                            int* endOffset) const
{
    *startOffset = *endOffset = -1;
    int start = 0;
    int end = 0;
    if (!segment(offset, boundaryType, &start, &end) || start == 0)
        return QString();
    return textAtOffset(start - 1, boundaryType, startOffset, endOffset);
}

QString TextBoxAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                           int* endOffset) const
{
    *startOffset = *endOffset = -1;
    int start = 0;
    int end = 0;
    if (!segment(offset, boundaryType, &start, &end) || end >= characterCount())
        return QString();
    return textAtOffset(end, boundaryType, startOffset, endOffset);
}

QString TextBoxAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    // One font and colour for the whole text: no attributes to report.
    const int count = characterCount();
    if (offset < 0 || offset > count) {
        *startOffset = *endOffset = -1;
        return QString();
    }
    *startOffset = 0;
    *endOffset = count;
    return QString();
}

// ---------------------------------------------------------------------------------------
// Geometry

QRect TextBoxAccessible::characterRect(int offset) const
{
    if (offset < 0 || offset >= characterCount())
        return QRect();
    TextBox* b = box();
    QTextCursor c(b->document());
    c.setPosition(b->readerToWidget(offset));
    const QRect at = b->cursorRect(c);
    // As wide as the way to the next caret place on the same screen line; a break, or the
    // last character of a screen line, gets the width of an average character.
    int width = b->fontMetrics().averageCharWidth();
    if (!c.atBlockEnd()) {
        QTextCursor next = c;
        next.movePosition(QTextCursor::NextCharacter);
        const QRect behind = b->cursorRect(next);
        if (behind.top() == at.top() && behind.left() > at.left())
            width = behind.left() - at.left();
    }
    return QRect(b->viewport()->mapToGlobal(at.topLeft()), QSize(width, at.height()));
}

int TextBoxAccessible::offsetAtPoint(const QPoint& point) const
{
    TextBox* b = box();
    const QPoint local = b->viewport()->mapFromGlobal(point);
    if (!b->viewport()->rect().contains(local))
        return -1;
    QTextCursor c = b->cursorForPosition(local);
    // The nearest caret place may be behind the character the point is on.
    if (!c.atBlockStart() && b->cursorRect(c).left() > local.x())
        c.movePosition(QTextCursor::PreviousCharacter);
    return b->widgetToReader(c.position());
}

void TextBoxAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    TextBox* b = box();
    QTextCursor first(b->document());
    first.setPosition(b->readerToWidget(startIndex));
    QTextCursor last(b->document());
    last.setPosition(b->readerToWidget(std::max(startIndex, endIndex)));
    const QRect view = b->viewport()->rect();
    if (view.contains(b->cursorRect(first)) && view.contains(b->cursorRect(last)))
        return;
    // The screen line of the start goes to the top; the caret stays where it is. The
    // scroll bar counts screen lines.
    const QTextBlock block = first.block();
    int line = 0;
    if (const QTextLayout* layout = block.layout(); layout && layout->lineCount() > 0)
        line = std::max(layout->lineForTextPosition(first.positionInBlock()).lineNumber(), 0);
    b->verticalScrollBar()->setValue(block.firstLineNumber() + line);
}

// ---------------------------------------------------------------------------------------
// Editing

void TextBoxAccessible::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, QString());
}

void TextBoxAccessible::insertText(int offset, const QString& text)
{
    replaceText(offset, offset, text);
}

void TextBoxAccessible::replaceText(int startOffset, int endOffset, const QString& text)
{
    if (box()->Locked() || startOffset > endOffset)
        return;
    setSelection(0, startOffset, endOffset);
    if (!box()->textCursor().hasSelection() && text.isEmpty())
        return;
    // The box's own replacement: breaks kept as given, one undo step, the caret behind.
    box()->ReplaceSelection(text);
}

}  // namespace folio
