// File names that are not UTF-8 keep every byte on their way through the program.
#include "platform/logic/NativeFileName.h"

#include <gtest/gtest.h>

using namespace folio;

namespace {
QString chars(const std::u16string& units) { return QString::fromStdU16String(units); }
}  // namespace

// Each row: the bytes of a name, the text the program keeps, and what the user reads. Valid
// UTF-8 is itself; every other byte is one character of its own, also the bytes of a UTF-8
// surrogate, an overlong form, a code point beyond U+10FFFF and a sequence cut short, so that
// no two names ever meet.
TEST(NativeFileName, EveryByteStringComesBackExactlyAndShowsItsStrayBytes)
{
    const struct { QByteArray bytes; QString kept; QString shown; } rows[] = {
        {"caf\xE9.txt", chars({'c', 'a', 'f', 0xDCE9, '.', 't', 'x', 't'}), "caf\\xE9.txt"},
        {"caf\xC3\xA9", chars({'c', 'a', 'f', 0xE9}), chars({'c', 'a', 'f', 0xE9})},
        {"caf\xEF\xBF\xBD", chars({'c', 'a', 'f', 0xFFFD}), chars({'c', 'a', 'f', 0xFFFD})},
        {"\xED\xB3\xA9", chars({0xDCED, 0xDCB3, 0xDCA9}), "\\xED\\xB3\\xA9"},
        {"\xC0\xAF\xF4\x90\x80\x80", chars({0xDCC0, 0xDCAF, 0xDCF4, 0xDC90, 0xDC80, 0xDC80}),
         "\\xC0\\xAF\\xF4\\x90\\x80\\x80"},
        {"\xF0\x9F\x98\x80\x80", chars({0xD83D, 0xDE00, 0xDC80}), chars({0xD83D, 0xDE00}) + "\\x80"},
        {"a\xE2\x82", chars({'a', 0xDCE2, 0xDC82}), "a\\xE2\\x82"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.bytes.toHex().toStdString());
        EXPECT_EQ(fileNameFromNative(row.bytes), row.kept);
        EXPECT_EQ(nativeFileName(row.kept), row.bytes);
        EXPECT_EQ(displayFileName(row.kept), row.shown);
    }

}
