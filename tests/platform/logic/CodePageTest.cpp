#include "platform/logic/CodePage.h"

#include <gtest/gtest.h>

using namespace folio;

TEST(CodePage, TheSpecialBytesAndCharactersOutsideTheCodePage)
{
    const struct { unsigned char byte; char16_t ch; } known[] = {
        {0x0D, 0x000D}, {0x7F, 0x007F}, {0x80, 0x20AC}, {0x8A, 0x0160}, {0x99, 0x2122}, {0x9F, 0x0178},
        {0xA0, 0x00A0}, {0xFF, 0x00FF}, {0x00, 0x0000},  // the five undefined bytes keep their value:
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
    EXPECT_EQ(found.firstFew, (QStringList{"\u0100", "\u4E2D", "\U0001F600", "\u0080"}));
    EXPECT_EQ(cp1252::encode(QStringView(u"x\xD800y")), QByteArray("x?y"));

    // Only the first five are listed, all are counted.
    QString many;
    for (int i = 0; i < 12; ++i)
        many += QStringLiteral("ok") + QChar(char16_t(0x0400 + i));
    EXPECT_EQ(cp1252::findUnrepresentable(many).count, 12);
    EXPECT_EQ(cp1252::findUnrepresentable(many).firstFew, (QStringList{"\u0400", "\u0401", "\u0402", "\u0403", "\u0404"}));
}

// The bulk paths take sixteen characters at a time: a character that is not its own byte
// value (a C1 control, a mapped one like the euro sign, one the code page lacks, a surrogate
// pair) must be found at every place of a block, in the tail and across blocks.
TEST(CodePage, OddCharactersAtEveryPlaceOfABlockConvertAndCountAsOneByOne)
{
    const struct { QString ch; char byte; } odd[] = {
        {QStringLiteral("\u20ac"), '\x80'}, {QStringLiteral("\u0081"), '\x81'}, {QStringLiteral("\u0085"), '?'},
        {QStringLiteral("\u4e2d"), '?'}, {QStringLiteral("\U0001F600"), '?'},
    };
    for (const auto& o : odd) {
        for (int at = 0; at < 40; ++at) {
            SCOPED_TRACE(at);
            const QString text = QString(at, QChar(u'a')) + o.ch + QString(37, QChar(u'\u00e9'));
            const QByteArray bytes = QByteArray(at, 'a') + o.byte + QByteArray(37, '\xE9');
            EXPECT_EQ(cp1252::encode(text), bytes);
            const cp1252::Unrepresentable found = cp1252::findUnrepresentable(text);
            EXPECT_EQ(found.count, o.byte == '?' ? 1 : 0);
            EXPECT_EQ(found.firstFew, o.byte == '?' ? QStringList{o.ch} : QStringList());
            if (o.byte != '?') {
                EXPECT_EQ(cp1252::decode(bytes), text);
            }
        }
    }
}
