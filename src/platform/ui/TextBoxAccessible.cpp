#include "platform/ui/TextBoxAccessible.h"

#include "platform/logic/TextModel.h"
#include "platform/ui/TextBox.h"

#include <QFontMetrics>
#include <QPalette>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace folio {

namespace {

// Words and sentences are looked for this far either side of the offset within its line,
// so that a line of megabytes is not copied for every word a reader asks about.
constexpr qsizetype BoundaryReach = 16 * qsizetype(1024);
// A new text is reported with the old and the new text in full up to this many characters
// together; beyond it, a report of megabytes would take longer than the load.
constexpr qsizetype ReplacedReach = 64 * qsizetype(1024);

QAccessibleInterface* textBoxFactory(const QString& key, QObject* object)
{
    if (key == QLatin1String("folio::TextBox")) {
        if (auto* box = qobject_cast<TextBox*>(object))
            return new TextBoxAccessible(box);
    }
    return nullptr;
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

// What the reports have told of each box so far: where its caret and selection were and how
// long its reader text was.
struct Told {
    Selection selection;
    qsizetype length = 0;
};
// Never destroyed: a box may outlive the program's static objects.
std::unordered_map<const TextBox*, Told>& told()
{
    static auto* const map = new std::unordered_map<const TextBox*, Told>;
    return *map;
}

// `text` as a reader reads it: every break one "\n". `text` never starts with the LF of a CR
// LF whose CR is not in it.
QString folded(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    QChar* to = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && i > 0 && text[i - 1] == u'\r')
            continue;
        *to++ = text[i] == u'\r' ? QChar(u'\n') : text[i];
    }
    out.truncate(to - out.constData());
    return out;
}

// Never between the halves of a surrogate pair: a caret or an edit there would split the
// character in two (a reader that counts code points asks for such offsets).
qsizetype toModel(const TextModel& model, int offset)
{
    const qsizetype at = model.positionOfFolded(std::max(offset, 0));
    const QString pair = at > 0 ? model.slice(at - 1, 2) : QString();
    return pair.size() == 2 && pair[0].isHighSurrogate() && pair[1].isLowSurrogate() ? at - 1 : at;
}

int toReader(const TextModel& model, qsizetype position)
{
    return int(model.foldedOffset(position));
}

QChar charAt(const TextModel& model, qsizetype position)
{
    return position >= 0 && position < model.length() ? model.slice(position, 1).front() : QChar();
}

// Reports a change of the reader text: what is the same at either end of the old and the
// new stretch is left out, a surrogate pair staying whole.
void sendTextChange(TextBox* box, int start, QString old, QString made)
{
    qsizetype same = 0;
    while (same < old.size() && same < made.size() && old[same] == made[same])
        ++same;
    if (same > 0 && old[same - 1].isHighSurrogate())
        --same;
    qsizetype sameEnd = 0;
    while (sameEnd < old.size() - same && sameEnd < made.size() - same
           && old[old.size() - 1 - sameEnd] == made[made.size() - 1 - sameEnd])
        ++sameEnd;
    if (sameEnd > 0 && old[old.size() - sameEnd].isLowSurrogate())
        --sameEnd;
    old = old.mid(same, old.size() - same - sameEnd);
    made = made.mid(same, made.size() - same - sameEnd);
    start += int(same);
    if (old.isEmpty() && made.isEmpty())
        return;
    if (old.isEmpty()) {
        QAccessibleTextInsertEvent event(box, start, made);
        send(event);
    } else if (made.isEmpty()) {
        QAccessibleTextRemoveEvent event(box, start, old);
        send(event);
    } else {
        QAccessibleTextUpdateEvent event(box, start, old, made);
        send(event);
    }
}

}  // namespace

TextBoxAccessible::TextBoxAccessible(TextBox* box) : QAccessibleWidget(box, QAccessible::EditableText)
{
    // Somebody reads the box: its reports need the text each edit removes.
    box->model().setKeepRemovedText(true);
}

