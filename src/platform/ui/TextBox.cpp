#include "platform/ui/TextBox.h"

#include "platform/ui/TextBoxAccessible.h"

#include <QApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>
#include <climits>
#include <cmath>

namespace folio {

namespace {

// The blank between the viewport's edges and the text.
constexpr int Margin = 4;

}  // namespace

TextBox::TextBox(QWidget* parent) : QAbstractScrollArea(parent), m_rows(m_model)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    m_rows.setPaintDevice(viewport());
    m_rows.setFont(font());
    m_rows.setTabStopDistance(80);
    m_rows.setWidth(viewport()->width() - 2 * Margin);
    m_top = m_rows.rowAt(0);

    connect(&m_model, &TextModel::Change, this, &TextBox::onModelChange);
    connect(&m_model, &TextModel::SelectionChange, this, &TextBox::onSelectionChange);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &TextBox::onScrollAction);
    // The scroll bar counts characters: its own wheel steps would move a few characters, not rows.
    verticalScrollBar()->installEventFilter(this);
    updateScrollBar();
    // Behind the box's own connections: readers hear of a change once the rows have.
    TextBoxAccessible::install(this);
}

TextBox::~TextBox() = default;

// ---------------------------------------------------------------------------------------
// The text and the selection

void TextBox::setText(const QString& text)
{
    m_model.setText(text);
}

void TextBox::setText(PieceText text)
{
    m_model.setText(std::move(text));
}

void TextBox::setLoading(bool loading)
{
    if (m_loading == loading)
        return;
    m_loading = loading;
    if (!loading)
        carryOutKeptInput();
}

void TextBox::setSelStart(int start)
{
    moveCaret(start, false);
}

void TextBox::setSelLength(int length)
{
    const qsizetype start = m_model.SelStart();
    m_model.select(start, start + std::max(length, 0));
    m_goalX = -1;
    ensureCaretVisible();
}

void TextBox::ReplaceSelection(const QString& text)
{
    m_model.ReplaceSelection(text);
    m_goalX = -1;
    ensureCaretVisible();
}

void TextBox::setLayoutLimits(const TextBoxLayout::Limits& limits)
{
    const qsizetype top = m_top.start;
    m_rows.setLimits(limits);
    m_top = m_rows.rowAt(top);
    updateScrollBar();
    viewport()->update();
}

void TextBox::setLocked(bool locked)
{
    m_locked = locked;
    viewport()->update();
}

void TextBox::moveCaret(qsizetype position, bool keepAnchor, bool keepGoal)
{
    const qsizetype anchor = keepAnchor ? m_model.selection().anchor : position;
    m_model.select(anchor, position);
    if (!keepGoal)
        m_goalX = -1;
    ensureCaretVisible();
    restartBlink();
}

void TextBox::onModelChange(const TextChange& change)
{
    const qsizetype before = m_lineCount;
    m_lineCount = m_model.lineCount();
    if (change.whole) {
        m_rows.clear();
        m_top = m_rows.rowAt(0);
        m_goalX = -1;
        updateScrollBar();
        viewport()->update();
        emit Change();
        return;
    }
    m_rows.textChanged(change, before);
    // The top row keeps its place in the text: behind the change it moves with the text,
    // inside it goes to where the change is.
    qsizetype top = m_top.start;
    if (top >= change.position + change.removed)
        top += change.inserted - change.removed;
    else if (top > change.position)
        top = change.position;
    m_top = m_rows.rowAt(top);
    // Whoever made the edit shows the caret if it should (the keys, the commands); an edit
    // elsewhere leaves the view where it is.
    updateScrollBar();
    restartBlink();
    viewport()->update();
    emit Change();
}

void TextBox::onSelectionChange()
{
    viewport()->update();
    // An input method places its candidates at the caret, wherever it went.
    if (hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImQueryInput);
}

// ---------------------------------------------------------------------------------------
// Rows on screen and scrolling

QPoint TextBox::textOrigin()
{
    return {Margin, Margin};
}

int TextBox::visibleRows() const
{
    return std::max(1, int((viewport()->height() - Margin) / m_rows.rowHeight()));
}

TextBox::Row TextBox::lastTopRow() const
{
    Row row = m_rows.rowAt(m_model.length());
    for (int i = 1; i < visibleRows(); ++i) {
        const auto previous = m_rows.previousRow(row);
        if (!previous)
            break;
        row = *previous;
    }
    return row;
}

void TextBox::scrollToRow(const Row& top)
{
    const Row last = lastTopRow();
    m_top = top.start > last.start ? last : top;
    updateScrollBar();
    viewport()->update();
}

