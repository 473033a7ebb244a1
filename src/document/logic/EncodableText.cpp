#include "document/logic/EncodableText.h"

#include "platform/logic/CodePage.h"

#include <QSet>

#include <algorithm>

namespace folio::docformat {

namespace {

// One character of a text: a surrogate pair, or a single unit (a lone half among them).
struct Character {
    char32_t code;
    qsizetype units;
};

Character characterAt(QStringView text, qsizetype i)
{
    const char16_t u = text[i].unicode();
    if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        return {QChar::surrogateToUcs4(u, text[i + 1].unicode()), 2};
    return {u, 1};
}

bool holds(Encoding encoding, char32_t code)
{
    if (encoding == Encoding::Windows1252)
        return code <= 0xFFFF && !QChar::isSurrogate(code) && cp1252::toByte(QChar(char16_t(code))).has_value();
    return !QChar::isSurrogate(code);  // only a half without its partner comes here as one
}

qsizetype lostIn(Encoding encoding, QStringView text)
{
    qsizetype lost = 0;
    for (qsizetype i = 0; i < text.size();) {
        const Character c = characterAt(text, i);
        lost += !holds(encoding, c.code);
        i += c.units;
    }
    return lost;
}

// The parts seen as one text, with positions counted across them. No part ends inside a
// surrogate pair, so a character never spans two parts.
class Joined {
public:
    explicit Joined(std::span<const QStringView> parts) : m_parts(parts)
    {
        m_starts.reserve(parts.size());
        for (const QStringView part : parts) {
            m_starts.push_back(m_size);
            m_size += part.size();
        }
    }

    qsizetype size() const { return m_size; }

    // The part holding position `at` (< size()), and where in it.
    std::pair<size_t, qsizetype> locate(qsizetype at) const
    {
        const auto next = std::upper_bound(m_starts.begin(), m_starts.end(), at);
        size_t part = size_t(next - m_starts.begin()) - 1;
        while (m_parts[part].isEmpty())  // an empty part starts where the next one does
            ++part;
        return {part, at - m_starts[part]};
    }

    Character characterAt(qsizetype at) const
    {
        const auto [part, offset] = locate(at);
        return docformat::characterAt(m_parts[part], offset);
    }

    // Where the character in front of `at` (> 0) starts.
    qsizetype previousStart(qsizetype at) const
    {
        const auto [part, offset] = locate(at - 1);
        const QStringView text = m_parts[part];
        return at - (offset > 0 && text[offset].isLowSurrogate() && text[offset - 1].isHighSurrogate() ? 2 : 1);
    }

    // The stretch [from, to) as views into the parts, appended to `out`.
    void appendViews(qsizetype from, qsizetype to, std::vector<QStringView>& out) const
    {
        while (from < to) {
            const auto [part, offset] = locate(from);
            const qsizetype length = std::min(to - from, m_parts[part].size() - offset);
            out.push_back(m_parts[part].sliced(offset, length));
            from += length;
        }
    }

    QString copy(qsizetype from, qsizetype to) const
    {
        std::vector<QStringView> views;
        appendViews(from, to, views);
        QString text;
        for (const QStringView view : views)
            text += view;
        return text;
    }

    // The stretch of up to `most` units from `at` inside its part, never ending inside a pair.
    QStringView block(qsizetype at, qsizetype most) const
    {
        const auto [part, offset] = locate(at);
        const QStringView text = m_parts[part];
        qsizetype length = std::min(most, text.size() - offset);
        if (offset + length < text.size() && text[offset + length - 1].isHighSurrogate()
            && text[offset + length].isLowSurrogate())
            ++length;
        return text.sliced(offset, length);
    }

private:
    std::span<const QStringView> m_parts;
    std::vector<qsizetype> m_starts;
    qsizetype m_size = 0;
};

void note(LostCharacters& lost, char32_t code)
{
    ++lost.count;
    for (LostCharacter& seen : lost.firstFew) {
        if (seen.code == code) {
            ++seen.count;
            return;
        }
    }
    if (lost.firstFew.size() < 5)
        lost.firstFew.push_back({code, 1});
    else
        lost.moreKinds = true;
}

void noteAll(LostCharacters& lost, Encoding encoding, QStringView text)
{
    for (qsizetype i = 0; i < text.size();) {
        const Character c = characterAt(text, i);
        if (!holds(encoding, c.code))
            note(lost, c.code);
        i += c.units;
    }
}

bool isCombining(char32_t code)
{
    return QChar::combiningClass(code) != 0;
}

}  // namespace

EncodableText::EncodableText(Encoding encoding, std::span<const QStringView> parts)
{
    const Joined text(parts);
    // Only Windows-1252 can gain from composing: UTF-8 loses nothing but surrogate halves.
    const bool composing = encoding == Encoding::Windows1252;
    qsizetype kept = 0;  // the text up to here goes out as it is
    // Characters that composing alone does not help: a text of many "ą" asks Unicode's
    // tables once, and one of many the same in a row not even the set.
    QSet<char32_t> keptAlone;
    char32_t lastAlone = 0;
    qsizetype at = 0;
    while (at < text.size()) {
        // Most of a text is held: a block at a time is passed over at the encoder's speed, and
        // only a block that loses something is looked at character by character.
        const QStringView block = text.block(at, 4096);
        if (docformat::findUnrepresentable(encoding, std::span<const QStringView>(&block, 1)).count == 0) {
            at += block.size();
            continue;
        }
        const qsizetype blockStart = at;
        at += block.size();  // unless a cluster reaches further
        for (qsizetype i = 0; i < block.size();) {
            const Character c = characterAt(block, i);
            if (holds(encoding, c.code)) {
                i += c.units;
                continue;
            }
            const qsizetype lostAt = blockStart + i;
            if (!composing) {
                note(m_lost, c.code);
                i += c.units;
                continue;
            }
            // The cluster around it: back to its base character (every lost one before it has
            // been dealt with, so this stops at the last cluster's end at the latest), and on
            // over the combining marks after it.
            qsizetype start = lostAt;
            if (isCombining(c.code)) {
                while (start > kept) {
                    start = text.previousStart(start);
                    if (!isCombining(text.characterAt(start).code))
                        break;
                }
            }
            qsizetype end = lostAt + c.units;
            bool marks = false;
            while (end < text.size()) {
                const qsizetype inBlock = end - blockStart;
                const Character next = inBlock < block.size() ? characterAt(block, inBlock) : text.characterAt(end);
                if (!isCombining(next.code))
                    break;
                end += next.units;
                marks = true;
            }
            const bool alone = start == lostAt && !marks;
            if (alone
                && (c.code == lastAlone || QChar::decompositionTag(c.code) != QChar::Canonical
                    || keptAlone.contains(c.code))) {
                lastAlone = c.code;
                note(m_lost, c.code);  // nothing to compose: the common case of a lost character
                i += c.units;
                continue;
            }
            const QString cluster = text.copy(start, end);
            QString composed = cluster.normalized(QString::NormalizationForm_C);
            const bool gains = lostIn(encoding, composed) < lostIn(encoding, cluster);
            if (alone && !gains)
                keptAlone.insert(c.code);
            if (gains) {
                text.appendViews(kept, start, m_parts);
                noteAll(m_lost, encoding, composed);
                m_parts.push_back(m_composed.emplace_back(std::move(composed)));
                kept = end;
            } else {
                noteAll(m_lost, encoding, QStringView(cluster).sliced(lostAt - start));
            }
            if (end >= at) {
                at = end;
                break;
            }
            i = end - blockStart;
        }
    }
    text.appendViews(kept, text.size(), m_parts);
}

}  // namespace folio::docformat
