#include "platform/logic/CodePage.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include <iterator>
#include <set>

using namespace folio;

namespace {

QByteArray allBytes()
{
    QByteArray bytes(256, Qt::Uninitialized);
    for (int b = 0; b < 256; ++b)
        bytes[b] = static_cast<char>(b);
    return bytes;
}

}  // namespace

TEST(CodePage, EveryByteDecodesToItsOwnCharacterAndEncodesBack)
{
    const QByteArray bytes = allBytes();
    const QString text = cp1252::decode(bytes);
    ASSERT_EQ(text.size(), 256);

    std::set<char16_t> seen;
    for (int b = 0; b < 256; ++b) {
        const QChar ch = text.at(b);
        EXPECT_EQ(ch, cp1252::toChar(static_cast<unsigned char>(b))) << "byte " << b;
        seen.insert(ch.unicode());
        const auto back = cp1252::toByte(ch);
        ASSERT_TRUE(back.has_value()) << "byte " << b;
        EXPECT_EQ(*back, b);
    }
    EXPECT_EQ(seen.size(), 256u) << "two bytes share one character";

    EXPECT_EQ(cp1252::encode(text), bytes);
    EXPECT_EQ(cp1252::findUnrepresentable(text).count, 0);
}

TEST(CodePage, KnownCharactersOfTheCodePage)
{
    const struct { unsigned char byte; char16_t ch; } known[] = {
        {0x00, 0x0000}, {0x09, 0x0009}, {0x0A, 0x000A}, {0x0D, 0x000D}, {'A', u'A'}, {0x7F, 0x007F},
        {0x80, 0x20AC},  // euro sign
        {0x82, 0x201A}, {0x83, 0x0192}, {0x85, 0x2026}, {0x8A, 0x0160}, {0x8C, 0x0152},
        {0x8E, 0x017D}, {0x91, 0x2018}, {0x92, 0x2019}, {0x93, 0x201C}, {0x94, 0x201D},
        {0x95, 0x2022}, {0x96, 0x2013}, {0x97, 0x2014}, {0x98, 0x02DC}, {0x99, 0x2122},
        {0x9A, 0x0161}, {0x9C, 0x0153}, {0x9E, 0x017E},
        {0x9F, 0x0178},  // Y with diaeresis
        {0xA0, 0x00A0},  // no-break space stays a no-break space
        {0xA9, 0x00A9}, {0xE9, 0x00E9}, {0xFF, 0x00FF},
        // The five bytes the code page leaves undefined keep their value.
        {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x9D, 0x009D},
    };
    for (const auto& k : known) {
        EXPECT_EQ(cp1252::toChar(k.byte).unicode(), k.ch) << "byte " << int(k.byte);
        EXPECT_EQ(cp1252::toByte(QChar(k.ch)), std::optional<unsigned char>(k.byte));
    }
    EXPECT_EQ(cp1252::encode(u"\u20ACx\u0178\u00A0"), QByteArray("\x80x\x9F\xA0"));
    EXPECT_TRUE(cp1252::decode(QByteArrayView()).isEmpty());
    EXPECT_TRUE(cp1252::encode(QStringView()).isEmpty());
}

TEST(CodePage, CharactersOutsideTheCodePageAreReplacedAndCounted)
{
    // C1 controls other than the five undefined bytes belong to no byte: 0x80 is the euro.
    for (char16_t c : {u'\u0080', u'\u0082', u'\u0099', u'\u009F'})
        EXPECT_FALSE(cp1252::toByte(QChar(c)).has_value()) << int(c);
    for (char16_t c : {u'\u0100', u'\u03A9', u'\u4E2D', u'\uFFFD', u'\u2017'})
        EXPECT_FALSE(cp1252::toByte(QChar(c)).has_value()) << int(c);

    // A surrogate pair is one character: one '?', counted once.
    const QString text = QStringLiteral("a\u0100b\u4E2D\U0001F600c\u0080d");
    EXPECT_EQ(cp1252::encode(text), QByteArray("a?b??c?d"));
    const auto found = cp1252::findUnrepresentable(text);
    EXPECT_EQ(found.count, 4);
    EXPECT_EQ(found.firstFew, QStringLiteral("\u0100\u4E2D\U0001F600\u0080"));

    // A lone surrogate cannot be written either.
    EXPECT_EQ(cp1252::encode(QStringView(u"x\xD800y")), QByteArray("x?y"));
}

TEST(CodePage, UnrepresentableListsOnlyTheFirstFiveButCountsAll)
{
    QString text;
    for (int i = 0; i < 12; ++i)
        text += QStringLiteral("ok") + QChar(char16_t(0x0400 + i));
    const auto found = cp1252::findUnrepresentable(text);
    EXPECT_EQ(found.count, 12);
    EXPECT_EQ(found.firstFew, QStringLiteral("\u0400\u0401\u0402\u0403\u0404"));

    const auto none = cp1252::findUnrepresentable(u"plain \u20AC text");
    EXPECT_EQ(none.count, 0);
    EXPECT_TRUE(none.firstFew.isEmpty());
}

TEST(CodePage, BulkConversionAgreesWithCharacterByCharacter)
{
    // Long runs of plain characters with the odd special one: the bulk paths must hand over
    // to the careful ones at any offset, surrogate pairs across block edges included.
    QRandomGenerator rng(1252);
    const char16_t specials[] = {0x20AC, 0x0081, 0x0080, 0x009F, 0x00FF, 0x0100, 0x4E2D, 0xD83D};
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes;
        QString text;
        const int length = rng.bounded(70);
        for (int i = 0; i < length; ++i) {
            const bool plain = rng.bounded(6) != 0;
            bytes.append(static_cast<char>(plain ? 0x20 + rng.bounded(0x5F) : rng.bounded(256)));
            if (plain) {
                text.append(QChar(char16_t(rng.bounded(2) ? 'a' + rng.bounded(26) : 0xA0 + rng.bounded(0x60))));
            } else {
                const char16_t s = specials[rng.bounded(int(std::size(specials)))];
                text.append(QChar(s));
                if (s == 0xD83D)
                    text.append(QChar(char16_t(0xDE00)));  // completes the pair
            }
        }

        QString decodedOneByOne;
        for (char b : bytes)
            decodedOneByOne.append(cp1252::toChar(static_cast<unsigned char>(b)));
        ASSERT_EQ(cp1252::decode(bytes), decodedOneByOne) << bytes.toHex().constData();

        QByteArray encodedOneByOne;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const auto b = cp1252::toByte(text[i]);
            encodedOneByOne.append(b ? static_cast<char>(*b) : '?');
            if (!b && text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
        }
        ASSERT_EQ(cp1252::encode(text), encodedOneByOne) << text.toUtf8().toHex().constData();
    }
}
