#include "platform/logic/PieceText.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QRegularExpression>

#include <tuple>

using namespace folio;

namespace {

// The parts joined, or a note where a part ends with the first half of a surrogate pair
// or a CR whose second half or LF begins the next part.
QString joined(const std::vector<QStringView>& parts)
{
    QString s;
    for (size_t k = 0; k < parts.size(); ++k) {
        const bool pair = k > 0 && parts[k - 1].back().isHighSurrogate() && parts[k].front().isLowSurrogate();
        if (pair || (k > 0 && parts[k - 1].back() == u'\r' && parts[k].front() == u'\n'))
            return QStringLiteral("<a pair parted at part %1>").arg(k);
        s.append(parts[k]);
    }
    return s;
}

}  // namespace

// Changes near each other, far apart, at both ends and across whole-text reads must all give
// what QString::replace gives, in parts that never come apart inside a surrogate pair or a
// CR LF (the alphabet has lone halves, so changes keep making and breaking pairs at piece
// edges), with the line breaks counted and found as a walk over the characters finds them, and
// the CR LF pairs before a position counted as QString counts them, and found back. A copy
// keeps the text it was made from whatever its source does afterwards, joining its pieces
// and letting go of every buffer included.
TEST(PieceText, RandomChangesAndReadsMatchAPlainString)
{
    QRandomGenerator rnd(1234);
    QString model = QStringLiteral("0123456789abcdefghij");
    PieceText text;
    text.assign(model);
    std::vector<std::pair<PieceText, QString>> copies;
    const QString alphabet = QStringLiteral("xyzXYZ\r\n\u00e9\U0001F600") + QChar(0xD83D) + QChar(0xDE00);
    for (int step = 0; step < 4000; ++step) {
        const qsizetype position = rnd.bounded(int(model.size()) + 1);
        const qsizetype removed = rnd.bounded(4) == 0 ? rnd.bounded(40) : rnd.bounded(3);
        QString inserted;
        const int length = rnd.bounded(8) == 0 ? rnd.bounded(12000) : rnd.bounded(4);
        for (int i = 0; i < length; ++i)
            inserted.append(alphabet.at(rnd.bounded(int(alphabet.size()))));
        model.replace(position, std::min(removed, model.size() - position), inserted);
        text.replace(position, removed, inserted);
        ASSERT_EQ(text.size(), model.size()) << "step " << step;
        ASSERT_EQ(joined(text.parts()), model) << "step " << step;
        if (step % 8 == 0) {
            const qsizetype at = rnd.bounded(int(model.size()) + 1);
            const qsizetype pairs = model.first(at).count(u"\r\n");
            const bool insidePair = at > 0 && at < model.size() && model[at - 1] == u'\r' && model[at] == u'\n';
            ASSERT_EQ(std::tuple(text.crlfCount(), text.crlfBefore(at), text.positionOfFolded(at - pairs)),
                      std::tuple(model.count(u"\r\n"), pairs, insidePair ? at + 1 : at))
                << "step " << step << " at " << at;
        }
        if (step % 500 == 0)
            copies.emplace_back(text, model);
        if (rnd.bounded(50) == 0) {
            ASSERT_EQ(text.text(), model) << "step " << step;
            ASSERT_EQ(text.breakCount(), model.count(u'\n') + model.count(u'\r') - model.count(u"\r\n"))
                << "step " << step;
            // The line that starts behind a random break, and the line of each position around it.
            const qsizetype end = model.indexOf(QRegularExpression(QStringLiteral("\r\n|\r|\n")),
                                                rnd.bounded(int(model.size())));
            if (end >= 0) {
                const qsizetype start = end + (model.mid(end, 2) == u"\r\n" ? 2 : 1);
                const qsizetype line = text.lineOf(end);
                EXPECT_EQ(text.lineStart(line + 1), start) << "step " << step;
            }
            // Any position: the breaks that end before it (the CR of a CR LF it parts ends none).
            const qsizetype p = rnd.bounded(int(model.size()) + 1);
            QString before = model.left(p);
            if (before.endsWith(u'\r') && model.mid(p, 1) == u"\n")
                before.chop(1);
            const qsizetype line = before.count(u'\n') + before.count(u'\r') - before.count(u"\r\n");
            EXPECT_EQ(text.lineOf(p), line) << "step " << step;
            EXPECT_LE(text.lineStart(line), p) << "step " << step;
        }
    }
    text.assign(QStringLiteral("other"));
    for (const auto& [copy, was] : copies)
        EXPECT_EQ(joined(copy.parts()), was);
    // The halves of a pair that meet where two pieces of 65,536 meet end up in one piece,
    // from either side.
    for (const bool highFirst : {true, false}) {
        model = QString(131072, u'a');
        text.assign(model);
        ASSERT_EQ(text.pieceCount(), 2);
        const QChar first(highFirst ? 0xD83D : 0xDE00), second(highFirst ? 0xDE00 : 0xD83D);
        text.replace(highFirst ? 65535 : 65536, 1, QStringView(&first, 1));
        text.replace(highFirst ? 65536 : 65535, 1, QStringView(&second, 1));
        model[65535] = QChar(0xD83D);
        model[65536] = QChar(0xDE00);
        EXPECT_EQ(joined(text.parts()), model) << (highFirst ? "high first" : "low first");
    }
}

// However a long text is changed (10,000 single characters at scattered places, a run typed
// character by character, a long stretch removed) it never lies in more than one piece per
// 16,384 characters, and the loaded text is never copied whole: a change copies only the
// piece it falls in, and a whole reading of an unchanged text hands out the loaded buffer.
TEST(PieceText, PiecesStayFewAndAChangeCopiesOnlyThePieceItFallsIn)
{
    PieceText text;
    const auto bounded = [&] { return text.pieceCount() <= text.size() / 16384 + 1; };
    const QString loaded(4000000, u'x');
    text.assign(loaded);
    EXPECT_EQ(text.text().constData(), loaded.constData());
    text.replace(3990000, 1, u"end");
    text.replace(5000, 1, u"start");
    text.replace(2000000, 0, u"middle");
    qsizetype stillLoaded = 0;
    for (const QStringView part : text.parts())
        if (part.data() >= loaded.constData() && part.data() < loaded.constData() + loaded.size())
            stillLoaded += part.size();
    EXPECT_GE(stillLoaded, loaded.size() * 9 / 10);
    QRandomGenerator rnd(99);
    for (int i = 0; i < 10000; ++i)
        text.replace(rnd.bounded(int(text.size())), 1, u"y");
    EXPECT_TRUE(bounded()) << text.pieceCount();
    for (qsizetype at = 500000; at < 520000; ++at)
        text.replace(at, 0, u"k");
    EXPECT_TRUE(bounded()) << text.pieceCount();
    text.replace(100000, 1500000, u"");
    EXPECT_TRUE(bounded()) << text.pieceCount();
    // Joined once, the text stays in one buffer until the next change.
    const QString whole = text.text();
    EXPECT_EQ(text.text().constData(), whole.constData());

    // Nearly all of every 65,536 characters removed, from the back: what remains of each
    // piece is taken in by a neighbour.
    text.assign(QString(16 * 65536, u'x'));
    for (qsizetype block = 15; block >= 0; --block)
        text.replace(block * 65536 + 50, 65536 - 100, u"");
    EXPECT_EQ(text.size(), 16 * 100);
    EXPECT_TRUE(bounded()) << text.pieceCount();
}
