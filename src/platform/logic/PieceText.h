#pragma once
// A long text that is changed in small places again and again and read whole now and then:
// the text box's model text. It is kept as a list of pieces of bounded size, each a stretch
// of a shared buffer that is never written to once it is in a piece: the text as loaded, or
// the text of one change. A change copies only the piece (or the few pieces) it falls in,
// so its cost depends on the change, never on the length of the text or on where the
// previous change was; and however the text is changed, every piece but a lone one holds at
// least 16,384 characters, so readers that walk the pieces stay as fast as over one string.
//
// Readers of the whole text that can take it in parts (find, save) read the pieces where
// they lie. No piece ends between the two halves of a surrogate pair, so a reader that takes
// the parts one by one never sees half a character, nor between the CR and the LF of a line
// break, so each piece knows how many line breaks end in it (a CR LF, a lone LF or a lone
// CR each ends one) and how many CR LF pairs it holds, and finding a position, a line or an
// offset in the folded text is a binary search over the pieces' running sums and a scan
// inside one piece.
//
// The folded text is the text with every CR LF one character, as screen readers count it
// (every break one line feed). A position's folded offset is the position less the CR LF
// pairs before it.
#include <QString>
#include <QStringView>

#include <utility>
#include <vector>

namespace folio {

class PieceText {
public:
    // Takes `text` over, shared: no copy is made.
    void assign(const QString& text);
    // Replaces `removed` characters at `position` (both clamped to the text) by `inserted`.
    void replace(qsizetype position, qsizetype removed, QStringView inserted);
    // The whole text. When the text has changed since it was assigned or last read whole,
    // this joins the pieces into one buffer (a copy of the text) and keeps that, so a second
    // reading without a change in between copies nothing.
    QString text();
    // The same without keeping the joined buffer: a reader that changes nothing.
    QString joined() const;
    qsizetype size() const { return m_length; }
    QChar at(qsizetype position) const;  // `position` < size()
    // `length` characters from `position` (both clamped to the text).
    QString mid(qsizetype position, qsizetype length) const;

    // Line breaks in the text; the text has one line more than it has breaks.
    qsizetype breakCount() const { return m_breaks; }
    // Where line `line` starts: behind the line-th break (0 for line 0). `line` is clamped
    // to 0..breakCount().
    qsizetype lineStart(qsizetype line) const;
    // The line `position` lies in: the breaks that end at or before it. A position between
    // the CR and the LF of a pair is still in the line the pair ends.
    qsizetype lineOf(qsizetype position) const { return wholeBefore(position, false); }

    // CR LF pairs in the text, and those that end at or before `position` (clamped to the
    // text; a pair whose CR is before it and LF behind it does not count).
    qsizetype crlfCount() const { return m_crlfs; }
    qsizetype crlfBefore(qsizetype position) const { return wholeBefore(position, true); }
    // The inverse: the position whose folded offset is `offset` (clamped to the folded
    // text), never between a CR and its LF.
    qsizetype positionOfFolded(qsizetype offset) const;
    // The text as consecutive parts, in order; valid while this object lives unchanged. A
    // copy of this object is cheap (one shared reference per piece) and keeps its parts
    // valid whatever happens afterwards to the object it was copied from.
    std::vector<QStringView> parts() const;
    qsizetype pieceCount() const { return qsizetype(m_pieces.size()); }

private:
    struct Piece {
        QString buffer;
        qsizetype offset = 0;
        qsizetype length = 0;
        qsizetype breaks = 0;  // line breaks that end in this piece
        qsizetype crlfs = 0;   // CR LF pairs in it
        QStringView view() const { return QStringView(buffer).sliced(offset, length); }
    };

    // The index of the piece holding the character at `position` (< size()), and where that
    // piece starts.
    std::pair<qsizetype, qsizetype> pieceAt(qsizetype position) const;
    // The line breaks (or, with `pairs`, the CR LF pairs) wholly before `position`.
    qsizetype wholeBefore(qsizetype position, bool pairs) const;
    // Whether the pieces are the whole of one buffer, in order.
    bool isOneWholeBuffer() const;

    // Replaces pieces [first, last] by `made`, keeping the running sums in step.
    void splice(qsizetype first, qsizetype last, std::vector<Piece>&& made);

    std::vector<Piece> m_pieces;
    // Per piece, the characters, the line breaks and the CR LF pairs up to its end: where a
    // position, a line or a folded offset lies is a binary search, and an edit only shifts
    // the sums behind it.
    struct Sums {
        qsizetype end = 0;
        qsizetype breaks = 0;
        qsizetype crlfs = 0;
    };
    std::vector<Sums> m_sums;
    qsizetype m_length = 0;
    qsizetype m_breaks = 0;
    qsizetype m_crlfs = 0;
};

}  // namespace folio
