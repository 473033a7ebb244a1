#include "document/logic/FindText.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QString>

using namespace folio;

namespace {

// The search as first defined: lower-case both texts unit by unit, then try every position.
int referenceFind(QString text, QString find, int start, bool caseSensitive)
{
    if (find.isEmpty())
        return 0;
    for (QString* s : {&text, &find}) {
        for (QChar& c : *s)
            c = caseSensitive ? c : c.toLower();
    }
    for (qsizetype p = std::max(start, 1); p + find.size() - 1 <= text.size(); ++p) {
        if (QStringView(text).mid(p - 1, find.size()) == find)
            return int(p);
    }
    return 0;
}

}  // namespace

// Positions from the starting one (0 counts as 1), never overlapping a match before it, and
// nothing for an empty text to find or a start after the last match.
TEST(FindText, MatchesANaiveSearchOnRandomTexts)
{
    QRandomGenerator rng(7);
    // Rich in letters whose case mapping is unusual (Kelvin, long s, dotted and dotless i,
    // sharp s, sigmas, Angstrom, micro and mu), in line breaks and in lone surrogate halves.
    const char16_t alphabet[] = {u'a', u'A', u'b', u'B', u'k', u'K', 0x212A, u'\r', u'\n', 0x0130, u'i', u'I',
                                 0x03C2, 0x03C3, 0x03A3, 0x00E9, 0x00C9, u's', 0x017F, 0x0131, 0x00DF, 0x1E9E,
                                 0x00C5, 0x212B, 0xD801, 0xDC00, 0xDC28, 0x10A0, 0x2D00, 0xFFFF, 0x0000,
                                 0x00B5, 0x03BC, 0x039C};
    const auto randomText = [&](int length, int alphabetSize) {
        QString s;
        for (int i = 0; i < length; ++i)
            s.append(QChar(alphabet[rng.bounded(alphabetSize)]));
        return s;
    };
    for (int round = 0; round < 20000; ++round) {
        const int alphabetSize = 2 + rng.bounded(int(std::size(alphabet)) - 1);
        const QString text = randomText(rng.bounded(80), alphabetSize);
        QString find = rng.bounded(4) == 0 && text.size() > 2
                           ? text.mid(rng.bounded(text.size() - 1), 1 + rng.bounded(6))
                           : randomText(rng.bounded(5), alphabetSize);
        if (rng.bounded(3) == 0) {
            const bool upper = rng.bounded(2);
            for (QChar& c : find)
                c = upper ? c.toUpper() : c.toLower();
        }
        const int start = rng.bounded(text.size() + 3);
        const bool caseSensitive = rng.bounded(2) == 0;
        SCOPED_TRACE(testing::Message() << caseSensitive << " text " << text.toUtf8().toHex().data() << " find "
                                        << find.toUtf8().toHex().data() << " from " << start);
        const int expected = referenceFind(text, find, start, caseSensitive);
        const QStringView whole(text);
        ASSERT_EQ(findText({&whole, 1}, find, start, caseSensitive), expected);
        // The same text cut into parts (some of them empty) gives the same answer, also for
        // matches that run across one or more cuts.
        std::vector<QStringView> parts;
        for (qsizetype at = 0, length = 0; at < text.size(); at += length) {
            length = std::min<qsizetype>(rng.bounded(5), text.size() - at);
            parts.push_back(QStringView(text).sliced(at, length));
        }
        ASSERT_EQ(findText(parts, find, start, caseSensitive), expected) << "in " << parts.size() << " parts";
    }
}

// Matches that straddle the stretches a long text is searched in, or the end of a part, in
// either mode.
TEST(FindText, FindsMatchesAcrossTheSlicesOfALongText)
{
    QString text(200000, u'x');
    text.replace(65533, 6, QStringLiteral("NeEdLe"));   // across the first 64 Ki units
    text.replace(131071, 6, QStringLiteral("nEEDLE"));  // from the last unit before 128 Ki on
    const QStringView whole(text);
    const std::vector<QStringView> parts{whole.first(65536), whole.sliced(65536)};
    for (const std::span<const QStringView> cut : {std::span<const QStringView>(&whole, 1), std::span<const QStringView>(parts)}) {
        EXPECT_EQ(findText(cut, u"needle", 1, false), 65534);
        EXPECT_EQ(findText(cut, u"NEEDLE", 65535, false), 131072);
        EXPECT_EQ(findText(cut, u"nEEDLE", 1, true), 131072);
        EXPECT_EQ(findText(cut, u"NeEdLe", 1, true), 65534);
        EXPECT_EQ(findText(cut, u"needle", 1, true), 0);
    }
}