void TextBox::scrollRows(int count)
{
    Row row = m_top;
    const Row last = lastTopRow();
    for (; count > 0 && row.start < last.start; --count) {
        const auto next = m_rows.nextRow(row);
        if (!next)
            break;
        row = *next;
    }
    for (; count < 0; ++count) {
        const auto previous = m_rows.previousRow(row);
        if (!previous)
            break;
        row = *previous;
    }
    scrollToRow(row);
}

void TextBox::updateScrollBar()
{
    // The scroll bar counts characters: its value is where the top row starts. With the
    // lines wrapped, characters are close to rows, and any place in the text, however long
    // its line, is one value.
    QScrollBar* bar = verticalScrollBar();
    const Row last = lastTopRow();
    if (m_top.start > last.start)
        m_top = last;  // no empty viewport below a text that got shorter
    const std::vector<Row> shown = m_rows.rowsFrom(m_top, visibleRows());
    const qsizetype page = shown.empty() ? 1 : std::max<qsizetype>(1, shown.back().end - m_top.start);
    m_settingScrollBar = true;
    bar->setRange(0, int(std::min<qsizetype>(last.start, INT_MAX)));
    bar->setPageStep(int(std::min<qsizetype>(page, INT_MAX)));
    bar->setSingleStep(1);
    bar->setValue(int(m_top.start));
    m_settingScrollBar = false;
}

void TextBox::onScrollAction(int action)
{
    // Steps go by rows; the slider goes where it is dragged (scrollContentsBy).
    QScrollBar* bar = verticalScrollBar();
    int rows = 0;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: rows = 1; break;
    case QAbstractSlider::SliderSingleStepSub: rows = -1; break;
    case QAbstractSlider::SliderPageStepAdd: rows = std::max(1, visibleRows() - 1); break;
    case QAbstractSlider::SliderPageStepSub: rows = -std::max(1, visibleRows() - 1); break;
    default: return;
    }
    scrollRows(rows);
    bar->setSliderPosition(int(m_top.start));
}

void TextBox::scrollContentsBy(int /*dx*/, int /*dy*/)
{
    if (m_settingScrollBar)
        return;
    const qsizetype value = verticalScrollBar()->value();
    if (value == m_top.start)
        return;
    const Row last = lastTopRow();
    m_top = value >= last.start ? last : m_rows.rowAt(value);
    viewport()->update();
}

void TextBox::ensureCaretVisible()
{
    const Row caret = m_rows.rowAt(m_model.selection().caret);
    if (caret.start < m_top.start) {
        scrollToRow(caret);
        return;
    }
    const std::vector<Row> shown = m_rows.rowsFrom(m_top, visibleRows());
    if (!shown.empty() && caret.start <= shown.back().start)
        return;
    Row top = caret;
    for (int i = 1; i < visibleRows(); ++i) {
        const auto previous = m_rows.previousRow(top);
        if (!previous)
            break;
        top = *previous;
    }
    scrollToRow(top);
}

// The row's place from the top of the viewport: 0 for the top row, up to `rows` (by default
// visibleRows()) for the row partly shown below the last whole one; -1 above the viewport, a
// number past the rows on screen below it.
int TextBox::rowFromTop(const Row& row, int rows) const
{
    if (row.start < m_top.start)
        return -1;
    const std::vector<Row> shown = m_rows.rowsFrom(m_top, (rows < 0 ? visibleRows() : rows) + 1);
    const auto found = std::find(shown.begin(), shown.end(), row);
    return found == shown.end() ? int(shown.size()) + 1 : int(found - shown.begin());
}

QRect TextBox::rowRect(int rowFromTop) const
{
    const int height = int(m_rows.rowHeight());
    return {textOrigin().x(), textOrigin().y() + rowFromTop * height, int(m_rows.width()), height};
}

QRect TextBox::rectOf(qsizetype position) const
{
    position = std::clamp<qsizetype>(position, 0, m_model.length());
    const Row row = m_rows.rowAt(position);
    const QRect area = rowRect(rowFromTop(row));
    const qreal x = m_rows.xOf(position);
    const qreal next = position < row.end ? m_rows.xOf(position + 1) : x;
    const qreal right = next > x ? next : x;
    return {area.x() + int(x), area.y(), int(right - x), area.height()};
}

QRect TextBox::caretRect() const
{
    QRect r = rectOf(m_model.selection().caret);
    r.setWidth(std::max(1, style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this)));
    return r;
}

