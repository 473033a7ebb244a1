#include "document/logic/DocumentFormat.h"
#include "document/logic/EncodableText.h"
#include "document/logic/SaveTexts.h"
#include "platform/logic/CodePage.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <optional>

using namespace folio;
using docformat::Encoding;

// The rows the random model below is least likely to draw: a second byte-order mark, the
// edges of each length of UTF-8 and overlong forms.
TEST(DocumentFormat, EncodingDetectionAndReadingRuleTable)
{
    const Encoding w = Encoding::Windows1252, u = Encoding::Utf8, m = Encoding::Utf8WithMark;
    const struct { QByteArray bytes; Encoding encoding; QString text; } rows[] = {
        {"\xEF\xBB\xBF", m, ""}, {"\xEF\xBB\xBF\xEF\xBB\xBF", m, QStringLiteral("\r\n\uFEFF")},  // a second mark is text
        {"\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF", u, QStringLiteral("\r\n\u0080\u07FF\u0800\uFFFF")},
        {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", u, QStringLiteral("\r\n\U00010000\U0010FFFF")},
        {"\xC1\xBF", w, QStringLiteral("\r\n\u00C1\u00BF")},                // overlong
        {"\xE0\x9F\xBF", w, QStringLiteral("\r\n\u00E0\u0178\u00BF")},
        {"\xF0\x8F\xBF\xBF", w, QStringLiteral("\r\n\u00F0\u008F\u00BF\u00BF")},
    };
    for (const auto& row : rows) {
        const docformat::DecodedFile file = docformat::decodeFile(row.bytes);
        EXPECT_EQ(file.encoding, row.encoding) << "bytes: " << row.bytes.toHex(' ').constData();
        EXPECT_EQ(file.text, row.text) << "bytes: " << row.bytes.toHex(' ').constData();
    }
}

// Each different character once, with how often it occurs: a combining mark on a dotted
// circle, a lone half by its number; the words fit a file or a document without one.
TEST(DocumentFormat, TheQuestionListsEachLostCharacterOnceWithItsCount)
{
    const docformat::LostCharacters lost{200004, {{0x105, 200000}, {0x301, 1}, {0xD800, 2}, {0x1F600, 1}}, true};
    EXPECT_EQ(document::unrepresentableQuestion(lost, "Windows-1252", document::CharacterSetOf::File),
              QStringLiteral("This text holds 200004 characters that cannot be written in this file's character set "
                             "(Windows-1252):\r\n\r\n     \u0105 (U+0105): 200000 times\r\n     \u25CC\u0301 (U+0301): "
                             "1 time\r\n     U+D800: 2 times\r\n     \U0001F600 (U+1F600): 1 time\r\n     and other "
                             "characters\r\n\r\nEach of them would be saved as a question mark (?).\r\nClick Yes to "
                             "save anyway, or No to leave the file as it is."));
    EXPECT_EQ(document::unrepresentableQuestion({1, {{0x2713, 1}}, false}, "UTF-8", document::CharacterSetOf::Document),
              QStringLiteral("This text holds 1 character that cannot be written in this document's character set "
                             "(UTF-8):\r\n\r\n     \u2713 (U+2713): 1 time\r\n\r\nEach of them would be saved as a "
                             "question mark (?).\r\nClick Yes to save anyway, or No to go back to the document without "
                             "saving it."));
}

// Composed where that loses less (across parts and blocks too), everything else as it stands;
// what is still lost is counted per character.
TEST(DocumentFormat, EncodableTextComposesOnlyWhatWouldBeLost)
{
    const Encoding w = Encoding::Windows1252, u = Encoding::Utf8;
    const QString a4095(4095, u'a');
    const struct { Encoding encoding; QStringList parts; QString written; docformat::LostCharacters lost; } rows[] = {
        {w, {"cafe", "\u0301!", "e\u0301"}, "caf\u00E9!\u00E9", {}},
        {w, {a4095 + "e\u0301"}, a4095 + "\u00E9", {}},  // a block ends between the two
        {w, {"\u212B e\u0301\u0302 \u00E9"}, "\u00C5 \u00E9\u0302 \u00E9", {1, {{0x302, 1}}, false}},
        {w, {"a\u0328 \u0301x \u0105\u0105\U0001F600"}, "a\u0328 \u0301x \u0105\u0105\U0001F600",
         {5, {{0x328, 1}, {0x301, 1}, {0x105, 2}, {0x1F600, 1}}, false}},
        {w, {"\u0100\u0101\u0102\u0103\u0104\u0105\u0100"}, "\u0100\u0101\u0102\u0103\u0104\u0105\u0100",
         {7, {{0x100, 2}, {0x101, 1}, {0x102, 1}, {0x103, 1}, {0x104, 1}}, true}},
        {u, {QStringLiteral("e\u0301\xD800"), QStringLiteral("x\xDC00")}, QStringLiteral("e\u0301\xD800x\xDC00"),
         {2, {{0xD800, 1}, {0xDC00, 1}}, false}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.written.toStdString());
        std::vector<QStringView> parts(row.parts.begin(), row.parts.end());
        const docformat::EncodableText text(row.encoding, parts);
        QString written;
        for (const QStringView part : text.parts())
            written += part;
        EXPECT_EQ(written, row.written);
        EXPECT_EQ(std::tuple(text.lost().count, text.lost().firstFew, text.lost().moreKinds),
                  std::tuple(row.lost.count, row.lost.firstFew, row.lost.moreKinds));
    }
}

namespace {

// Windows-1252 written out here: the bytes 0x80-0x9F; every other byte is its own character,
// and so are the five bytes the code page leaves undefined.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D,
    0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A,
    0x0153, 0x009D, 0x017E, 0x0178};
char16_t cp1252Char(uchar b) { return b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b); }
int cp1252Byte(char16_t c)
{
    for (int b = 0; b < 256; ++b)
        if (cp1252Char(uchar(b)) == c)
            return b;
    return -1;
}

