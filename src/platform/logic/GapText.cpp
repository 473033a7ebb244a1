#include "platform/logic/GapText.h"

#include <algorithm>
#include <cstring>

namespace folio {

void GapText::assign(const QString& text)
{
    m_buffer = text;
    m_length = text.size();
    m_gapStart = m_length;
    m_gapLength = 0;
}

void GapText::moveGapTo(qsizetype position)
{
    if (position == m_gapStart || m_gapLength == 0) {
        m_gapStart = position;
        return;
    }
    QChar* b = m_buffer.data();
    if (position < m_gapStart)
        std::memmove(b + position + m_gapLength, b + position, size_t(m_gapStart - position) * sizeof(QChar));
    else
        std::memmove(b + m_gapStart, b + m_gapStart + m_gapLength, size_t(position - m_gapStart) * sizeof(QChar));
    m_gapStart = position;
}

void GapText::replace(qsizetype position, qsizetype removed, QStringView inserted)
{
    position = std::clamp<qsizetype>(position, 0, m_length);
    removed = std::clamp<qsizetype>(removed, 0, m_length - position);
    if (removed == 0 && inserted.isEmpty())
        return;
    if (m_buffer.size() != m_length + m_gapLength)
        m_buffer.resize(m_length + m_gapLength);   // text() left the gap as spare room
    moveGapTo(position);
    m_gapLength += removed;
    m_length -= removed;
    if (inserted.size() > m_gapLength) {
        // Grow by more than is needed, so that a long run of insertions grows rarely. The
        // resize keeps the text in place (without a copy where it can); the part behind
        // the gap then moves to the new end.
        const qsizetype behind = m_length - m_gapStart;
        const qsizetype gap = inserted.size() + std::max<qsizetype>(4096, m_length / 32);
        m_buffer.resize(m_length + gap);
        QChar* b = m_buffer.data();
        std::memmove(b + m_gapStart + gap, b + m_gapStart + m_gapLength, size_t(behind) * sizeof(QChar));
        m_gapLength = gap;
    }
    if (!inserted.isEmpty())  // an empty view may carry no pointer at all
        std::memcpy(m_buffer.data() + m_gapStart, inserted.data(), size_t(inserted.size()) * sizeof(QChar));
    m_gapStart += inserted.size();
    m_gapLength -= inserted.size();
    m_length += inserted.size();
}

QString GapText::text()
{
    if (m_gapLength > 0) {
        moveGapTo(m_length);
        m_gapLength = 0;
    }
    // Shrinking keeps the room; the next change takes it back as its gap.
    if (m_buffer.size() != m_length)
        m_buffer.resize(m_length);
    return m_buffer;
}

}  // namespace folio
