#include "document/logic/DocumentFormat.h"
#include "platform/logic/CodePage.h"

#include <gtest/gtest.h>

#include <QList>
#include <QRandomGenerator>

using namespace folio;

namespace {

// The lines of a file, byte by byte, straight from the reading rule: a line ends at CR or
// CR LF, a lone LF stays in its line, a line end at the very end starts no new line.
QList<QByteArray> referenceLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    QByteArray current;
    bool open = false;  // a line has started and not yet ended
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r') {
            lines.append(current);
            current.clear();
            open = false;
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            current.append(c);
            open = true;
        }
    }
    if (open)
        lines.append(current);
    return lines;
}

// What opening then saving at once writes: CR LF, the lines joined by CR LF, CR LF.
QByteArray referenceOpenThenSave(const QByteArray& bytes)
{
    QByteArray out;
    const auto lines = referenceLines(bytes);
    for (const QByteArray& line : lines)
        out += "\r\n" + line;
    return out + "\r\n";
}

void expectOpenThenSaveLaw(const QByteArray& bytes, const char* what)
{
    const QString text = docformat::textFromFileBytes(bytes);
    EXPECT_EQ(docformat::fileBytesFromText(text), referenceOpenThenSave(bytes)) << what;
    EXPECT_EQ(docformat::fileBytesFromText(text), cp1252::encode(text) + "\r\n") << what;
}

}  // namespace

TEST(DocumentFormat, ReadingRuleTable)
{
    const struct { QByteArray bytes; QString text; } rows[] = {
        {QByteArray(), QString()},
        {"\r\n", "\r\n"},                        // one empty line
        {"\r", "\r\n"},                          // one empty line ended by a lone CR
        {"a", "\r\na"},                          // no line end at all
        {"a\r\nb\r\n", "\r\na\r\nb"},
        {"a\rb\r", "\r\na\r\nb"},                // CR alone ends lines too
        {"a\nb\n", "\r\na\nb\n"},                // LF alone is an ordinary character
        {"\n\r", "\r\n\n"},
        {"\r\r\n", "\r\n\r\n"},                  // two empty lines
        {"\r\n\r\n", "\r\n\r\n"},
        {"a\r\r\nb", "\r\na\r\n\r\nb"},
        {"a\n\r\nb", "\r\na\n\r\nb"},
        {"x\r\n\n", "\r\nx\r\n\n"},              // the last line is a lone LF
        {"\x80\xA0\x81\r\n", QStringLiteral("\r\n\u20AC\u00A0\u0081")},
        {QByteArray("a\0b\r\n", 5), QStringLiteral("\r\na") + QChar(u'\0') + "b"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(docformat::textFromFileBytes(row.bytes), row.text)
            << "bytes: " << row.bytes.toHex(' ').constData();
    }
}

TEST(DocumentFormat, OpenThenSaveLawOnTypicalFilesAndEveryByteValue)
{
    const struct { QByteArray bytes; const char* what; } files[] = {
        {QByteArray(), "empty file"},
        {"\r\n", "a single empty line"},
        {"one\r\ntwo\r\n", "CR LF"},
        {"one\rtwo\rthree\r", "CR only"},
        {"one\ntwo\nthree\n", "LF only"},
        {"a\r\nb\nc\rd\n\re\r\n\r\n", "mixed line ends"},
        {"first\r\nlast", "no final line end"},
        {QByteArray(100000, 'x') + "\r\n" + QByteArray(99999, '\xE9'), "long lines"},
    };
    for (const auto& f : files)
        expectOpenThenSaveLaw(f.bytes, f.what);

    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        const QByteArray one(1, static_cast<char>(b));
        expectOpenThenSaveLaw("<" + one + ">\r\n", ("byte in a line " + QByteArray::number(b)).constData());
        all.append(static_cast<char>(b));
    }
    // Apart from the line ends, every byte (0x81 and 0xA0 too) comes back as it was.
    QByteArray expected = all;
    expected.replace("\r", "\r\n");
    EXPECT_EQ(docformat::fileBytesFromText(docformat::textFromFileBytes(all)), "\r\n" + expected + "\r\n");
    EXPECT_EQ(docformat::fileBytesFromText(u"\u4E2D\U0001F600"), QByteArray("??\r\n"));
}

TEST(DocumentFormat, OpenThenSaveLawOnRandomFilesRichInLineEnds)
{
    QRandomGenerator rng(20240611);
    const char alphabet[] = {'\r', '\n', 'a', '\x81', '\xA0', '\x9F'};
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes;
        const int len = rng.bounded(12);
        for (int i = 0; i < len; ++i)
            bytes.append(alphabet[rng.bounded(int(sizeof alphabet))]);
        expectOpenThenSaveLaw(bytes, bytes.toHex(' ').constData());
    }
}
