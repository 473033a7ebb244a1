// Reading any file and writing its text straight back, in both encodings.
//
// Whatever the bytes, the file is read without harm, and the text it gives, written back in
// the encoding it was read in, reads again as the same text behind one more empty first line
// (the reading rule puts CR LF before every line), in the same encoding: so the detection
// decides the same way on a file this program wrote, and neither encoding loses or changes a
// character on the way out and back. A text read from a file is written whole, so nothing
// in it counts as a character its encoding cannot hold.
#include "document/logic/DocumentFormat.h"

#include "FuzzSupport.h"

using namespace fuzzsupport;
using namespace folio::docformat;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView file(reinterpret_cast<const char*>(data), qsizetype(size));
    const DecodedFile read = decodeFile(file);
    const QStringView parts[] = {read.text};
    FUZZ_CHECK(findUnrepresentable(read.encoding, parts).count == 0, show(read.text));
    const QByteArray written = fileBytesFromText(read.text, read.encoding);
    const DecodedFile again = decodeFile(written);
    FUZZ_CHECK(again.encoding == read.encoding, show(read.text));
    FUZZ_CHECK(again.text == QStringLiteral("\r\n") + read.text, show(read.text) + show(again.text));
    return 0;
}
