// The text box's mouse, wheel, drag and drop: each turns into a selection of the model or one
// undo step of it.
#include "platform/logic/TextMotion.h"
#include "platform/ui/FileDrop.h"
#include "platform/ui/TextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QDragEnterEvent>
#include <QInputMethod>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleHints>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

namespace folio {

namespace {

// How often a selection dragged beyond the box, or a drag held near its edge, scrolls.
constexpr int AutoScrollInterval = 50;
// One notch of a mouse wheel.
constexpr int Notch = 120;

}  // namespace

// ---------------------------------------------------------------------------------------
// Pressing, moving, releasing

void TextBox::mousePressEvent(QMouseEvent* event)
{
    // Text being composed is finished where it stands before a click moves the caret.
    if (!m_preedit.isEmpty())
        QGuiApplication::inputMethod()->commit();
    const QPoint point = event->position().toPoint();
    const qsizetype position = positionAt(point);
    const Selection sel = m_model.selection();
    switch (event->button()) {
    case Qt::LeftButton: {
        setFocus(Qt::MouseFocusReason);
        const bool tripleClick = m_afterDoubleClick
            && event->timestamp() - m_doubleClickTime < ulong(QGuiApplication::styleHints()->mouseDoubleClickInterval())
            && (point - m_doubleClickPoint).manhattanLength() < QApplication::startDragDistance();
        m_afterDoubleClick = false;
        m_mayDrag = m_selecting = m_wordSelecting = m_lineSelecting = false;
        m_pressPoint = point;
        m_pressPosition = position;
        if (tripleClick && !(event->modifiers() & Qt::ShiftModifier)) {
            // The whole line, its break with it; a drag goes on by lines.
            m_wordSelecting = m_lineSelecting = m_selecting = true;
            const auto [first, second] = unitAround(position);
            m_wordAnchorStart = first;
            m_wordAnchorEnd = second;
            m_model.select(first, second);
            m_goalX = -1;
            ensureCaretVisible();
        } else if (event->modifiers() & Qt::ShiftModifier) {
            moveCaret(position, true);
            m_selecting = true;
        } else if (onSelection(point)) {
            m_mayDrag = true;  // a drag, or on release a click
        } else {
            moveCaret(position, false);
            m_selecting = true;
        }
        break;
    }
    case Qt::MiddleButton: {
        // Where the X11 selection is kept, the middle button pastes it at the point.
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (!clipboard->supportsSelection() || m_locked || m_loading) {
            event->ignore();
            return;
        }
        setFocus(Qt::MouseFocusReason);
        const QString text = clipboard->text(QClipboard::Selection);
        if (text.isEmpty()) {
            moveCaret(position, false);
            break;
        }
        {
            TextModel::Transaction step(m_model);
            m_model.insert(position, text);
            m_model.select(position + text.size(), position + text.size());
        }
        m_goalX = -1;
        ensureCaretVisible();
        break;
    }
    case Qt::RightButton:
        // The menu that follows acts on the selection the click is on; elsewhere the caret
        // goes to the click first.
        setFocus(Qt::MouseFocusReason);
        if (sel.length() == 0 || position < sel.start() || position > sel.start() + sel.length())
            moveCaret(position, false);
        break;
    default: event->ignore(); return;
    }
    event->accept();
}

void TextBox::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton)) {
        event->ignore();
        return;
    }
    const QPoint point = event->position().toPoint();
    if (m_mayDrag) {
        if ((point - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
            m_mayDrag = false;
            startDrag();
        }
        return;
    }
    if (!m_selecting)
        return;
    // Beyond the top or the bottom the text scrolls towards the mouse while it stays there.
    m_autoScrollPoint = point;
    const QRect area = viewport()->rect();
    if (point.y() < area.top() || point.y() > area.bottom()) {
        if (!m_autoScroll.isActive())
            m_autoScroll.start(AutoScrollInterval, this);
    } else {
        m_autoScroll.stop();
    }
    // Beyond the edges the selection reaches as far as the rows shown whole.
    const int bottom = std::max(area.top(), rowRect(visibleRows() - 1).bottom());
    extendSelection({point.x(), std::clamp(point.y(), area.top(), bottom)});
}

void TextBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_autoScroll.stop();
    // A click on the selection that did not become a drag puts the caret there.
    if (m_mayDrag)
        moveCaret(m_pressPosition, false);
    const bool selected = m_mayDrag || m_selecting;
    m_mayDrag = m_selecting = m_wordSelecting = m_lineSelecting = false;
    if (selected)
        offerMouseSelection();
}

void TextBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QPoint point = event->position().toPoint();
    const auto [first, second] = unitAround(positionAt(point));
    m_autoScroll.stop();
    m_mayDrag = m_lineSelecting = false;
    m_wordSelecting = m_selecting = true;
    m_wordAnchorStart = first;
    m_wordAnchorEnd = second;
    m_model.select(first, second);
    m_goalX = -1;
    ensureCaretVisible();
    m_afterDoubleClick = true;
    m_doubleClickTime = event->timestamp();
    m_doubleClickPoint = point;
}

bool TextBox::onSelection(QPoint point) const
{
    const Selection sel = m_model.selection();
    if (sel.length() == 0)
        return false;
    // The point is on the character behind or before the position nearest to it.
    const qsizetype position = positionAt(point);
    const qsizetype characters[] = {position - 1, position};
    return std::ranges::any_of(characters, [&](qsizetype character) {
        return character >= sel.start() && character < sel.start() + sel.length() && rectOf(character).contains(point);
    });
}

std::pair<qsizetype, qsizetype> TextBox::unitAround(qsizetype position) const
{
    if (!m_lineSelecting)
        return motion::wordAround(m_model, position);
    const qsizetype line = m_model.lineOf(position);
    const qsizetype end = line + 1 < m_model.lineCount() ? m_model.lineStart(line + 1) : m_model.length();
    return {m_model.lineStart(line), end};
}

void TextBox::extendSelection(QPoint point)
{
    const qsizetype position = positionAt(point);
    if (!m_wordSelecting) {
        moveCaret(position, true);
        return;
    }
    // By whole words (lines): the word first double-clicked stays selected, and the one the
    // mouse is in joins it; at a word's edge the selection ends there.
    const auto [first, second] = unitAround(position);
    const bool inside = first < position && position < second;
    if (position < m_wordAnchorStart)
        m_model.select(m_wordAnchorEnd, inside ? first : position);
    else if (position > m_wordAnchorEnd)
        m_model.select(m_wordAnchorStart, inside ? second : position);
    else
        m_model.select(m_wordAnchorStart, m_wordAnchorEnd);
    m_goalX = -1;
    ensureCaretVisible();
}

void TextBox::autoScrollStep()
{
    const QRect area = viewport()->rect();
    const QPoint point = m_autoScrollPoint;
    const int height = std::max(1, int(m_rows.rowHeight()));
    int rows = 0;
    if (m_dropCaret >= 0) {
        // A drag held within a row of the edge.
        if (point.y() < area.top() + height)
            rows = -1;
        else if (point.y() > area.bottom() - height)
            rows = 1;
    } else if (m_selecting) {
        // Faster the further the mouse is beyond the edge.
        if (point.y() < area.top())
            rows = -std::min(visibleRows(), 1 + (area.top() - point.y()) / height);
        else if (point.y() > area.bottom())
            rows = std::min(visibleRows(), 1 + (point.y() - area.bottom()) / height);
    }
    if (rows == 0) {
        m_autoScroll.stop();
        return;
    }
    scrollRows(rows);
    const int bottom = std::max(area.top(), rowRect(visibleRows() - 1).bottom());
    const QPoint inside(point.x(), std::clamp(point.y(), area.top(), bottom));
    if (m_dropCaret >= 0)
        showDropCaret(positionAt(inside));
    else
        extendSelection(inside);
}

void TextBox::offerMouseSelection() const
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection() && m_model.SelLength() > 0)
        clipboard->setText(m_model.SelText(), QClipboard::Selection);
}

// ---------------------------------------------------------------------------------------
// The wheel

void TextBox::wheelEvent(QWheelEvent* event)
{
    const QPoint angle = event->angleDelta();
    const QPoint pixels = event->pixelDelta();
    // The rows wrap at the width: nothing to scroll sideways.
    if (std::abs(angle.x()) > std::abs(angle.y()) || (angle.isNull() && std::abs(pixels.x()) > std::abs(pixels.y()))) {
        event->ignore();
        return;
    }
    // With Shift or Ctrl a notch scrolls a page, as on a scroll bar; otherwise the rows a
    // notch scrolls by the desktop's setting. Parts of a notch (high-resolution wheels,
    // touchpads) add up until they make a row; a turn the other way starts afresh.
    const bool pages = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
    int rows = 0;
    if (!pixels.isNull() && !pages) {
        const qreal height = m_rows.rowHeight();
        if ((m_wheelPixels > 0 && pixels.y() > 0) || (m_wheelPixels < 0 && pixels.y() < 0))
            m_wheelPixels = 0;
        m_wheelPixels -= pixels.y();
        rows = int(m_wheelPixels / height);
        m_wheelPixels -= rows * height;
    } else {
        const int perNotch = pages ? visibleRows() : QApplication::wheelScrollLines();
        if ((m_wheelAngle > 0 && angle.y() > 0) || (m_wheelAngle < 0 && angle.y() < 0))
            m_wheelAngle = 0;
        m_wheelAngle -= angle.y() * perNotch;
        rows = m_wheelAngle / Notch;
        m_wheelAngle -= rows * Notch;
    }
    if (rows != 0) {
        scrollRows(rows);
        // A selection being dragged follows the text under the mouse.
        if (m_selecting && (event->buttons() & Qt::LeftButton))
            extendSelection(event->position().toPoint());
    }
    event->accept();
}

