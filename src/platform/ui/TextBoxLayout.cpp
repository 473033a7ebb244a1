#include "platform/ui/TextBoxLayout.h"

#include "platform/logic/TextModel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace folio {

// One stretch of a section laid out at once: the rows it gave, from a row start on. Its
// layout may be dropped to save memory and made again from the same place: the text and the
// width being the same, it gives the same rows.
struct TextBoxLayout::Chunk {
    qsizetype start = 0;     // offset in the line of its first row
    qsizetype length = 0;    // characters laid out
    qsizetype firstRow = 0;  // index in the section of its first row
    qsizetype rows = 0;      // rows kept (the stretch's last row is laid out again by the next)
    mutable std::unique_ptr<QTextLayout> layout;
    mutable qsizetype lastUse = 0;
};

// A stretch of a line whose rows are laid out one after another from its start: the whole
// line, or one section of a giant line.
struct TextBoxLayout::Section {
    qsizetype begin = 0;  // offsets in the line
    qsizetype end = 0;
    std::vector<qsizetype> rowStarts;  // offsets in the line of the rows laid out so far
    std::vector<Chunk> chunks;
    qsizetype frontier = 0;  // where the next row not yet laid out starts
    bool done() const { return frontier >= end && !rowStarts.empty(); }
};

struct TextBoxLayout::LineRows {
    qsizetype length = 0;
    std::vector<Section> sections;
    qsizetype lastUse = 0;
};

namespace {

// Lines whose rows are kept; older ones are forgotten first.
constexpr size_t KeptLines = 400;
// Layouts kept alive across all lines (each a few thousand characters).
constexpr qsizetype KeptLayouts = 256;

}  // namespace

TextBoxLayout::TextBoxLayout(const TextModel& model) : m_model(model)
{
    setFont(m_font);
}

TextBoxLayout::~TextBoxLayout() = default;

void TextBoxLayout::setFont(const QFont& font)
{
    m_font = font;
    m_rowHeight = std::max<qreal>(1, std::ceil(QFontMetricsF(m_font, m_device).height()));
    clear();
}

void TextBoxLayout::setPaintDevice(QPaintDevice* device)
{
    m_device = device;
    setFont(m_font);
}

void TextBoxLayout::setWidth(qreal width)
{
    width = std::max<qreal>(width, 1);
    if (width == m_width)
        return;
    m_width = width;
    clear();
}

void TextBoxLayout::setLimits(const Limits& limits)
{
    m_limits = limits;
    clear();
}

void TextBoxLayout::setTabStopDistance(qreal distance)
{
    m_tabStop = distance;
    clear();
}

void TextBoxLayout::clear()
{
    m_lines.clear();
    m_liveLayouts = 0;
}

QTextOption TextBoxLayout::option() const
{
    QTextOption o;
    o.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    o.setTabStopDistance(m_tabStop);
    // Every stretch of a line is laid out on its own: one direction for all keeps them alike.
    o.setTextDirection(Qt::LeftToRight);
    return o;
}

// ---------------------------------------------------------------------------------------
// Following the model

void TextBoxLayout::textChanged(const TextChange& change, qsizetype lineCountBefore)
{
    if (m_lines.empty())
        return;
    const qsizetype lineCount = m_model.lineCount();
    const qsizetype delta = lineCount - lineCountBefore;
    // The lines the change touched, as they are now; a CR before or an LF behind the changed
    // stretch may have joined a break with it, hence one character more on each side.
    const qsizetype first = m_model.lineOf(std::max<qsizetype>(change.position - 1, 0));
    const qsizetype lastNow = m_model.lineOf(std::min(change.position + change.inserted + 1, m_model.length()));
    const qsizetype lastBefore = lastNow - delta;

    if (delta == 0 && first == lastNow) {
        // Within one line: the rows before the change stay.
        const auto found = m_lines.find(first);
        if (found != m_lines.end() && keepRowsBefore(*found->second, first, change))
            return;
    }
    std::map<qsizetype, std::unique_ptr<LineRows>> kept;
    for (auto& [line, rows] : m_lines) {
        if (line < first)
            kept.emplace(line, std::move(rows));
        else if (line > lastBefore)
            kept.emplace(line + delta, std::move(rows));
        else
            dropLayouts(*rows);
    }
    m_lines = std::move(kept);
}

