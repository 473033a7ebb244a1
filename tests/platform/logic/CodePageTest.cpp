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

TEST(CodePage, TheSpecialBytesAndCharactersOutsideTheCodePage)
{
    const struct { unsigned char byte; char16_t ch; } known[] = {
        {0x0D, 0x000D}, {0x7F, 0x007F}, {0x80, 0x20AC}, {0x8A, 0x0160}, {0x99, 0x2122}, {0x9F, 0x0178},
        {0xA0, 0x00A0}, {0xFF, 0x00FF},
        // The five bytes the code page leaves undefined keep their value.
        {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x9D, 0x009D},
    };
    for (const auto& k : known) {
        EXPECT_EQ(cp1252::toChar(k.byte).unicode(), k.ch) << "byte " << int(k.byte);
        EXPECT_EQ(cp1252::toByte(QChar(k.ch)), std::optional<unsigned char>(k.byte));
    }
    // C1 controls other than the five undefined bytes belong to no byte.
    for (char16_t c : {u'\u0080', u'\u009F', u'\u0100', u'\u4E2D', u'\uFFFD'})
        EXPECT_FALSE(cp1252::toByte(QChar(c)).has_value()) << int(c);

    // A surrogate pair is one character: one '?', counted once; a lone surrogate is one too.
    const QString text = QStringLiteral("a\u0100b\u4E2D\U0001F600c\u0080d");
    EXPECT_EQ(cp1252::encode(text), QByteArray("a?b??c?d"));
    const auto found = cp1252::findUnrepresentable(text);
    EXPECT_EQ(found.count, 4);
    EXPECT_EQ(found.firstFew, QStringLiteral("\u0100\u4E2D\U0001F600\u0080"));
    EXPECT_EQ(cp1252::encode(QStringView(u"x\xD800y")), QByteArray("x?y"));

    // Only the first five are listed, all are counted.
    QString many;
    for (int i = 0; i < 12; ++i)
        many += QStringLiteral("ok") + QChar(char16_t(0x0400 + i));
    EXPECT_EQ(cp1252::findUnrepresentable(many).count, 12);
    EXPECT_EQ(cp1252::findUnrepresentable(many).firstFew, QStringLiteral("\u0400\u0401\u0402\u0403\u0404"));
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