// ---------------------------------------------------------------------------------------
// Drag and drop

bool TextBox::takesDrop(const QDropEvent* event) const
{
    // Files from a file manager are no text: the window around opens them.
    const QMimeData* data = event->mimeData();
    return !m_locked && !m_loading && data && data->hasText() && fileDrop::localFiles(data).isEmpty();
}

void TextBox::showDropCaret(qsizetype position)
{
    if (m_dropCaret == position)
        return;
    m_dropCaret = position;
    viewport()->update();
}

void TextBox::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
    // A drag the box takes is let in even where it starts, over the dragged text itself:
    // a drag not let in gets no moves afterwards.
    if (takesDrop(event))
        event->acceptProposedAction();
}

void TextBox::dragMoveEvent(QDragMoveEvent* event)
{
    const QPoint point = event->position().toPoint();
    const Selection sel = m_model.selection();
    const qsizetype position = positionAt(point);
    const bool fromHere = event->source() == this || event->source() == viewport();
    if (!takesDrop(event) || (fromHere && position > sel.start() && position < sel.start() + sel.length())) {
        // Not taken (a drop onto the dragged text itself would change nothing either).
        showDropCaret(-1);
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    showDropCaret(position);
    // Held near the top or the bottom, the text scrolls.
    m_autoScrollPoint = point;
    const int height = int(m_rows.rowHeight());
    const QRect area = viewport()->rect();
    if (point.y() < area.top() + height || point.y() > area.bottom() - height) {
        if (!m_autoScroll.isActive())
            m_autoScroll.start(AutoScrollInterval, this);
    } else {
        m_autoScroll.stop();
    }
}

void TextBox::dragLeaveEvent(QDragLeaveEvent* /*event*/)
{
    m_autoScroll.stop();
    showDropCaret(-1);
}

void TextBox::dropEvent(QDropEvent* event)
{
    m_autoScroll.stop();
    showDropCaret(-1);
    if (!takesDrop(event)) {
        event->ignore();
        return;
    }
    const bool fromHere = event->source() == this || event->source() == viewport();
    const Qt::DropAction action = event->dropAction();
    if (!dropText(positionAt(event->position().toPoint()), event->mimeData()->text(), action, fromHere)) {
        event->ignore();
        return;
    }
    m_droppedHere = fromHere;
    event->setDropAction(action);
    event->accept();
}

bool TextBox::dropText(qsizetype position, const QString& text, Qt::DropAction action, bool fromHere)
{
    const qsizetype start = m_model.SelStart();
    const qsizetype length = m_model.SelLength();
    // A move takes the text from the selection only if that is still what was dragged.
    const bool move = fromHere && action == Qt::MoveAction && m_model.SelText() == text;
    if (fromHere && position > start && position < start + length)
        return false;
    if (move && (position == start || position == start + length))
        return false;  // it would land where it is
    if (text.isEmpty())
        return false;
    {
        TextModel::Transaction step(m_model);
        if (move) {
            m_model.remove(start, length);
            if (position > start)
                position -= length;
        }
        m_model.insert(position, text);
        m_model.select(position, position + text.size());
    }
    m_goalX = -1;
    ensureCaretVisible();
    return true;
}

void TextBox::startDrag()
{
    const qsizetype start = m_model.SelStart();
    const QString text = m_model.SelText();
    auto* data = new QMimeData;
    data->setText(text);  // its breaks as they are
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    m_droppedHere = false;
    // A locked box lends its text and keeps it.
    const QPointer<TextBox> self(this);
    const Qt::DropAction action = m_locked ? drag->exec(Qt::CopyAction, Qt::CopyAction)
                                           : drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    if (self)
        dragFinished(action, start, text);
}

void TextBox::dragFinished(Qt::DropAction action, qsizetype start, const QString& text)
{
    // Moved onto another widget or program: the text goes from here, as one step. A drop on
    // this box has moved it already; and if the text there has changed meanwhile, it stays.
    const bool droppedHere = std::exchange(m_droppedHere, false);
    if (action != Qt::MoveAction || droppedHere || m_locked || m_model.slice(start, text.size()) != text)
        return;
    TextModel::Transaction step(m_model);
    m_model.remove(start, text.size());
}

}  // namespace folio