bool TextBoxLayout::keepRowsBefore(LineRows& rows, qsizetype line, const TextChange& change)
{
    const qsizetype length = m_model.lineEnd(line) - m_model.lineStart(line);
    const bool giant = length > m_limits.giantLine;
    if (giant != (rows.length > m_limits.giantLine) || (!giant && rows.sections.size() != 1)) {
        dropLayouts(rows);
        m_lines.erase(line);
        return true;
    }
    const qsizetype offset = change.position - m_model.lineStart(line);
    rows.length = length;
    for (size_t s = 0; s < rows.sections.size(); ++s) {
        Section& section = rows.sections[s];
        if (section.end < offset)
            continue;
        // This section keeps its rows up to the row before the one the change falls in (that
        // row may now take a word from the next): the chunks behind are laid out again.
        const auto row = std::upper_bound(section.rowStarts.begin(), section.rowStarts.end(), offset);
        const qsizetype keepRows = std::max<qsizetype>(0, (row - section.rowStarts.begin()) - 2);
        auto chunk = std::find_if(section.chunks.begin(), section.chunks.end(),
                                  [&](const Chunk& c) { return c.firstRow + c.rows > keepRows; });
        if (chunk != section.chunks.end()) {
            section.rowStarts.resize(size_t(chunk->firstRow));
            section.frontier = chunk->start;
            for (auto c = chunk; c != section.chunks.end(); ++c)
                m_liveLayouts -= c->layout ? 1 : 0;
            section.chunks.erase(chunk, section.chunks.end());
        }
        if (giant) {
            // The sections behind move with their text; this one takes the change, unless
            // it grew too long to lay out quickly, when it and those behind are made anew.
            const qsizetype delta = length - (rows.sections.back().end);
            const bool within = offset + change.removed <= section.end;
            if (within) {
                for (size_t later = s + 1; later < rows.sections.size(); ++later)
                    shift(rows.sections[later], delta);
                section.end += delta;
            }
            if (!within || section.end - section.begin > 2 * m_limits.giantSection) {
                for (size_t later = s; later < rows.sections.size(); ++later)
                    for (const Chunk& c : rows.sections[later].chunks)
                        m_liveLayouts -= c.layout ? 1 : 0;
                const qsizetype begin = section.begin;
                rows.sections.resize(s);
                rows.sections.push_back(Section{begin, begin, {}, {}, begin});
                rows.sections.back().end = sectionEnd(m_model.lineStart(line), length, begin);
                appendSections(rows, line);
            }
        } else {
            section.end = length;
        }
        return true;
    }
    return false;
}

void TextBoxLayout::shift(Section& section, qsizetype delta)
{
    section.begin += delta;
    section.end += delta;
    section.frontier += delta;
    for (qsizetype& start : section.rowStarts)
        start += delta;
    for (Chunk& c : section.chunks)
        c.start += delta;
}

void TextBoxLayout::dropLayouts(const LineRows& rows) const
{
    for (const Section& section : rows.sections)
        for (const Chunk& c : section.chunks)
            m_liveLayouts -= c.layout ? 1 : 0;
}

// ---------------------------------------------------------------------------------------
// Laying out

qsizetype TextBoxLayout::sectionEnd(qsizetype lineStart, qsizetype length, qsizetype begin) const
{
    // A section ends behind a blank where one is near, so that the next one starts a word.
    const Limits& l = m_limits;
    if (length <= l.giantLine || length - begin <= l.giantSection + l.blankReach)
        return length;
    const qsizetype end = begin + l.giantSection;
    const qsizetype blank = m_model.slice(lineStart + end - l.blankReach, l.blankReach).lastIndexOf(u' ');
    return blank >= 0 ? end - l.blankReach + blank + 1 : end;
}

void TextBoxLayout::appendSections(LineRows& rows, qsizetype line) const
{
    // Sections behind the last one there is, to the line's end (one for a line of normal
    // length).
    const qsizetype lineStart = m_model.lineStart(line);
    qsizetype begin = rows.sections.empty() ? 0 : rows.sections.back().end;
    while (begin < rows.length || rows.sections.empty()) {
        Section section;
        section.begin = begin;
        section.end = sectionEnd(lineStart, rows.length, begin);
        section.frontier = begin;
        rows.sections.push_back(std::move(section));
        begin = rows.sections.back().end;
    }
}

TextBoxLayout::LineRows& TextBoxLayout::rowsOf(qsizetype line) const
{
    auto found = m_lines.find(line);
    if (found == m_lines.end()) {
        if (m_lines.size() >= KeptLines) {
            // Forget the half used least recently.
            std::vector<std::pair<qsizetype, qsizetype>> uses;
            for (const auto& [l, rows] : m_lines)
                uses.emplace_back(rows->lastUse, l);
            std::sort(uses.begin(), uses.end());
            for (size_t i = 0; i < uses.size() / 2; ++i) {
                auto old = m_lines.find(uses[i].second);
                dropLayouts(*old->second);
                m_lines.erase(old);
            }
        }
        auto rows = std::make_unique<LineRows>();
        rows->length = m_model.lineEnd(line) - m_model.lineStart(line);
        appendSections(*rows, line);
        found = m_lines.emplace(line, std::move(rows)).first;
    }
    found->second->lastUse = ++m_uses;
    return *found->second;
}

