#include "document/logic/DocumentFormat.h"
#include "document/logic/SaveTexts.h"
#include "platform/logic/CodePage.h"

#include <gtest/gtest.h>


using namespace folio;

// UTF-8 when the file starts with the byte-order mark and is valid after it, or is valid
// throughout and holds a multi-byte sequence; Windows-1252, byte for byte, otherwise.
// The lines are split at CR LF or a lone CR; a lone LF is an ordinary character; each line
// comes after a CR LF, and a break at the very end starts no line.
TEST(DocumentFormat, EncodingDetectionAndReadingRuleTable)
{
    using docformat::Encoding;
    const Encoding w = Encoding::Windows1252, u = Encoding::Utf8, m = Encoding::Utf8WithMark;
    const QByteArray ascii40(40, 'a');
    const QString a40(40, u'a');
    const struct { QByteArray bytes; Encoding encoding; QString text; } rows[] = {
        {"", w, ""}, {"\r\n", w, "\r\n"}, {"\r", w, "\r\n"}, {"a", w, "\r\na"},
        {"a\r\nb\r\n", w, "\r\na\r\nb"}, {"a\rb\r", w, "\r\na\r\nb"}, {"a\nb\n", w, "\r\na\nb\n"},
        {"\n\r", w, "\r\n\n"}, {"\r\r\n", w, "\r\n\r\n"}, {"\r\n\r\n", w, "\r\n\r\n"},
        {"a\r\r\nb", w, "\r\na\r\n\r\nb"}, {"a\n\r\nb", w, "\r\na\n\r\nb"}, {"x\r\n\n", w, "\r\nx\r\n\n"},
        {QByteArray("a\0b\r\n", 5), w, QStringLiteral("\r\na") + QChar(u'\0') + "b"},
        {"plain <b>ASCII</b>\r\n", w, "\r\nplain <b>ASCII</b>"},
        {"\xEF\xBB\xBF", m, ""},
        {"\xEF\xBB\xBF" "ab\r\n", m, "\r\nab"},                              // the mark alone makes UTF-8
        {"\xEF\xBB\xBF\xEF\xBB\xBF", m, QStringLiteral("\r\n\uFEFF")},     // a second mark is text
        {"caf\xC3\xA9\r\n\xE2\x80\x9Cq\xE2\x80\x9D", u, QStringLiteral("\r\ncaf\u00E9\r\n\u201Cq\u201D")},
        {"\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF", u, QStringLiteral("\r\n\u0080\u07FF\u0800\uFFFF")},
        {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", u, QStringLiteral("\r\n\U00010000\U0010FFFF")},
        {ascii40 + "\xC3\xA9" + ascii40, u, "\r\n" + a40 + QStringLiteral("\u00E9") + a40},
        {"caf\xE9", w, QStringLiteral("\r\ncaf\u00E9")},                      // Windows-1252 text
        {ascii40 + "\x93q\x94", w, "\r\n" + a40 + QStringLiteral("\u201Cq\u201D")},
        {"\x81\x8D\x8F\x90\x9D", w, QStringLiteral("\r\n\u0081\u008D\u008F\u0090\u009D")},
        {"\xC0\xAF", w, QStringLiteral("\r\n\u00C0\u00AF")},                // overlong '/'
        {"\xC1\xBF", w, QStringLiteral("\r\n\u00C1\u00BF")},
        {"\xE0\x9F\xBF", w, QStringLiteral("\r\n\u00E0\u0178\u00BF")},     // overlong U+07FF
        {"\xF0\x8F\xBF\xBF", w, QStringLiteral("\r\n\u00F0\u008F\u00BF\u00BF")},
        {"\xED\xA0\x80\xED\xB0\x80", w, QStringLiteral("\r\n\u00ED\u00A0\u20AC\u00ED\u00B0\u20AC")},  // surrogates
        {"\xF4\x90\x80\x80", w, QStringLiteral("\r\n\u00F4\u0090\u20AC\u20AC")},  // past U+10FFFF
        {"\xF8\x88\x80\x80\x80", w, QStringLiteral("\r\n\u00F8\u02C6\u20AC\u20AC\u20AC")},
        {"\xC3", w, QStringLiteral("\r\n\u00C3")},                              // cut off at the end
        {"\xE2\x82\r\n", w, QStringLiteral("\r\n\u00E2\u201A")},            // ... or by a line end
        {"\xC3\r\xA9", w, QStringLiteral("\r\n\u00C3\r\n\u00A9")},
        {"\xA9", w, QStringLiteral("\r\n\u00A9")},                              // a continuation alone
        {"\xC3\xA9\r\n\xE9", w, QStringLiteral("\r\n\u00C3\u00A9\r\n\u00E9")},  // valid, then not
        {"\xC3\xA9 " + ascii40 + "\xE9", w, QStringLiteral("\r\n\u00C3\u00A9 ") + a40 + QStringLiteral("\u00E9")},
        {"\xEF\xBB\xBF\xE9", w, QStringLiteral("\r\n\u00EF\u00BB\u00BF\u00E9")},  // a mark before invalid bytes
    };
    for (const auto& row : rows) {
        const docformat::DecodedFile file = docformat::decodeFile(row.bytes);
        EXPECT_EQ(file.encoding, row.encoding) << "bytes: " << row.bytes.toHex(' ').constData();
        EXPECT_EQ(file.text, row.text) << "bytes: " << row.bytes.toHex(' ').constData();
    }
}

TEST(DocumentFormat, WritingInEachEncoding)
{
    using docformat::Encoding;
    const QString text = QStringLiteral("\r\n\u00E9\u20AC\u2713\U0001F600");
    const QString lone = QStringLiteral("a") + QChar(0xD800) + "b" + QChar(0xDC00);
    const struct { QStringView text; Encoding encoding; QByteArray bytes; } rows[] = {
        {text, Encoding::Utf8, "\r\n\xC3\xA9\xE2\x82\xAC\xE2\x9C\x93\xF0\x9F\x98\x80\r\n"},
        {text, Encoding::Utf8WithMark, "\xEF\xBB\xBF\r\n\xC3\xA9\xE2\x82\xAC\xE2\x9C\x93\xF0\x9F\x98\x80\r\n"},
        {text, Encoding::Windows1252, "\r\n\xE9\x80??\r\n"},
        {lone, Encoding::Utf8, "a?b?\r\n"},  // a half without its partner is never written as such
        {u"", Encoding::Utf8WithMark, "\xEF\xBB\xBF\r\n"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(docformat::fileBytesFromText(row.text, row.encoding), row.bytes) << int(row.encoding);

    const std::vector<QStringView> parts = {QStringView(lone), QStringView(text)};
    const Unrepresentable inUtf8 = docformat::findUnrepresentable(Encoding::Utf8, parts);
    EXPECT_EQ(inUtf8.count, 2);
    EXPECT_EQ(inUtf8.firstFew, (QStringList{QString(QChar(0xD800)), QString(QChar(0xDC00))}));
    const Unrepresentable inCp1252 = docformat::findUnrepresentable(Encoding::Windows1252, parts);
    EXPECT_EQ(inCp1252.count, 4);  // both halves, the check mark and the pair
    // Two lone halves listed one after the other are still two characters to the user.
    EXPECT_TRUE(document::unrepresentableQuestion(inCp1252.count, inCp1252.firstFew, "Windows-1252")
                    .contains(QStringLiteral("\r\n     U+D800, U+DC00, \u2713 (U+2713), \U0001F600 (U+1F600)\r\n")));
}

// Opened and saved at once, every byte but CR (0x81 and 0xA0 too) comes back as it was.
TEST(DocumentFormat, EveryByteValueComesBackFromOpenThenSave)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    QByteArray expected = all;
    expected.replace("\r", "\r\n");
    const docformat::DecodedFile file = docformat::decodeFile(all);
    EXPECT_EQ(file.encoding, docformat::Encoding::Windows1252);
    EXPECT_EQ(docformat::fileBytesFromText(file.text, file.encoding), "\r\n" + expected + "\r\n");
}
