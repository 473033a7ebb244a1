#pragma once
// A long text that is changed in small places again and again and read whole now and then:
// the text box's model text. It is kept as a list of pieces, each a stretch of a shared,
// never-changed buffer: the text as loaded, or the text of one change. A change splits the
// pieces at its two ends and puts one new piece between them, so its cost depends on the
// change and on the number of pieces, never on the length of the text or on where the
// previous change was. Small neighbouring pieces are joined, so a run of changes in one place
// leaves few pieces behind.
//
// Readers of the whole text that can take it in parts (find, save) read the pieces where
// they lie. No piece ends between the two halves of a surrogate pair, so a reader that takes
// the parts one by one never sees half a character.
#include <QString>
#include <QStringView>

#include <vector>

namespace folio {

class PieceText {
public:
    // Takes `text` over, shared: no copy is made.
    void assign(const QString& text);
    // Replaces `removed` characters at `position` (both clamped to the text) by `inserted`.
    void replace(qsizetype position, qsizetype removed, QStringView inserted);
    // The whole text. Joins the pieces into one (a copy of the text) and keeps that as the
    // only piece, so a second reading without a change in between copies nothing.
    QString text();
    qsizetype size() const { return m_length; }
    // The text as consecutive parts, in order; valid while this object lives unchanged. A
    // copy of this object is cheap (one shared reference per piece) and keeps its parts
    // valid whatever happens to the original afterwards.
    std::vector<QStringView> parts() const;
    qsizetype pieceCount() const { return qsizetype(m_pieces.size()); }

private:
    struct Piece {
        QString buffer;  // shared and never written to once it is in a piece
        qsizetype offset = 0;
        qsizetype length = 0;
        QStringView view() const { return QStringView(buffer).sliced(offset, length); }
    };

    // Makes `position` the start of a piece (or the end of the text) and returns that
    // piece's index.
    qsizetype splitAt(qsizetype position);
    // Replaces pieces [first, last) by one new piece holding their text.
    void join(qsizetype first, qsizetype last);
    // Joins the small pieces around [first, last), the pieces a change has just touched,
    // and keeps the surrogate pairs at the ends of that stretch whole.
    void tidyAround(qsizetype first, qsizetype last);
    // Where pieces k-1 and k would part a surrogate pair, the two are joined, or, when both
    // are long, the pair gets a piece of its own between them.
    void keepPairWhole(qsizetype k);

    std::vector<Piece> m_pieces;
    qsizetype m_length = 0;
};

}  // namespace folio
