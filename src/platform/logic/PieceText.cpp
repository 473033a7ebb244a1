#include "platform/logic/PieceText.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <optional>
#include <tuple>

namespace folio {

namespace {

// Pieces hold at most about kLongest characters (copying that much costs microseconds) and,
// unless the whole text is shorter, at least kShortest.
constexpr qsizetype kLongest = 65536;
constexpr qsizetype kShortest = kLongest / 4;

// Whether the characters before and at `at` belong together: the two halves of a surrogate
// pair, or the CR and the LF of one line break.
bool holdsTogether(QChar before, QChar at)
{
    return (before.isHighSurrogate() && at.isLowSurrogate()) || (before == u'\r' && at == u'\n');
}

bool holdsTogether(QStringView text, qsizetype at)
{
    return at > 0 && at < text.size() && holdsTogether(text[at - 1], text[at]);
}

struct Counts {
    qsizetype breaks = 0;
    qsizetype crlfs = 0;
};

// Line breaks that end in `text` (every LF, and every CR not followed by an LF; a CR at the
// end counts unless `lfFollows`) and the CR LF pairs wholly inside it.
Counts countBreaks(QStringView text, bool lfFollows = false)
{
    const char16_t* c = text.utf16();
    const qsizetype n = text.size();
    Counts counts;
    for (qsizetype i = 0; i < n; ++i) {
        if (c[i] > u'\r')
            continue;  // most characters: one comparison
        if (c[i] == u'\n') {
            ++counts.breaks;
        } else if (c[i] == u'\r') {
            if (i + 1 < n ? c[i + 1] != u'\n' : !lfFollows)
                ++counts.breaks;
            else if (i + 1 < n)
                ++counts.crlfs;
        }
    }
    return counts;
}

// Appends pieces of `buffer` [from, to) to `out`: as few as kLongest allows, of even
// length, none ending inside a surrogate pair or a CR LF. When the counts of the whole
// stretch are `known`, the last piece's are not counted again.
template <class Piece>
void cutInto(const QString& buffer, qsizetype from, qsizetype to, std::vector<Piece>& out,
             std::optional<Counts> known = std::nullopt)
{
    while (from < to) {
        const qsizetype left = to - from;
        const qsizetype count = (left + kLongest - 1) / kLongest;
        qsizetype length = (left + count - 1) / count;
        if (from + length < to && holdsTogether(buffer, from + length))
            ++length;
        const bool lastPiece = from + length == to;
        const Counts own = lastPiece && known ? *known : countBreaks(QStringView(buffer).sliced(from, length));
        out.push_back(Piece{buffer, from, length, own.breaks, own.crlfs});
        if (known) {
            known->breaks -= own.breaks;
            known->crlfs -= own.crlfs;
        }
        from += length;
    }
}

}  // namespace

void PieceText::assign(const QString& text)
{
    std::vector<Piece> made;
    cutInto(text, 0, text.size(), made);
    m_pieces.clear();
    m_sums.clear();
    m_length = 0;
    m_breaks = 0;
    m_crlfs = 0;
    splice(0, -1, std::move(made));
}

void PieceText::splice(qsizetype first, qsizetype last, std::vector<Piece>&& made)
{
    const Sums before = first > 0 ? m_sums[size_t(first - 1)] : Sums{};
    const Sums oldEnd = last >= 0 ? m_sums[size_t(last)] : before;
    std::vector<Sums> sums;
    sums.reserve(made.size());
    Sums at = before;
    for (const Piece& piece : made) {
        at.end += piece.length;
        at.breaks += piece.breaks;
        at.crlfs += piece.crlfs;
        sums.push_back(at);
    }
    const qsizetype lengthDiff = at.end - oldEnd.end;
    const qsizetype breaksDiff = at.breaks - oldEnd.breaks;
    const qsizetype crlfsDiff = at.crlfs - oldEnd.crlfs;
    const auto piecesAt = m_pieces.erase(m_pieces.begin() + first, m_pieces.begin() + (last + 1));
    m_pieces.insert(piecesAt, std::make_move_iterator(made.begin()), std::make_move_iterator(made.end()));
    const auto sumsAt = m_sums.erase(m_sums.begin() + first, m_sums.begin() + (last + 1));
    const auto behind = m_sums.insert(sumsAt, sums.begin(), sums.end()) + qsizetype(sums.size());
    for (auto k = behind; k != m_sums.end(); ++k) {
        k->end += lengthDiff;
        k->breaks += breaksDiff;
        k->crlfs += crlfsDiff;
    }
    m_length += lengthDiff;
    m_breaks += breaksDiff;
    m_crlfs += crlfsDiff;
}

std::pair<qsizetype, qsizetype> PieceText::pieceAt(qsizetype position) const
{
    const auto k = std::upper_bound(m_sums.begin(), m_sums.end(), position,
                                    [](qsizetype p, const Sums& s) { return p < s.end; })
        - m_sums.begin();
    return {k, k > 0 ? m_sums[size_t(k - 1)].end : 0};
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
    // A surrogate pair or a CR LF parted at either end of the new stretch takes the neighbour in.
    const bool pairBefore = first > 0 && !joined.isEmpty()
        && holdsTogether(m_pieces[size_t(first - 1)].view().back(), joined.front());
    const bool pairAfter = last < count - 1 && !joined.isEmpty()
        && holdsTogether(joined.back(), m_pieces[size_t(last + 1)].view().front());
    if (pairBefore || pairAfter) {
        if (pairBefore) {
            kept += lengthOf(--first);
            firstStart -= lengthOf(first);
        }
        if (pairAfter)
            kept += lengthOf(++last);
        build();
    }

    // The breaks and CR LF pairs of the new stretch, from those of the old one and of what
    // the change removed and inserted, without counting what it kept: a CR LF is made or
    // parted only where the removed or inserted text meets the kept text on either side.
    const qsizetype local = position - firstStart;
    Counts counts;
    for (qsizetype k = first, offset = 0; k <= last; offset += lengthOf(k++)) {
        const QStringView piece = m_pieces[size_t(k)].view();
        const qsizetype a = std::clamp(local - offset, qsizetype(0), piece.size());
        const qsizetype b = std::clamp(local + removed - offset, qsizetype(0), piece.size());
        const Counts cut = countBreaks(piece.sliced(a, b - a));
        counts.breaks += m_pieces[size_t(k)].breaks - cut.breaks;
        counts.crlfs += m_pieces[size_t(k)].crlfs - cut.crlfs;
    }
    const QChar none;
    const QChar before = local > 0 ? joined[local - 1] : none;
    const qsizetype behindAt = local + inserted.size();
    const QChar behind = behindAt < joined.size() ? joined[behindAt] : none;
    const auto joins = [](QChar a, QChar b) { return a == u'\r' && b == u'\n' ? 1 : 0; };
    // The pairs the removed text made with its neighbours give way to those the inserted
    // text makes: each such pair was one break of two counted, and is a pair.
    const auto joinsAround = [&](QChar front, QChar back, bool empty) {
        return empty ? joins(before, behind) : joins(before, front) + joins(back, behind);
    };
    const QChar removedFront = removed > 0 ? at(position) : none;
    const QChar removedBack = removed > 0 ? at(position + removed - 1) : none;
    const qsizetype removedJoins = joinsAround(removedFront, removedBack, removed == 0);
    const qsizetype insertedJoins = joinsAround(inserted.isEmpty() ? none : inserted.front(),
                                                inserted.isEmpty() ? none : inserted.back(), inserted.isEmpty());
    const Counts own = countBreaks(inserted);
    counts.breaks += removedJoins + own.breaks - insertedJoins;
    counts.crlfs += own.crlfs - removedJoins + insertedJoins;

    std::vector<Piece> made;
    cutInto(joined, 0, joined.size(), made, counts);
    splice(first, last, std::move(made));
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

QString PieceText::joined() const
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
    return joined;
}

QString PieceText::text()
{
    QString whole = joined();
    // The pieces stay where they are, now stretches of the one buffer: their breaks are
    // counted already.
    qsizetype offset = 0;
    for (Piece& piece : m_pieces) {
        piece.buffer = whole;
        piece.offset = offset;
        offset += piece.length;
    }
    return whole;
}

QChar PieceText::at(qsizetype position) const
{
    const auto [k, start] = pieceAt(position);
    return m_pieces[size_t(k)].view()[position - start];
}

QString PieceText::mid(qsizetype position, qsizetype length) const
{
    position = std::clamp<qsizetype>(position, 0, m_length);
    length = std::clamp<qsizetype>(length, 0, m_length - position);
    QString out;
    out.reserve(length);
    if (length == 0)
        return out;
    const auto found = pieceAt(position);
    qsizetype k = found.first;
    for (qsizetype start = found.second; start < position + length; start += m_pieces[size_t(k++)].length) {
        const QStringView piece = m_pieces[size_t(k)].view();
        const qsizetype a = std::max<qsizetype>(position - start, 0);
        const qsizetype b = std::min<qsizetype>(position + length - start, piece.size());
        out.append(piece.sliced(a, b - a));
    }
    return out;
}

qsizetype PieceText::lineStart(qsizetype line) const
{
    line = std::clamp<qsizetype>(line, 0, m_breaks);
    if (line == 0)
        return 0;
    // The piece the line-th break ends in, and the line-th break there, looked for from the
    // nearer end of the piece (the view asks for lines all the time).
    const auto k = std::lower_bound(m_sums.begin(), m_sums.end(), line,
                                    [](const Sums& s, qsizetype l) { return s.breaks < l; })
        - m_sums.begin();
    const Piece& piece = m_pieces[size_t(k)];
    qsizetype left = line - (k > 0 ? m_sums[size_t(k - 1)].breaks : 0);
    const QStringView v = piece.view();
    const qsizetype start = k > 0 ? m_sums[size_t(k - 1)].end : 0;
    // No CR LF is parted at the piece's end.
    const auto endsBreak = [&](qsizetype i) {
        return v[i] == u'\n' || (v[i] == u'\r' && (i + 1 == v.size() || v[i + 1] != u'\n'));
    };
    if (left * 2 <= piece.breaks) {
        for (qsizetype i = 0;; ++i)
            if (endsBreak(i) && --left == 0)
                return start + i + 1;
    }
    qsizetype behind = piece.breaks - left;  // breaks after the one looked for
    for (qsizetype i = v.size() - 1;; --i)
        if (endsBreak(i) && behind-- == 0)
            return start + i + 1;
}

qsizetype PieceText::wholeBefore(qsizetype position, bool pairs) const
{
    position = std::clamp<qsizetype>(position, 0, m_length);
    if (position == m_length)
        return pairs ? m_crlfs : m_breaks;
    const auto [k, start] = pieceAt(position);
    const Piece& piece = m_pieces[size_t(k)];
    const Counts prior = k > 0 ? Counts{m_sums[size_t(k - 1)].breaks, m_sums[size_t(k - 1)].crlfs} : Counts{};
    Counts in;  // those of the piece before the position
    if (piece.breaks > 0) {
        // Counted from the nearer end of the piece. No piece ends inside a CR LF, and a pair
        // the position parts is not wholly before it: neither its break nor the pair counts.
        const QStringView v = piece.view();
        const qsizetype at = position - start;
        if (at * 2 <= v.size()) {
            in = countBreaks(v.first(at), v[at] == u'\n');
        } else {
            Counts behind = countBreaks(v.sliced(at));
            if (v[at - 1] == u'\r' && v[at] == u'\n')
                ++behind.crlfs;
            in = Counts{piece.breaks - behind.breaks, piece.crlfs - behind.crlfs};
        }
    }
    return pairs ? prior.crlfs + in.crlfs : prior.breaks + in.breaks;
}

qsizetype PieceText::positionOfFolded(qsizetype offset) const
{
    offset = std::clamp<qsizetype>(offset, 0, m_length - m_crlfs);
    // The first piece whose folded end lies behind `offset`; none: the end of the text.
    const auto k = std::upper_bound(m_sums.begin(), m_sums.end(), offset,
                                    [](qsizetype o, const Sums& s) { return o < s.end - s.crlfs; })
        - m_sums.begin();
    if (k == qsizetype(m_sums.size()))
        return m_length;
    const Sums before = k > 0 ? m_sums[size_t(k - 1)] : Sums{};
    const Piece& piece = m_pieces[size_t(k)];
    const QStringView v = piece.view();
    const qsizetype left = offset - (before.end - before.crlfs);
    if (piece.crlfs == 0)
        return before.end + left;
    // Walked from the nearer end of the piece; no CR LF is parted at either end.
    const qsizetype folded = piece.length - piece.crlfs;
    qsizetype i = 0;
    if (left * 2 <= folded) {
        for (qsizetype n = left; n > 0; --n)
            i += v[i] == u'\r' && v[i + 1] == u'\n' ? 2 : 1;
    } else {
        i = v.size();
        for (qsizetype n = folded - left; n > 0; --n)
            i -= v[i - 1] == u'\n' && i >= 2 && v[i - 2] == u'\r' ? 2 : 1;
    }
    return before.end + i;
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