TextBoxLayout::Section& TextBoxLayout::sectionAt(LineRows& rows, qsizetype offset)
{
    // The last section that begins at or before the offset (a section's end belongs to the
    // section behind it; the line's end to the last).
    auto it = std::upper_bound(rows.sections.begin(), rows.sections.end(), offset,
                               [](qsizetype o, const Section& s) { return o < s.begin; });
    return it == rows.sections.begin() ? rows.sections.front() : *std::prev(it);
}

std::unique_ptr<QTextLayout> TextBoxLayout::layOut(qsizetype lineStart, qsizetype start, qsizetype length) const
{
    auto layout = std::make_unique<QTextLayout>(m_model.slice(lineStart + start, length), m_font, m_device);
    layout->setTextOption(option());
    layout->setCacheEnabled(true);
    layout->beginLayout();
    qreal y = 0;
    for (QTextLine row = layout->createLine(); row.isValid(); row = layout->createLine()) {
        row.setLineWidth(m_width);
        row.setPosition(QPointF(0, y));
        y += m_rowHeight;
    }
    layout->endLayout();
    return layout;
}

void TextBoxLayout::extendTo(Section& section, qsizetype lineStart, qsizetype offset) const
{
    while (!section.done() && section.frontier <= offset) {
        Chunk chunk;
        chunk.start = section.frontier;
        chunk.length = std::min(m_limits.stretch, section.end - chunk.start);
        chunk.firstRow = qsizetype(section.rowStarts.size());
        chunk.layout = layOut(lineStart, chunk.start, chunk.length);
        const bool last = chunk.start + chunk.length >= section.end;
        const int made = chunk.layout->lineCount();
        // The last row of a stretch that stops short of the section's end may be cut short:
        // the next stretch lays it out again (unless it is the only one, a row of thousands
        // of characters that take no room).
        chunk.rows = last || made <= 1 ? made : made - 1;
        for (int r = 0; r < chunk.rows; ++r)
            section.rowStarts.push_back(chunk.start + chunk.layout->lineAt(r).textStart());
        section.frontier = chunk.rows < made ? chunk.start + chunk.layout->lineAt(int(chunk.rows)).textStart()
                                             : chunk.start + chunk.length;
        if (section.rowStarts.size() == size_t(chunk.firstRow)) {
            // Nothing laid out (an empty section): it is one empty row.
            section.rowStarts.push_back(chunk.start);
            chunk.rows = 1;
            section.frontier = section.end;
        }
        chunk.lastUse = ++m_uses;
        ++m_liveLayouts;
        section.chunks.push_back(std::move(chunk));
        forgetLayoutsBeyondLimit();
    }
}

void TextBoxLayout::forgetLayoutsBeyondLimit() const
{
    if (m_liveLayouts <= KeptLayouts)
        return;
    std::vector<std::pair<qsizetype, const Chunk*>> live;
    for (const auto& [line, rows] : m_lines)
        for (const Section& section : rows->sections)
            for (const Chunk& c : section.chunks)
                if (c.layout)
                    live.emplace_back(c.lastUse, &c);
    std::sort(live.begin(), live.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < live.size() / 2; ++i) {
        live[i].second->layout.reset();
        --m_liveLayouts;
    }
}

TextBoxLayout::Place TextBoxLayout::placeOf(qsizetype position) const
{
    position = std::clamp<qsizetype>(position, 0, m_model.length());
    const qsizetype line = m_model.lineOf(position);
    const qsizetype lineStart = m_model.lineStart(line);
    LineRows& rows = rowsOf(line);
    const qsizetype offset = std::min(position - lineStart, rows.length);
    Section& section = sectionAt(rows, offset);
    extendTo(section, lineStart, offset);
    const auto after = std::upper_bound(section.rowStarts.begin(), section.rowStarts.end(), offset);
    const qsizetype index = std::max<qsizetype>(0, (after - section.rowStarts.begin()) - 1);
    return Place{line, lineStart, &section, index};
}

TextBoxLayout::Row TextBoxLayout::rowOf(const Place& place)
{
    const Section& s = *place.section;
    const size_t next = size_t(place.index) + 1;
    const qsizetype end = next < s.rowStarts.size() ? s.rowStarts[next] : s.done() ? s.end : s.frontier;
    return Row{place.lineStart + s.rowStarts[size_t(place.index)], place.lineStart + end, place.line};
}