// UTF-8 by the book: each character in the shortest form of its scalar value; bytes that
// are not that (overlong, a surrogate half, past U+10FFFF, cut off) make it nothing.
std::optional<QString> utf8Decoded(QByteArrayView bytes)
{
    QString out;
    for (qsizetype i = 0; i < bytes.size();) {
        const uchar b = uchar(bytes[i]);
        const int length = b < 0x80 ? 1 : b >= 0xC0 && b < 0xE0 ? 2 : b >= 0xE0 && b < 0xF0 ? 3 : b >= 0xF0 && b < 0xF8 ? 4 : 0;
        if (length == 0 || i + length > bytes.size())
            return std::nullopt;
        char32_t c = length == 1 ? b : b & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            if ((uchar(bytes[i + k]) & 0xC0) != 0x80)
                return std::nullopt;
            c = c << 6 | (uchar(bytes[i + k]) & 0x3F);
        }
        const char32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < shortest[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))
            return std::nullopt;
        out += QString::fromUcs4(&c, 1);
        i += length;
    }
    return out;
}

QByteArray utf8Encoded(char32_t c)
{
    const int length = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    QByteArray out(length, '\0');
    for (int k = length - 1; k > 0; --k, c >>= 6)
        out[k] = char(0x80 | (c & 0x3F));
    out[0] = char(length == 1 ? c : (0xF00 >> length) | c);
    return out;
}

// The bytes of a text by the book, with '?' for each character (a surrogate pair is one)
// the encoding cannot hold, and those characters.
QByteArray encodeByTheBook(QStringView text, bool utf8, QStringList& lost)
{
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair = i + 1 < text.size() && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate();
        const QString one = text.sliced(i, pair ? 2 : 1).toString();
        const int byte = utf8 || pair ? -1 : cp1252Byte(one[0].unicode());
        if (utf8 ? !pair && one[0].isSurrogate() : byte < 0) {
            out += '?';
            lost << one;
        } else {
            out += utf8 ? utf8Encoded(pair ? QChar::surrogateToUcs4(one[0], one[1]) : one[0].unicode()) : QByteArray(1, char(byte));
        }
        i += pair;
    }
    return out;
}

}  // namespace