void TextBoxAccessible::install(TextBox* box)
{
    static const bool installed = [] {
        QAccessible::installFactory(textBoxFactory);
        return true;
    }();
    (void)installed;
    TextModel& model = box->model();
    told()[box] = Told{model.selection(), model.foldedLength()};
    QObject::connect(box, &QObject::destroyed, [box] { told().erase(box); });
    QObject::connect(&model, &TextModel::Change, box, [box](const TextChange& change) { textChanged(box, change); });
    QObject::connect(&model, &TextModel::SelectionChange, box, [box] { selectionChanged(box); });
    if (listening())
        model.setKeepRemovedText(true);
}

void TextBoxAccessible::setEventSink(EventSink sink)
{
    eventSink = sink;
}

void TextBoxAccessible::textChanged(TextBox* box, const TextChange& change)
{
    TextModel& model = box->model();
    Told& state = told()[box];
    const qsizetype oldLength = std::exchange(state.length, model.foldedLength());
    const Selection was = std::exchange(state.selection, model.selection());
    const Selection& now = state.selection;
    if (!listening())
        return;
    model.setKeepRemovedText(true);
    if (change.whole) {
        const bool inFull = oldLength + state.length <= ReplacedReach;
        if (oldLength > 0 || state.length > 0) {
            QAccessibleTextUpdateEvent event(box, 0, inFull ? QString(oldLength, u' ') : QString(),
                                             inFull ? folded(model.Text()) : QString());
            send(event);
        }
    } else {
        // The changed stretch and a character either side, so that a CR LF made or parted at
        // its edges reads as it does, never starting or ending between a CR and its LF.
        const qsizetype behind = change.position + change.inserted;
        qsizetype from = std::max<qsizetype>(change.position - 1, 0);
        if (charAt(model, from - 1) == u'\r' && charAt(model, from) == u'\n')
            --from;
        qsizetype to = std::min(behind + 1, model.length());
        if (charAt(model, to - 1) == u'\r' && charAt(model, to) == u'\n')
            ++to;
        const QString now = model.slice(from, to - from);
        const int start = toReader(model, from);
        if (change.removedText.size() == change.removed) {
            const QString then = now.first(change.position - from) + change.removedText + now.sliced(behind - from);
            sendTextChange(box, start, folded(then), folded(now));
        } else {
            // The model did not keep what went (nobody read the box when the edit began):
            // as many blanks as the reader text lost.
            const QString made = folded(now);
            sendTextChange(box, start, QString(std::max<qsizetype>(made.size() + oldLength - state.length, 0), u' '),
                           made);
        }
    }
    QAccessibleTextCursorEvent caret(box, toReader(model, now.caret));
    send(caret);
    // A selection the edit leaves (an undo brings back the one it replaced) is told too; one
    // that its text took the place of, the text event told.
    if (now.length() > 0 && (now.start() != was.start() || now.length() != was.length())) {
        QAccessibleTextSelectionEvent selection(box, toReader(model, now.start()),
                                                toReader(model, now.start() + now.length()));
        send(selection);
    }
}

void TextBoxAccessible::selectionChanged(TextBox* box)
{
    const TextModel& model = box->model();
    Told& state = told()[box];
    const Selection was = std::exchange(state.selection, model.selection());
    const Selection& now = state.selection;
    if (!listening() || was == now)
        return;
    if (was.caret != now.caret) {
        QAccessibleTextCursorEvent event(box, toReader(model, now.caret));
        send(event);
    }
    if ((was.length() > 0 || now.length() > 0) && (was.start() != now.start() || was.length() != now.length())) {
        QAccessibleTextSelectionEvent event(box, toReader(model, now.start()),
                                            toReader(model, now.start() + now.length()));
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
        return folded(box()->model().Text());
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

// ---------------------------------------------------------------------------------------
// Caret and selection

void TextBoxAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    const TextModel& model = box()->model();
    const Selection s = model.selection();
    if (selectionIndex != 0 || s.length() == 0)
        return;
    *startOffset = toReader(model, s.start());
    *endOffset = toReader(model, s.start() + s.length());
}

int TextBoxAccessible::selectionCount() const
{
    return box()->model().SelLength() > 0 ? 1 : 0;
}

void TextBoxAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void TextBoxAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex != 0)
        return;
    TextModel& model = box()->model();
    model.select(model.selection().caret, model.selection().caret);
}

void TextBoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex != 0)
        return;
    TextModel& model = box()->model();
    model.select(toModel(model, startOffset), toModel(model, endOffset));
    box()->ensureCaretVisible();
}

int TextBoxAccessible::cursorPosition() const
{
    const TextModel& model = box()->model();
    return toReader(model, model.selection().caret);
}

void TextBoxAccessible::setCursorPosition(int position)
{
    box()->moveCaret(toModel(box()->model(), position), false);
}

// ---------------------------------------------------------------------------------------
// Text

QString TextBoxAccessible::text(int startOffset, int endOffset) const
{
    const TextModel& model = box()->model();
    const qsizetype from = toModel(model, startOffset);
    const qsizetype to = toModel(model, std::max(startOffset, endOffset));
    return folded(model.slice(from, to - from));
}

int TextBoxAccessible::characterCount() const
{
    return int(box()->model().foldedLength());
}

bool TextBoxAccessible::segment(int offset, QAccessible::TextBoundaryType boundary, int* start, int* end) const
{
    const TextModel& model = box()->model();
    const int count = characterCount();
    if (offset < 0 || offset > count)
        return false;
    const qsizetype at = toModel(model, offset);
    const auto stretch = [&](qsizetype from, qsizetype to) {
        *start = toReader(model, from);
        *end = toReader(model, to);
        return true;
    };
    switch (boundary) {
    case QAccessible::LineBoundary: {
        // The caret behind the last character stands on the last row; a break belongs to the
        // row it ends.
        const TextBox::Row row = box()->rows().rowAt(at);
        return stretch(row.start, row.end);
    }
    case QAccessible::ParagraphBoundary: {
        const qsizetype line = model.lineOf(at);
        return stretch(model.lineStart(line), model.lineEnd(line));
    }
    case QAccessible::NoBoundary: return stretch(0, model.length());
    case QAccessible::CharBoundary: {
        if (offset == count)
            return stretch(at, at);
        // A surrogate pair is one character; a CR LF one too.
        if (charAt(model, at).isLowSurrogate() && charAt(model, at - 1).isHighSurrogate())
            return stretch(at - 1, at + 1);
        if (charAt(model, at).isHighSurrogate() && charAt(model, at + 1).isLowSurrogate())
            return stretch(at, at + 2);
        return stretch(at, model.positionOfFolded(offset + 1));
    }
    case QAccessible::WordBoundary:
    case QAccessible::SentenceBoundary: break;
    }
    // Inside the line, where the reader text is the model's.
    const qsizetype line = model.lineOf(at);
    const qsizetype from = std::max(model.lineStart(line), at - BoundaryReach);
    const qsizetype to = std::min(model.lineEnd(line), at + BoundaryReach);
    QTextBoundaryFinder finder(boundary == QAccessible::WordBoundary ? QTextBoundaryFinder::Word
                                                                     : QTextBoundaryFinder::Sentence,
                               model.slice(from, to - from));
    finder.setPosition(at - from);
    const qsizetype s = finder.isAtBoundary() ? finder.position() : finder.toPreviousBoundary();
    finder.setPosition(at - from);
    const qsizetype e = finder.toNextBoundary();
    return stretch(from + std::max<qsizetype>(s, 0), e < 0 ? to : from + e);
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
    if (!segment(offset, boundaryType, &start, &end))
        return QString();
    // The break behind a line or a paragraph is in neither: the next one starts behind it.
    int next = end;
    int nextStart = 0;
    int nextEnd = 0;
    if (segment(next, boundaryType, &nextStart, &nextEnd) && nextStart == start)
        ++next;
    // Only lines and paragraphs may be empty (an empty line at the end of the text).
    const bool mayBeEmpty = boundaryType == QAccessible::LineBoundary || boundaryType == QAccessible::ParagraphBoundary;
    if (!segment(next, boundaryType, &nextStart, &nextEnd) || nextStart == start
        || (nextStart == nextEnd && !mayBeEmpty))
        return QString();
    return textAtOffset(next, boundaryType, startOffset, endOffset);
}