qsizetype TextBox::positionAt(QPoint point) const
{
    const int index = int(std::floor((point.y() - textOrigin().y()) / m_rows.rowHeight()));
    Row row = m_top;
    if (index > 0) {
        const std::vector<Row> rows = m_rows.rowsFrom(m_top, index + 1);
        row = rows.back();
    }
    return m_rows.positionAt(row, point.x() - textOrigin().x());
}

// ---------------------------------------------------------------------------------------
// Painting

void TextBox::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(viewport());
    const QPalette& pal = palette();
    const TextBoxLayout::Look look{pal.color(QPalette::Text), pal.color(QPalette::Highlight),
                                   pal.color(QPalette::HighlightedText)};
    const Selection sel = m_model.selection();
    const qsizetype selStart = sel.start();
    const qsizetype selEnd = sel.start() + sel.length();
    const std::vector<Row> shown = m_rows.rowsFrom(m_top, visibleRows() + 1);
    const QPoint origin = textOrigin();
    const qreal height = m_rows.rowHeight();
    for (size_t i = 0; i < shown.size(); ++i)
        m_rows.drawRow(painter, QPointF(origin.x(), origin.y() + qreal(i) * height), shown[i], selStart, selEnd, look);

    const bool caretOn = hasFocus() && m_caretShown;
    const qsizetype caret = sel.caret;
    if ((caretOn || !m_preedit.isEmpty()) && !shown.empty() && caret >= m_top.start && caret <= shown.back().end) {
        const QRect r = caretRect();
        if (!m_preedit.isEmpty()) {
            // Text being composed shows at the caret, underlined, until it is committed.
            QFont underlined = font();
            underlined.setUnderline(true);
            painter.setFont(underlined);
            const QRect box = painter.fontMetrics().boundingRect(m_preedit);
            painter.fillRect(QRect(r.x(), r.y(), box.width() + 2, r.height()), pal.color(QPalette::Base));
            painter.setPen(pal.color(QPalette::Text));
            painter.drawText(QRect(r.x(), r.y(), box.width() + 2, r.height()), Qt::AlignLeft | Qt::AlignVCenter,
                             m_preedit);
        } else {
            painter.fillRect(r, pal.color(QPalette::Text));
        }
    }
    if (m_dropCaret >= 0) {
        QRect r = rectOf(m_dropCaret);
        r.setWidth(2);
        painter.fillRect(r, pal.color(QPalette::Text));
    }
}

void TextBox::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    // The top row's first character stays on top, unless that would hide a caret the user
    // saw: then the least scroll that shows it.
    const int grown = event->size().height() - event->oldSize().height();
    const int rowsBefore = std::max(1, int((viewport()->height() - grown - Margin) / m_rows.rowHeight()));
    const int caretRow = rowFromTop(m_rows.rowAt(m_model.selection().caret), rowsBefore);
    const bool caretShown = event->oldSize().isValid() && caretRow >= 0 && caretRow < rowsBefore;
    const qreal width = viewport()->width() - 2 * Margin;
    if (width != m_rows.width()) {
        const qsizetype top = m_top.start;
        m_rows.setWidth(width);
        m_top = m_rows.rowAt(top);
    }
    updateScrollBar();
    if (caretShown)
        ensureCaretVisible();
}

void TextBox::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        // The top row's first character stays on top, unless that would hide a caret the
        // user saw: then the least scroll that shows it.
        const int caretRow = rowFromTop(m_rows.rowAt(m_model.selection().caret));
        const bool caretShown = caretRow >= 0 && caretRow < visibleRows();
        const qsizetype top = m_top.start;
        m_rows.setFont(font());
        m_top = m_rows.rowAt(top);
        updateScrollBar();
        if (caretShown)
            ensureCaretVisible();
        viewport()->update();
    } else if (event->type() == QEvent::PaletteChange || event->type() == QEvent::EnabledChange) {
        viewport()->update();
    }
}

bool TextBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == verticalScrollBar() && event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

bool TextBox::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && takesShortcut(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

// ---------------------------------------------------------------------------------------
// The caret

void TextBox::restartBlink()
{
    m_caretShown = true;
    const int flash = QApplication::cursorFlashTime();
    if (hasFocus() && flash > 0)
        m_blink.start(flash / 2, this);
    else
        m_blink.stop();
    viewport()->update();
}

void TextBox::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    restartBlink();
}

void TextBox::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    m_blink.stop();
    viewport()->update();
}

void TextBox::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_blink.timerId()) {
        m_caretShown = !m_caretShown;
        viewport()->update(caretRect().adjusted(-1, 0, 1, 0));
    } else if (event->timerId() == m_autoScroll.timerId()) {
        autoScrollStep();
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

}  // namespace folio