// Random files, mostly of the bytes that matter, read against a model: UTF-8 with the mark
// when valid after it, UTF-8 when valid throughout with a byte above 0x7F (validity by the
// book), Windows-1252 otherwise; the lines split at CR or CR LF, each after a CR LF; and
// saved at once they come back with one CR LF more. Random texts are written in each
// encoding as the book says, and exactly the characters written as '?' are reported.
TEST(DocumentFormat, ReadingAndWritingAgreeWithAModelOnRandomFiles)
{
    const QByteArray mark("\xEF\xBB\xBF");
    const uchar palette[] = {'a', ' ', '\r', '\r', '\n', 0xEF, 0xBB, 0xBF, 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xF0, 0x9F,
                             0x98, 0x80, 0x81, 0x9D, 0xFF, 0xED, 0xA0, 0xC0, 0xF4, 0x90, 0x00};
    const char16_t units[] = {u'a', u'\r', u'\n', 0x00E9, 0x20AC, 0x0081, 0x0080, 0x009F, 0x0178, 0x2713, 0x4E2D,
                              0xD83D, 0xDE00, 0xD83D, 0xDE00, 0xDBFF, 0xFFFF};
    QRandomGenerator rng(18);
    for (int round = 0; round < 20000; ++round) {
        QByteArray file = rng.bounded(4) == 0 ? mark : QByteArray();
        for (int n = rng.bounded(round % 20 == 0 ? 300 : 24); n > 0; --n) {
            file += char(rng.bounded(4) == 0 ? rng.bounded(256) : palette[rng.bounded(int(std::size(palette)))]);
            if (rng.bounded(16) == 0)  // runs of ASCII longer than a block read at once
                file += QByteArray(rng.bounded(40), 'a');
        }
        SCOPED_TRACE(file.toHex(' ').toStdString());
        const bool marked = file.startsWith(mark);
        const QByteArrayView afterMark = QByteArrayView(file).sliced(marked ? 3 : 0);
        const bool valid = utf8Decoded(afterMark).has_value();
        const bool beyondAscii = std::any_of(afterMark.begin(), afterMark.end(), [](char b) { return b & 0x80; });
        const Encoding want = valid && marked ? Encoding::Utf8WithMark : valid && beyondAscii ? Encoding::Utf8 : Encoding::Windows1252;
        const QByteArrayView body = want == Encoding::Utf8WithMark ? afterMark : QByteArrayView(file);
        // Each line after a CR LF, still as bytes; a line end at the very end starts no line.
        QByteArray lines = body.toByteArray().replace("\r\n", "\r");
        if (lines.endsWith('\r'))
            lines.chop(1);
        lines = body.isEmpty() ? QByteArray() : "\r\n" + lines.replace('\r', "\r\n");
        QString text;
        for (const char b : lines)
            text += QChar(cp1252Char(uchar(b)));
        const docformat::DecodedFile decoded = docformat::decodeFile(file);
        ASSERT_EQ(decoded.encoding, want);
        // The same judged piece by piece, as an append target is: nothing where ASCII or nothing.
        docformat::EncodingEvidence evidence;
        for (qsizetype at = 0, piece = 1; at < file.size(); at += piece, piece = 1 + rng.bounded(5))
            evidence.add(QByteArrayView(file).sliced(at, std::min(piece, file.size() - at)));
        ASSERT_EQ(evidence.finish(), valid && !marked && !beyondAscii ? std::nullopt : std::optional(want));
        ASSERT_EQ(decoded.text, want == Encoding::Windows1252 ? text : *utf8Decoded(lines));
        ASSERT_EQ(docformat::fileBytesFromText(decoded.text, want), (marked && want != Encoding::Windows1252 ? mark : "") + lines + "\r\n");

        text.clear();
        for (int n = rng.bounded(round % 20 == 0 ? 300 : 24); n > 0; --n)
            text += QChar(rng.bounded(8) == 0   ? char16_t(rng.bounded(0x10000))
                          : rng.bounded(8) == 0 ? kHigh[rng.bounded(32)]
                                                : units[rng.bounded(int(std::size(units)))]);
        qsizetype cut = text.size() / 2;  // never inside a pair, as the text box hands parts over
        cut += cut > 0 && cut < text.size() && text[cut - 1].isHighSurrogate() && text[cut].isLowSurrogate();
        const std::vector<QStringView> parts{QStringView(text).first(cut), QStringView(text).sliced(cut)};
        for (const Encoding e : {Encoding::Windows1252, Encoding::Utf8, Encoding::Utf8WithMark}) {
            QStringList lost;
            const QByteArray bytes = encodeByTheBook(text, e != Encoding::Windows1252, lost);
            ASSERT_EQ(docformat::fileBytesFromText(text, e), (e == Encoding::Utf8WithMark ? mark : "") + bytes + "\r\n") << int(e);
            const Unrepresentable found = docformat::findUnrepresentable(e, parts);
            ASSERT_EQ(found.count, lost.size()) << int(e);
            ASSERT_EQ(found.firstFew, lost.mid(0, 5)) << int(e);
        }
    }
}
