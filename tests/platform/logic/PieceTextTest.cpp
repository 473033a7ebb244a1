#include "platform/logic/PieceText.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

using namespace folio;

namespace {

QString joined(const std::vector<QStringView>& parts)
{
    QString s;
    for (const QStringView part : parts)
        s.append(part);
    return s;
}

// Whether some part ends with the first half of a surrogate pair whose second half begins
// the next part.
bool partsPartAPair(const std::vector<QStringView>& parts)
{
    for (size_t k = 1; k < parts.size(); ++k) {
        if (parts[k - 1].back().isHighSurrogate() && parts[k].front().isLowSurrogate())
            return true;
    }
    return false;
}

}  // namespace

// Changes near each other, far apart, at both ends and across whole-text reads must all give
// what QString::replace gives, in parts that never come apart inside a surrogate pair (the
// alphabet has lone halves, so changes keep making and breaking pairs at piece edges).
TEST(PieceText, RandomChangesAndReadsMatchAPlainString)
{
    QRandomGenerator rnd(1234);
    QString model = QStringLiteral("0123456789abcdefghij");
    PieceText text;
    text.assign(model);
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
        const std::vector<QStringView> parts = text.parts();
        ASSERT_EQ(joined(parts), model) << "step " << step;
        ASSERT_FALSE(partsPartAPair(parts)) << "step " << step;
        if (rnd.bounded(50) == 0) {
            ASSERT_EQ(text.text(), model) << "step " << step;
        }
    }
}

// However a long text is changed (here: 10,000 single characters at scattered places, then
// a run typed character by character, then a long stretch removed), it never lies in more
// than one piece per 16,384 characters.
TEST(PieceText, PiecesStayFewWhateverTheChanges)
{
    PieceText text;
    text.assign(QString(2000000, u'x'));
    const auto bounded = [&] { return text.pieceCount() <= text.size() / 16384 + 1; };
    QRandomGenerator rnd(99);
    for (int i = 0; i < 10000; ++i)
        text.replace(rnd.bounded(int(text.size())), 1, u"y");
    EXPECT_TRUE(bounded()) << text.pieceCount();
    for (qsizetype at = 500000; at < 520000; ++at)
        text.replace(at, 0, u"k");
    EXPECT_TRUE(bounded()) << text.pieceCount();
    text.replace(100000, 1500000, u"");
    EXPECT_TRUE(bounded()) << text.pieceCount();
    EXPECT_EQ(text.size(), 2000000 + 20000 - 1500000);
    // Nearly all of every 65,536 characters removed, from the back: what remains of each
    // piece is taken in by a neighbour.
    text.assign(QString(16 * 65536, u'x'));
    for (qsizetype block = 15; block >= 0; --block)
        text.replace(block * 65536 + 50, 65536 - 100, u"");
    EXPECT_EQ(text.size(), 16 * 100);
    EXPECT_TRUE(bounded()) << text.pieceCount();
}

// The halves of a surrogate pair that meet where two pieces meet end up in one piece, from
// either side.
TEST(PieceText, APairMetAtAPieceEdgeIsKeptWhole)
{
    const QChar high(0xD83D), low(0xDE00);
    for (const bool highFirst : {true, false}) {
        PieceText text;
        QString model(131072, u'a');  // two pieces of 65,536
        text.assign(model);
        ASSERT_EQ(text.pieceCount(), 2);
        const qsizetype first = highFirst ? 65535 : 65536;
        const qsizetype second = highFirst ? 65536 : 65535;
        text.replace(first, 1, QStringView(highFirst ? &high : &low, 1));
        text.replace(second, 1, QStringView(highFirst ? &low : &high, 1));
        model[65535] = high;
        model[65536] = low;
        const std::vector<QStringView> parts = text.parts();
        EXPECT_FALSE(partsPartAPair(parts)) << (highFirst ? "high first" : "low first");
        EXPECT_EQ(joined(parts), model);
    }
}

// The loaded text is never copied whole: a change copies only the piece it falls in, and a
// whole reading of an unchanged text hands out the loaded buffer itself.
TEST(PieceText, AChangeCopiesOnlyThePieceItFallsIn)
{
    const QString loaded(4000000, u'x');
    PieceText text;
    text.assign(loaded);
    EXPECT_EQ(text.text().constData(), loaded.constData());

    text.replace(3990000, 1, u"end");
    text.replace(5000, 1, u"start");
    text.replace(2000000, 0, u"middle");
    qsizetype stillLoaded = 0;
    for (const QStringView part : text.parts()) {
        if (part.data() >= loaded.constData() && part.data() < loaded.constData() + loaded.size())
            stillLoaded += part.size();
    }
    EXPECT_GE(stillLoaded, loaded.size() * 9 / 10);

    // Joined once, the text stays in one buffer until the next change.
    const QString whole = text.text();
    EXPECT_EQ(whole.size(), 4000000 + 2 + 4 + 6);
    EXPECT_EQ(text.text().constData(), whole.constData());
}

// A copy keeps the text it was made from whatever happens afterwards to its source, even
// when the source joins its pieces or lets go of every buffer the copy points into.
TEST(PieceText, ACopyKeepsItsTextThroughLaterChanges)
{
    PieceText text;
    text.assign(QStringLiteral("hello world"));
    text.replace(5, 1, u"_");
    const PieceText copy = text;
    const std::vector<QStringView> copyParts = copy.parts();
    text.replace(0, 0, u">");
    text.text();
    text.assign(QStringLiteral("other"));
    EXPECT_EQ(joined(copyParts), QStringLiteral("hello_world"));
}
