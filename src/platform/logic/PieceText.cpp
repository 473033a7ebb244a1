#include "platform/logic/PieceText.h"

#include <algorithm>
#include <cstring>

namespace folio {

namespace {

// Pieces up to kSmall characters are joined with their neighbours as long as the joined piece
// stays within kJoined: copying that much costs microseconds, and typing line after line
// leaves pieces of a few thousand characters rather than one per line.
constexpr qsizetype kSmall = 2048;
constexpr qsizetype kJoined = 8192;

}  // namespace

void PieceText::assign(const QString& text)
{
    m_pieces.clear();
    if (!text.isEmpty())
        m_pieces.push_back({text, 0, text.size()});
    m_length = text.size();
}

qsizetype PieceText::splitAt(qsizetype position)
{
    qsizetype start = 0;
    for (qsizetype k = 0; k < qsizetype(m_pieces.size()); ++k) {
        Piece& piece = m_pieces[size_t(k)];
        if (position == start)
            return k;
        if (position < start + piece.length) {
            const qsizetype head = position - start;
            Piece tail{piece.buffer, piece.offset + head, piece.length - head};
            piece.length = head;
            m_pieces.insert(m_pieces.begin() + k + 1, std::move(tail));
            return k + 1;
        }
        start += piece.length;
    }
    return qsizetype(m_pieces.size());
}

void PieceText::replace(qsizetype position, qsizetype removed, QStringView inserted)
{
    position = std::clamp<qsizetype>(position, 0, m_length);
    removed = std::clamp<qsizetype>(removed, 0, m_length - position);
    if (removed == 0 && inserted.isEmpty())
        return;
    const qsizetype first = splitAt(position);
    const qsizetype last = removed == 0 ? first : splitAt(position + removed);
    m_pieces.erase(m_pieces.begin() + first, m_pieces.begin() + last);
    if (!inserted.isEmpty())
        m_pieces.insert(m_pieces.begin() + first, Piece{inserted.toString(), 0, inserted.size()});
    m_length += inserted.size() - removed;
    tidyAround(first, inserted.isEmpty() ? first : first + 1);
}

void PieceText::join(qsizetype first, qsizetype last)
{
    qsizetype total = 0;
    for (qsizetype k = first; k < last; ++k)
        total += m_pieces[size_t(k)].length;
    QString joined;
    joined.reserve(total);
    for (qsizetype k = first; k < last; ++k)
        joined.append(m_pieces[size_t(k)].view());
    m_pieces.erase(m_pieces.begin() + first + 1, m_pieces.begin() + last);
    m_pieces[size_t(first)] = Piece{joined, 0, total};
}

void PieceText::tidyAround(qsizetype first, qsizetype last)
{
    qsizetype total = 0;
    for (qsizetype k = first; k < last; ++k)
        total += m_pieces[size_t(k)].length;
    const auto joinable = [&](qsizetype k) {
        const qsizetype length = m_pieces[size_t(k)].length;
        return length <= kSmall && total + length <= kJoined;
    };
    while (first > 0 && joinable(first - 1))
        total += m_pieces[size_t(--first)].length;
    while (last < qsizetype(m_pieces.size()) && joinable(last))
        total += m_pieces[size_t(last++)].length;
    if (last - first >= 2) {
        join(first, last);
        last = first + 1;
    }
    // The far end first, so that a piece added there leaves `first` where it is.
    keepPairWhole(last);
    if (first != last)
        keepPairWhole(first);
}

void PieceText::keepPairWhole(qsizetype k)
{
    if (k <= 0 || k >= qsizetype(m_pieces.size()))
        return;
    Piece& left = m_pieces[size_t(k - 1)];
    Piece& right = m_pieces[size_t(k)];
    const QChar high = left.view().back();
    const QChar low = right.view().front();
    if (!high.isHighSurrogate() || !low.isLowSurrogate())
        return;
    if (left.length + right.length <= kJoined) {
        join(k - 1, k + 1);
        return;
    }
    // Both are long: the pair moves into a piece of its own between them.
    left.length -= 1;
    right.offset += 1;
    right.length -= 1;
    const QChar pair[2] = {high, low};
    m_pieces.insert(m_pieces.begin() + k, Piece{QString(pair, 2), 0, 2});
    // A piece that held nothing but its half of the pair is gone.
    if (m_pieces[size_t(k + 1)].length == 0)
        m_pieces.erase(m_pieces.begin() + k + 1);
    if (m_pieces[size_t(k - 1)].length == 0)
        m_pieces.erase(m_pieces.begin() + k - 1);
}

QString PieceText::text()
{
    if (m_pieces.empty())
        return QString();
    const Piece& only = m_pieces.front();
    if (m_pieces.size() == 1 && only.offset == 0 && only.length == only.buffer.size())
        return only.buffer;
    QString joined(m_length, Qt::Uninitialized);
    QChar* out = joined.data();
    for (const Piece& piece : m_pieces) {
        std::memcpy(out, piece.view().data(), size_t(piece.length) * sizeof(QChar));
        out += piece.length;
    }
    m_pieces.assign(1, Piece{joined, 0, m_length});
    return joined;
}

std::vector<QStringView> PieceText::parts() const
{
    std::vector<QStringView> views;
    views.reserve(m_pieces.size());
    for (const Piece& piece : m_pieces)
        views.push_back(piece.view());
    return views;
}

}  // namespace folio