const TextBoxLayout::Chunk& TextBoxLayout::chunkOf(const Place& place, qsizetype lineStartOfChunk) const
{
    Section& s = *place.section;
    auto it = std::upper_bound(s.chunks.begin(), s.chunks.end(), place.index,
                               [](qsizetype i, const Chunk& c) { return i < c.firstRow; });
    const Chunk& chunk = *std::prev(it);
    if (!chunk.layout) {
        chunk.layout = layOut(lineStartOfChunk, chunk.start, chunk.length);
        ++m_liveLayouts;
    }
    chunk.lastUse = ++m_uses;
    return chunk;
}

// ---------------------------------------------------------------------------------------
// Rows

TextBoxLayout::Row TextBoxLayout::rowAt(qsizetype position) const
{
    return rowOf(placeOf(position));
}

std::optional<TextBoxLayout::Row> TextBoxLayout::nextRow(const Row& row) const
{
    if (row.end < m_model.lineEnd(row.line))
        return rowAt(row.end);
    if (row.line + 1 >= m_model.lineCount())
        return std::nullopt;
    return rowAt(m_model.lineStart(row.line + 1));
}

std::optional<TextBoxLayout::Row> TextBoxLayout::previousRow(const Row& row) const
{
    if (row.start > m_model.lineStart(row.line))
        return rowAt(row.start - 1);
    if (row.line == 0)
        return std::nullopt;
    return rowAt(m_model.lineEnd(row.line - 1));
}

std::vector<TextBoxLayout::Row> TextBoxLayout::rowsFrom(const Row& top, int count) const
{
    std::vector<Row> rows;
    std::optional<Row> row = top;
    while (row && int(rows.size()) < count) {
        rows.push_back(*row);
        row = nextRow(*row);
    }
    return rows;
}

qreal TextBoxLayout::xOf(qsizetype position) const
{
    const Place place = placeOf(position);
    const Chunk& chunk = chunkOf(place, place.lineStart);
    const QTextLine line = chunk.layout->lineAt(int(place.index - chunk.firstRow));
    const qsizetype offset = std::min(position, m_model.lineEnd(place.line)) - place.lineStart - chunk.start;
    return line.cursorToX(int(offset));
}

qsizetype TextBoxLayout::positionAt(const Row& row, qreal x) const
{
    const Place place = placeOf(row.start);
    const Chunk& chunk = chunkOf(place, place.lineStart);
    const QTextLine line = chunk.layout->lineAt(int(place.index - chunk.firstRow));
    qsizetype position = place.lineStart + chunk.start + line.xToCursor(x);
    // Right of a row that its line goes on after, the caret stands before the row's last
    // character: at the row's end it would show at the start of the next row.
    const bool continues = row.end < m_model.lineEnd(row.line);
    const qsizetype last = continues && row.end > row.start ? row.end - 1 : row.end;
    return std::clamp(position, row.start, last);
}

void TextBoxLayout::drawRow(QPainter& painter, QPointF origin, const Row& row, qsizetype selectionStart,
                            qsizetype selectionEnd, const Look& look) const
{
    const Place place = placeOf(row.start);
    const Chunk& chunk = chunkOf(place, place.lineStart);
    const QTextLine line = chunk.layout->lineAt(int(place.index - chunk.firstRow));
    const qsizetype chunkStart = place.lineStart + chunk.start;

    QList<QTextLayout::FormatRange> selections;
    const qsizetype from = std::max(selectionStart, row.start);
    const qsizetype to = std::min(selectionEnd, row.end);
    if (from < to) {
        QTextLayout::FormatRange range;
        range.start = int(from - chunkStart);
        range.length = int(to - from);
        range.format.setBackground(look.highlight);
        range.format.setForeground(look.highlightedText);
        selections.push_back(range);
    }
    painter.save();
    painter.setPen(look.text);
    const QRectF rowArea(origin.x(), origin.y(), m_width, m_rowHeight);
    painter.setClipRect(rowArea.adjusted(-2, 0, 4, 0), Qt::IntersectClip);
    const QPointF layoutOrigin(origin.x(), origin.y() - line.y());
    chunk.layout->draw(&painter, layoutOrigin, selections, rowArea);
    // A selected line break shows as a blank's width of highlight behind the line's text.
    const qsizetype lineEnd = m_model.lineEnd(row.line);
    if (row.end == lineEnd && selectionStart <= lineEnd && selectionEnd > lineEnd) {
        const qreal x = origin.x() + line.cursorToX(int(lineEnd - chunkStart));
        painter.fillRect(QRectF(x, origin.y(), QFontMetricsF(m_font, m_device).horizontalAdvance(u' '), m_rowHeight),
                         look.highlight);
    }
    painter.restore();
}

}  // namespace folio
