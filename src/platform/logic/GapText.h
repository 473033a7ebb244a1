#pragma once
// A long text that is changed in small places again and again and read whole now and then:
// the text box's model text. The free room (the gap) sits where the last change was, so a
// run of changes in one place moves nothing, and a change elsewhere moves only the text
// between the two places. Reading it whole closes the gap and hands out the buffer itself,
// shared, without a copy.
#include <QString>
#include <QStringView>

namespace folio {

class GapText {
public:
    // Takes `text` over, shared: no copy is made until the first change.
    void assign(const QString& text);
    // Replaces `removed` characters at `position` (both clamped to the text) by `inserted`.
    void replace(qsizetype position, qsizetype removed, QStringView inserted);
    // The whole text. Closes the gap first (a move of the text behind it) and then shares the
    // buffer: a caller that keeps the copy makes the next change copy the whole text.
    QString text();
    qsizetype size() const { return m_length; }

private:
    void moveGapTo(qsizetype position);

    QString m_buffer;         // m_length characters of text, with m_gapLength free ones at m_gapStart
    qsizetype m_length = 0;
    qsizetype m_gapStart = 0;
    qsizetype m_gapLength = 0;
};

}  // namespace folio
