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
            ASSERT_EQ(text.pieceCount(), model.isEmpty() ? 0 : 1);
        }
    }
}

// A pair whose halves come together between two long pieces is kept whole without copying
// either of them.
TEST(PieceText, APairMetBetweenLongPiecesIsKeptWhole)
{
    const QString high = QString(10000, u'a') + QChar(0xD83D);
    const QString low = QChar(0xDE00) + QString(10000, u'b');
    PieceText text;
    text.assign(high + u'-' + low);
    text.replace(high.size(), 1, u"");
    const std::vector<QStringView> parts = text.parts();
    EXPECT_FALSE(partsPartAPair(parts));
    EXPECT_EQ(joined(parts), high + low);
    EXPECT_EQ(text.pieceCount(), 3);
}

// The loaded text is never copied: a change far from the last one only cuts the shared text,
// so its cost does not depend on the length of the text. A whole reading without a change
// hands out the same buffer.
TEST(PieceText, ChangesCutTheLoadedTextWithoutCopyingIt)
{
    const QString loaded(1000000, u'x');
    PieceText text;
    text.assign(loaded);
    EXPECT_EQ(text.text().constData(), loaded.constData());

    text.replace(990000, 1, u"end");
    text.replace(5000, 1, u"start");
    text.replace(500000, 0, u"middle");
    const std::vector<QStringView> parts = text.parts();
    ASSERT_EQ(parts.size(), 7u);
    EXPECT_EQ(parts[0].data(), loaded.constData());
    EXPECT_EQ(parts[2].data(), loaded.constData() + 5001);
    EXPECT_EQ(parts[6].data(), loaded.constData() + 990001);

    // Joined once, the text stays one piece until the next change.
    const QString whole = text.text();
    EXPECT_EQ(whole.size(), 1000000 + 2 + 4 + 6);
    EXPECT_EQ(text.text().constData(), whole.constData());
}

// Typing character by character, and line by line, in the middle of a long text leaves a
// handful of pieces, not one per change.
TEST(PieceText, TypingInOnePlaceLeavesFewPieces)
{
    PieceText text;
    text.assign(QString(1000000, u'x'));
    qsizetype at = 400000;
    for (int i = 0; i < 10000; ++i)
        text.replace(at++, 0, u"k");
    EXPECT_LE(text.pieceCount(), 10);
    for (int line = 0; line < 1000; ++line) {
        text.replace(at, 0, u"<p>a typed line</p>\r\n");
        at += 21;
    }
    EXPECT_LE(text.pieceCount(), 20);
    EXPECT_EQ(text.size(), 1000000 + 10000 + 21000);
}

// A copy keeps the text it was made from whatever happens to the original afterwards, even
// when the original joins its pieces or lets go of every buffer the copy points into.
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
