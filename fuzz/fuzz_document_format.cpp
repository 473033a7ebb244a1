// Reading a document file into text and writing the text back.
//
// For any bytes B, the text B loads as, written back, must be exactly the bytes the reading
// rule gives: the lines of B (split at CR or CR LF; a lone LF belongs to its line; a line end
// at the very end does not start another line), each written as CR LF followed by the line,
// then one CR LF. The text itself must be those lines decoded from Windows-1252. Writing an
// arbitrary text must give its Windows-1252 bytes ('?' for what the code page cannot hold)
// followed by CR LF.
#include "document/logic/DocumentFormat.h"

#include "FuzzSupport.h"

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
    // The whole input is the file: libFuzzer's buffer is exactly sized, so reading past its
    // end is caught.
    const QByteArrayView file(reinterpret_cast<const char*>(data), qsizetype(size));

    QByteArray expectedRaw;  // the lines joined as the reading rule says, still as bytes
    for (const QByteArray& line : linesOf(file)) {
        expectedRaw += "\r\n";
        expectedRaw += line;
    }

    const QString text = folio::docformat::textFromFileBytes(file);
    FUZZ_CHECK(text == cp1252Decode(expectedRaw),
               QStringLiteral("file %1\n text %2\n want %3")
                   .arg(show(file), show(text), show(cp1252Decode(expectedRaw))));

    const QByteArray written = folio::docformat::fileBytesFromText(text);
    const QByteArray expectedWritten = expectedRaw + "\r\n";
    FUZZ_CHECK(written == expectedWritten,
               QStringLiteral("file %1\n wrote %2\n want %3")
                   .arg(show(file), show(written), show(expectedWritten)));

    // The same bytes read as UTF-16 units make an arbitrary text to write.
    std::vector<char16_t> units(size / 2);
    if (!units.empty())
        std::memcpy(units.data(), data, units.size() * 2);
    const ExactText arbitrary{std::move(units)};
    const QByteArray writtenArbitrary = folio::docformat::fileBytesFromText(arbitrary.view());
    const QByteArray wantArbitrary = cp1252Encode(arbitrary.view()) + "\r\n";
    FUZZ_CHECK(writtenArbitrary == wantArbitrary,
               QStringLiteral("text %1\n wrote %2\n want %3")
                   .arg(show(arbitrary.view()), show(writtenArbitrary), show(wantArbitrary)));
    return 0;
}
