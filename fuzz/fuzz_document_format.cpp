// Reading a document file into text and writing the text back.
//
// The encoding: a file that starts with the UTF-8 byte-order mark and is valid UTF-8 after
// it, or is valid UTF-8 throughout with at least one byte above 0x7F, is UTF-8 (validity
// decided by Qt's own decoder); every other file is Windows-1252.
//
// For any bytes B (without the mark, when the file has one), the text B loads as, written
// back, must be exactly the bytes the reading rule gives: the lines of B (split at CR or
// CR LF; a lone LF belongs to its line; a line end at the very end does not start another
// line), each written as CR LF followed by the line, then one CR LF, the mark in front when
// the file had it. The text itself must be those lines decoded in the file's encoding.
// Writing an arbitrary text must give its bytes in each encoding ('?' for what the encoding
// cannot hold) followed by CR LF, and the characters the encoding cannot hold must be exactly
// those written as '?'.
#include "document/logic/DocumentFormat.h"

#include "FuzzSupport.h"

#include <QStringDecoder>

#include <algorithm>
#include <vector>

using namespace fuzzsupport;

namespace {

std::vector<QByteArray> linesOf(QByteArrayView bytes)
{
    std::vector<QByteArray> lines;
    QByteArray current;
    bool openLine = false;  // something has been read since the last line end
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char b = bytes[i];
        if (b == '\r') {
            lines.push_back(current);
            current.clear();
            openLine = false;
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            current += b;
            openLine = true;
        }
    }
    if (openLine)
        lines.push_back(current);
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using folio::docformat::Encoding;
    // The whole input is the file: libFuzzer's buffer is exactly sized, so reading past its
    // end is caught.
    const QByteArrayView file(reinterpret_cast<const char*>(data), qsizetype(size));

    const QByteArrayView mark("\xEF\xBB\xBF");
    const bool marked = file.startsWith(mark);
    const QByteArrayView afterMark = marked ? file.sliced(mark.size()) : file;
    QStringDecoder strict(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const bool valid = [&] {
        const QString decodedByQt = strict.decode(afterMark);
        return !strict.hasError();
    }();
    const bool beyondAscii = std::any_of(afterMark.begin(), afterMark.end(), [](char b) { return b & 0x80; });
    const Encoding want = valid && marked ? Encoding::Utf8WithMark
                          : valid && beyondAscii ? Encoding::Utf8
                                                 : Encoding::Windows1252;
    const QByteArrayView body = want == Encoding::Utf8WithMark ? afterMark : file;

    QByteArray expectedRaw;  // the lines joined as the reading rule says, still as bytes
    for (const QByteArray& line : linesOf(body)) {
        expectedRaw += "\r\n";
        expectedRaw += line;
    }
    const QString expectedText =
        want == Encoding::Windows1252 ? cp1252Decode(expectedRaw) : QString::fromUtf8(expectedRaw);

    const folio::docformat::DecodedFile decoded = folio::docformat::decodeFile(file);
    FUZZ_CHECK(decoded.encoding == want,
               QStringLiteral("file %1\n encoding %2, want %3").arg(show(file)).arg(int(decoded.encoding)).arg(int(want)));
    FUZZ_CHECK(decoded.text == expectedText,
               QStringLiteral("file %1\n text %2\n want %3").arg(show(file), show(decoded.text), show(expectedText)));

    const QByteArray written = folio::docformat::fileBytesFromText(decoded.text, decoded.encoding);
    const QByteArray expectedWritten = (want == Encoding::Utf8WithMark ? mark.toByteArray() : QByteArray()) +
                                       expectedRaw + "\r\n";
    FUZZ_CHECK(written == expectedWritten,
               QStringLiteral("file %1\n wrote %2\n want %3")
                   .arg(show(file), show(written), show(expectedWritten)));

    // The same bytes read as UTF-16 units make an arbitrary text to write.
    std::vector<char16_t> units(size / 2);
    if (!units.empty())
        std::memcpy(units.data(), data, units.size() * 2);
    const ExactText arbitrary{std::move(units)};
    const QStringView parts[] = {arbitrary.view()};
    for (const Encoding encoding : {Encoding::Windows1252, Encoding::Utf8, Encoding::Utf8WithMark}) {
        qsizetype replaced = 0;
        const QByteArray wantArbitrary =
            (encoding == Encoding::Utf8WithMark ? mark.toByteArray() : QByteArray()) +
            (encoding == Encoding::Windows1252 ? cp1252Encode(arbitrary.view(), &replaced)
                                               : utf8Encode(arbitrary.view(), &replaced)) +
            "\r\n";
        const QByteArray writtenArbitrary = folio::docformat::fileBytesFromText(arbitrary.view(), encoding);
        FUZZ_CHECK(writtenArbitrary == wantArbitrary,
                   QStringLiteral("encoding %1, text %2\n wrote %3\n want %4")
                       .arg(int(encoding))
                       .arg(show(arbitrary.view()), show(writtenArbitrary), show(wantArbitrary)));
        const qsizetype lost = folio::docformat::findUnrepresentable(encoding, parts).count;
        FUZZ_CHECK(lost == replaced, QStringLiteral("encoding %1, text %2\n %3 unrepresentable, %4 replaced")
                                          .arg(int(encoding))
                                          .arg(show(arbitrary.view()))
                                          .arg(lost)
                                          .arg(replaced));
    }
    return 0;
}
