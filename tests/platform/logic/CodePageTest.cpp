#include "platform/logic/CodePage.h"

#include <gtest/gtest.h>

using namespace folio;

// The bytes whose character is not their own value, both ways; the whole table, the bulk
// conversions and the lost characters are checked against a table written out in the
// document format's tests.
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
    for (char16_t c : {u'\u0080', u'\u009F', u'\u0100', u'\u4E2D', u'\uFFFD', char16_t(0xD800)})
        EXPECT_FALSE(cp1252::toByte(QChar(c)).has_value()) << int(c);
}
