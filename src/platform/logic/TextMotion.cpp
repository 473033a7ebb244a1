#include "platform/logic/TextMotion.h"

#include "platform/logic/TextModel.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <array>
#include <string_view>

namespace folio::motion {

namespace {

// Word steps go over runs of three kinds of character: blanks (every character Unicode
// counts as white space, the no-break space and the tab among them), punctuation that
// separates words, and the rest, which make words.
bool isBlank(QChar c)
{
    return c.isSpace();
}

bool isSeparator(QChar c)
{
    static constexpr auto Separators = [] {
        std::array<bool, 128> table{};
        for (const char16_t s : std::u16string_view(u".,?!@#$:;-<>[](){}=/+%&^*'\"`~|\\"))
            table[s] = true;
        return table;
    }();
    return c.unicode() < Separators.size() && Separators[c.unicode()];
}

bool isWordCharacter(QChar c)
{
    return !isBlank(c) && !isSeparator(c);
}

// The text of one line, read a stretch at a time around the places asked for: a step over
// a word of any length reads that word and little else. Each stretch read is twice the one
// before (up to a bound), so a long word costs a handful of reads, not one per character.
class LineReader {
public:
    LineReader(const TextModel& model, qsizetype start, qsizetype end) : m_model(model), m_start(start), m_end(end) {}

    qsizetype start() const { return m_start; }
    qsizetype end() const { return m_end; }

    // The character at `position`, inside [start, end).
    QChar at(qsizetype position)
    {
        if (position < m_from || position >= m_from + m_text.size()) {
            // First around `position`; then going back, the stretch ends behind it, going on,
            // it begins there.
            const qsizetype from = m_text.isEmpty() ? std::max(m_start, position - m_size / 2)
                : position < m_from                 ? std::max(m_start, position + 1 - m_size)
                                                    : position;
            m_text = m_model.slice(from, std::min(m_end, from + m_size) - from);
            m_from = from;
            m_size = std::min(m_size * 2, MaxStretch);
        }
        return m_text.at(position - m_from);
    }

private:
    static constexpr qsizetype FirstStretch = 256;
    static constexpr qsizetype MaxStretch = qsizetype(64) * 1024;

    const TextModel& m_model;
    qsizetype m_start;
    qsizetype m_end;
    QString m_text;
    qsizetype m_from = 0;
    qsizetype m_size = FirstStretch;
};

// The line of `position` and where its text ends (before its break).
struct LineSpan {
    qsizetype line;
    qsizetype start;
    qsizetype end;
};

LineSpan lineSpan(const TextModel& model, qsizetype position)
{
    const qsizetype line = model.lineOf(position);
    return {line, model.lineStart(line), model.lineEnd(line)};
}

// From `position` inside the line back over blanks, then over one run of separators or of
// word characters.
qsizetype backOverWord(LineReader& text, qsizetype position)
{
    const qsizetype start = text.start();
    while (position > start && isBlank(text.at(position - 1)))
        --position;
    if (position > start && isSeparator(text.at(position - 1))) {
        while (position > start && isSeparator(text.at(position - 1)))
            --position;
    } else {
        while (position > start && isWordCharacter(text.at(position - 1)))
            --position;
    }
    return position;
}

// From `position` inside the line on over one run of separators or of word characters
// (none when it stands on a blank).
qsizetype onOverRun(LineReader& text, qsizetype position)
{
    const qsizetype end = text.end();
    if (position < end && isSeparator(text.at(position))) {
        while (position < end && isSeparator(text.at(position)))
            ++position;
    } else {
        while (position < end && isWordCharacter(text.at(position)))
            ++position;
    }
    return position;
}

// Characters of context read before a position when looking for a character's bounds, and
// the first stretch read in the direction of the step (doubled while a character with its
// marks goes on past it).
constexpr qsizetype Context = 64;
constexpr qsizetype FirstReach = 64;

}  // namespace

qsizetype nextCharacter(const TextModel& model, qsizetype position)
{
    position = std::clamp<qsizetype>(position, 0, model.length());
    if (position == model.length())
        return position;
    const LineSpan span = lineSpan(model, position);
    if (position >= span.end)  // at the break (or inside a CR LF): over it, as one
        return span.line + 1 < model.lineCount() ? model.lineStart(span.line + 1) : model.length();
    const qsizetype from = std::max(span.start, position - Context);
    for (qsizetype reach = FirstReach;; reach *= 2) {
        const qsizetype to = std::min(span.end, position + reach);
        const QString text = model.slice(from, to - from);
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
        finder.setPosition(position - from);
        const qsizetype next = finder.toNextBoundary();
        // The end of what was read is a bound only when it is the end of the line.
        if (next > 0 && (from + next < to || to == span.end))
            return from + next;
        if (to == span.end)
            return span.end;
    }
}

qsizetype previousCharacter(const TextModel& model, qsizetype position)
{
    position = std::clamp<qsizetype>(position, 0, model.length());
    if (position == 0)
        return 0;
    const LineSpan span = lineSpan(model, position);
    if (position > span.end)  // inside a CR LF: back to before it
        return span.end;
    if (position == span.start)  // over the break before the line, as one
        return model.lineEnd(span.line - 1);
    const qsizetype to = std::min(span.end, position + Context);
    for (qsizetype reach = FirstReach;; reach *= 2) {
        const qsizetype from = std::max(span.start, position - reach);
        const QString text = model.slice(from, to - from);
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
        finder.setPosition(position - from);
        const qsizetype previous = finder.toPreviousBoundary();
        // The start of what was read is a bound only when it is the start of the line (and
        // so is the place behind it, where what was read may begin with half a pair).
        if (previous > 1 || from == span.start)
            return from + std::max<qsizetype>(previous, 0);
    }
}

qsizetype nextWord(const TextModel& model, qsizetype position)
{
    position = std::clamp<qsizetype>(position, 0, model.length());
    if (position == model.length())
        return position;
    const LineSpan span = lineSpan(model, position);
    if (position >= span.end)  // a line's end is a stop; the next is the next line's start
        return span.line + 1 < model.lineCount() ? model.lineStart(span.line + 1) : model.length();
    LineReader text(model, span.start, span.end);
    position = onOverRun(text, position);
    while (position < span.end && isBlank(text.at(position)))
        ++position;
    return position;
}

qsizetype previousWord(const TextModel& model, qsizetype position)
{
    position = std::clamp<qsizetype>(position, 0, model.length());
    if (position == 0)
        return 0;
    const LineSpan span = lineSpan(model, position);
    if (position > span.end)  // inside a CR LF, which stands for behind it
        return span.end;
    if (position == span.start)  // a line's start is a stop; the one before is the end of the line before
        return model.lineEnd(span.line - 1);
    LineReader text(model, span.start, span.end);
    return backOverWord(text, position);
}

std::pair<qsizetype, qsizetype> wordAround(const TextModel& model, qsizetype position)
{
    position = std::clamp<qsizetype>(position, 0, model.length());
    const LineSpan span = lineSpan(model, position);
    position = std::min(position, span.end);
    LineReader text(model, span.start, span.end);
    // The word starts at the run the character behind `position` belongs to, or the word
    // before it when that is a blank; at a line's start, and behind a line's last blank or
    // separator, nothing is before it.
    qsizetype first = position;
    if (position == span.end && position > span.start) {
        if (isWordCharacter(text.at(position - 1)))
            first = backOverWord(text, position);
    } else if (position > span.start) {
        first = backOverWord(text, position + 1);
    }
    return {first, onOverRun(text, first)};
}

}  // namespace folio::motion