QString TextBoxAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    // One font and one pair of colours for the whole text.
    const int count = characterCount();
    if (offset < 0 || offset > count) {
        *startOffset = *endOffset = -1;
        return QString();
    }
    *startOffset = 0;
    *endOffset = count;
    const TextBox* b = box();
    const QFont font = b->font();
    QString family = font.family();
    family.replace(u'\\', QLatin1String("\\\\"));
    for (const char16_t special : {u':', u',', u'=', u';', u'"'})
        family.replace(QChar(special), QLatin1Char('\\') + QChar(special));
    const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / b->logicalDpiY();
    const QString style = font.style() == QFont::StyleItalic ? QStringLiteral("italic")
        : font.style() == QFont::StyleOblique                ? QStringLiteral("oblique")
                                                             : QStringLiteral("normal");
    const auto rgb = [](const QColor& c) {
        return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue());
    };
    return QStringLiteral("font-family:\"%1\";font-size:%2pt;font-weight:%3;font-style:%4;text-position:baseline;"
                          "background-color:%5;color:%6;text-align:left;")
        .arg(family, QString::number(points),
             font.weight() > QFont::Normal ? QStringLiteral("bold") : QStringLiteral("normal"), style,
             rgb(b->palette().color(QPalette::Base)), rgb(b->palette().color(QPalette::Text)));
}

// ---------------------------------------------------------------------------------------
// Geometry

QRect TextBoxAccessible::characterRect(int offset) const
{
    if (offset < 0 || offset > characterCount())
        return QRect();
    TextBox* b = box();
    QRect r = b->rectOf(toModel(b->model(), offset));
    // A break, the blank that ends a wrapped row, or the text's end (where a magnifier follows
    // the caret) gets the width of an average character.
    if (r.width() <= 0)
        r.setWidth(b->fontMetrics().averageCharWidth());
    return QRect(b->viewport()->mapToGlobal(r.topLeft()), r.size());
}

int TextBoxAccessible::offsetAtPoint(const QPoint& point) const
{
    TextBox* b = box();
    const QPoint local = b->viewport()->mapFromGlobal(point);
    if (!b->viewport()->rect().contains(local))
        return -1;
    const TextModel& model = b->model();
    qsizetype at = b->positionAt(local);
    // The nearest caret place may be behind the character the point is on.
    qsizetype before = at - 1;
    if (charAt(model, before).isLowSurrogate() && charAt(model, before - 1).isHighSurrogate())
        --before;
    if (before >= 0 && b->rectOf(before).contains(local))
        at = before;
    return toReader(model, at);
}

void TextBoxAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    TextBox* b = box();
    const TextModel& model = b->model();
    const qsizetype first = toModel(model, startIndex);
    const QRect view = b->viewport()->rect();
    const auto shown = [&](qsizetype position) {
        const QRect r = b->rectOf(position);
        return view.contains(r.topLeft()) && view.contains(r.bottomLeft());
    };
    if (shown(first) && shown(toModel(model, std::max(startIndex, endIndex))))
        return;
    // The row of the start goes to the top; the caret stays where it is.
    b->scrollToRow(b->rows().rowAt(first));
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
    TextBox* b = box();
    if (b->Locked() || b->Loading() || startOffset > endOffset)
        return;
    TextModel& model = b->model();
    const qsizetype from = toModel(model, startOffset);
    const qsizetype to = toModel(model, endOffset);
    if (from == to && text.isEmpty())
        return;
    {
        // Breaks kept as given, one undo step, the caret behind.
        TextModel::Transaction step(model);
        model.replace(from, to - from, text);
        model.select(from + text.size(), from + text.size());
    }
    b->ensureCaretVisible();
}

}  // namespace folio
