#include "platform/logic/PieceText.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <tuple>

namespace folio {

namespace {

// Pieces hold at most about kLongest characters (copying that much costs microseconds) and,
// unless the whole text is shorter, at least kShortest.
constexpr qsizetype kLongest = 65536;
constexpr qsizetype kShortest = kLongest / 4;

bool partsAPair(QStringView text, qsizetype at)
{
    return at > 0 && at < text.size() && text[at - 1].isHighSurrogate() && text[at].isLowSurrogate();
}

// Appends pieces of `buffer` [from, to) to `out`: as few as kLongest allows, of even
// length, none ending inside a surrogate pair.
template <class Piece>
void cutInto(const QString& buffer, qsizetype from, qsizetype to, std::vector<Piece>& out)
{
    while (from < to) {
        const qsizetype left = to - from;
        const qsizetype count = (left + kLongest - 1) / kLongest;
        qsizetype length = (left + count - 1) / count;
        if (from + length < to && partsAPair(buffer, from + length))
            ++length;
        out.push_back(Piece{buffer, from, length});
        from += length;
    }
}

}  // namespace

void PieceText::assign(const QString& text)
{
    m_pieces.clear();
    cutInto(text, 0, text.size(), m_pieces);
    m_length = text.size();
}

std::pair<qsizetype, qsizetype> PieceText::pieceAt(qsizetype position) const
{
    qsizetype start = 0;
    qsizetype k = 0;
    while (position >= start + m_pieces[size_t(k)].length)
        start += m_pieces[size_t(k++)].length;
    return {k, start};
}

void PieceText::replace(qsizetype position, qsizetype removed, QStringView inserted)
{
    position = std::clamp<qsizetype>(position, 0, m_length);
    removed = std::clamp<qsizetype>(removed, 0, m_length - position);
    if (removed == 0 && inserted.isEmpty())
        return;

    // The pieces [first, last] are written anew: the one the change starts in (at the end of
    // the text, the last one), the one its last removed character lies in, and the ones
    // between. A short result takes in its neighbours, so that no piece stays short.
    qsizetype first = 0;
    qsizetype last = -1;
    qsizetype firstStart = 0;
    if (!m_pieces.empty()) {
        std::tie(first, firstStart) = pieceAt(std::min(position, m_length - 1));
        last = removed == 0 ? first : pieceAt(position + removed - 1).first;
    }
    const auto lengthOf = [&](qsizetype k) { return m_pieces[size_t(k)].length; };
    qsizetype kept = 0;  // characters of [first, last] the change leaves
    for (qsizetype k = first; k <= last; ++k)
        kept += lengthOf(k);
    kept -= removed;
    const qsizetype count = qsizetype(m_pieces.size());
    while (kept + inserted.size() < kShortest && (first > 0 || last < count - 1)) {
        if (last < count - 1) {
            kept += lengthOf(++last);
        } else {
            kept += lengthOf(--first);
            firstStart -= lengthOf(first);
        }
    }

    // The new text of [first, last]: the old one up to the change, the inserted text, and
    // the old one behind the removed stretch.
    QString joined;
    const auto build = [&] {
        const auto appendOld = [&](qsizetype from, qsizetype to) {  // from the start of `first`
            qsizetype at = 0;
            for (qsizetype k = first; k <= last; ++k) {
                const QStringView piece = m_pieces[size_t(k)].view();
                const qsizetype a = std::clamp(from - at, qsizetype(0), piece.size());
                const qsizetype b = std::clamp(to - at, qsizetype(0), piece.size());
                joined.append(piece.sliced(a, b - a));
                at += piece.size();
            }
        };
        const qsizetype local = position - firstStart;
        joined.clear();
        joined.reserve(kept + inserted.size());
        appendOld(0, local);
        joined.append(inserted);
        appendOld(local + removed, kept + removed);
    };
    build();
    // A surrogate pair parted at either end of the new stretch takes the neighbour in.
    const bool pairBefore = first > 0 && !joined.isEmpty() && joined.front().isLowSurrogate()
        && m_pieces[size_t(first - 1)].view().back().isHighSurrogate();
    const bool pairAfter = last < count - 1 && !joined.isEmpty() && joined.back().isHighSurrogate()
        && m_pieces[size_t(last + 1)].view().front().isLowSurrogate();
    if (pairBefore || pairAfter) {
        if (pairBefore) {
            kept += lengthOf(--first);
            firstStart -= lengthOf(first);
        }
        if (pairAfter)
            kept += lengthOf(++last);
        build();
    }

    std::vector<Piece> made;
    cutInto(joined, 0, joined.size(), made);
    const auto at = m_pieces.erase(m_pieces.begin() + first, m_pieces.begin() + (last + 1));
    m_pieces.insert(at, std::make_move_iterator(made.begin()), std::make_move_iterator(made.end()));
    m_length += inserted.size() - removed;
}

bool PieceText::isOneWholeBuffer() const
{
    const QChar* data = m_pieces.front().buffer.constData();
    qsizetype next = 0;
    for (const Piece& piece : m_pieces) {
        if (piece.buffer.constData() != data || piece.offset != next)
            return false;
        next += piece.length;
    }
    return next == m_pieces.front().buffer.size();
}

QString PieceText::text()
{
    if (m_pieces.empty())
        return QString();
    if (isOneWholeBuffer())
        return m_pieces.front().buffer;
    QString joined(m_length, Qt::Uninitialized);
    QChar* out = joined.data();
    for (const Piece& piece : m_pieces) {
        std::memcpy(out, piece.view().data(), size_t(piece.length) * sizeof(QChar));
        out += piece.length;
    }
    assign(joined);
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
