// Reading any file and writing its text straight back, in both encodings.
//
// Whatever the bytes, the file is read without harm, and the text it gives, written back in
// the encoding it was read in, reads again as the same text behind one more empty first line
// (the reading rule puts CR LF before every line), in the same encoding: so the detection
// decides the same way on a file this program wrote, and neither encoding loses or changes a
// character on the way out and back. A text read from a file is written whole, so nothing
// in it counts as a character its encoding cannot hold.
//
// The bytes judged piece by piece, as a file appended to is, give the encoding they read in.
// The same bytes taken as UTF-16 units, made ready for Windows-1252, mean the same text
// (the same NFC form), and what that loses is what is counted.
#include "document/logic/DocumentFormat.h"
#include "document/logic/EncodableText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace folio::docformat;

namespace {

// A failed check aborts, which libFuzzer reports as a crash, keeping the input.
void check(bool ok, const char* what)
{
    if (ok)
        return;
    std::fprintf(stderr, "check failed: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView file(reinterpret_cast<const char*>(data), qsizetype(size));
    const DecodedFile read = decodeFile(file);
    const QStringView parts[] = {read.text};
    check(findUnrepresentable(read.encoding, parts).count == 0, "the text read holds a character its encoding cannot");
    const DecodedFile again = decodeFile(fileBytesFromText(read.text, read.encoding));
    check(again.encoding == read.encoding, "written back, the file reads in another encoding");
    check(again.text == QStringLiteral("\r\n") + read.text, "written back, the file reads as another text");

    EncodingEvidence evidence;
    for (qsizetype at = 0; at < file.size(); at += 7)
        evidence.add(file.sliced(at, std::min<qsizetype>(7, file.size() - at)));
    check(evidence.finish().value_or(Encoding::Windows1252) == read.encoding, "piece by piece, another encoding");

    const QStringView units(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2));
    const EncodableText ready(Encoding::Windows1252, std::span<const QStringView>(&units, 1));
    QString written;
    for (const QStringView part : ready.parts())
        written += part;
    check(written.normalized(QString::NormalizationForm_C) == units.toString().normalized(QString::NormalizationForm_C),
          "made ready, the text means another");
    const QStringView whole[] = {written};
    check(findUnrepresentable(Encoding::Windows1252, whole).count == ready.lost().count, "the lost miscounted");
    return 0;
}
