// Reading a document file into text and writing the text back.
//
// A file that starts with the UTF-8 byte-order mark and is valid UTF-8 after it, or is valid
// UTF-8 throughout with a byte above 0x7F, is UTF-8 (validity decided by Qt's decoder); any
// other file is Windows-1252. The text is the file's lines (split at CR or CR LF; a lone LF
// belongs to its line; a break at the very end starts no line), each preceded by CR LF, in
// the file's encoding; writing it back gives those bytes, one CR LF more and the mark when
// the file had one. Writing any text gives its bytes in each encoding with '?' for what the
// encoding cannot hold, and exactly those characters are reported as unrepresentable.
// Underneath, the code page converts both ways into exactly sized buffers (a write past their
// room is caught) and lists the first five characters it cannot hold, in text order.
#include "document/logic/DocumentFormat.h"
#include "platform/logic/CodePage.h"

#include "FuzzSupport.h"

#include <QStringDecoder>

#include <algorithm>

using namespace fuzzsupport;
using folio::docformat::Encoding;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView file(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray mark("\xEF\xBB\xBF");
    const bool marked = file.startsWith(mark);
    const QByteArrayView afterMark = marked ? file.sliced(mark.size()) : file;
    QStringDecoder strict(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString decodedByQt = strict.decode(afterMark);  // decodes only when converted
    const bool valid = !strict.hasError();
    const bool beyondAscii = std::any_of(afterMark.begin(), afterMark.end(), [](char b) { return b & 0x80; });
    const Encoding want = valid && marked ? Encoding::Utf8WithMark
                          : valid && beyondAscii ? Encoding::Utf8 : Encoding::Windows1252;
    const QByteArrayView body = want == Encoding::Utf8WithMark ? afterMark : file;

    QByteArray raw;  // the lines, each after CR LF, still as bytes
    bool open = false;
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (!open)
            raw += "\r\n";
        open = body[i] != '\r';
        if (open)
            raw += body[i];
        else if (i + 1 < body.size() && body[i + 1] == '\n')
            ++i;
    }
    const auto decoded = folio::docformat::decodeFile(file);
    FUZZ_CHECK(decoded.encoding == want, show(file));
    FUZZ_CHECK(decoded.text == (want == Encoding::Windows1252 ? cp1252Decode(raw) : QString::fromUtf8(raw)),
               show(file) + show(decoded.text));
    const QByteArray lead = want == Encoding::Utf8WithMark ? mark : QByteArray();
    FUZZ_CHECK(folio::docformat::fileBytesFromText(decoded.text, want) == lead + raw + "\r\n", show(file));

    std::vector<QChar> chars(size);
    folio::cp1252::decodeInto(file, chars.data());
    FUZZ_CHECK(QStringView(chars.data(), qsizetype(size)) == cp1252Decode(file), show(file));

    std::vector<char16_t> units(size / 2);
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = char16_t(data[2 * i] | (data[2 * i + 1] << 8));
    const QStringView parts[] = {view(units)};
    for (const Encoding e : {Encoding::Windows1252, Encoding::Utf8, Encoding::Utf8WithMark}) {
        qsizetype replaced = 0;
        const QByteArray bytes = (e == Encoding::Utf8WithMark ? mark : QByteArray()) +
                                 encode(parts[0], e != Encoding::Windows1252, &replaced) + "\r\n";
        FUZZ_CHECK(folio::docformat::fileBytesFromText(parts[0], e) == bytes, show(parts[0]));
        FUZZ_CHECK(folio::docformat::findUnrepresentable(e, parts).count == replaced, show(parts[0]));
    }
    std::vector<char> room(units.size());
    const QByteArray inCodePage = encode(parts[0], false);
    FUZZ_CHECK(QByteArrayView(room.data(), folio::cp1252::encodeInto(parts[0], room.data())) == inCodePage, show(parts[0]));
    QStringList firstFew;
    for (qsizetype i = 0; i < parts[0].size() && firstFew.size() < 5; ++i) {
        if (cp1252Byte(parts[0][i].unicode()))
            continue;
        firstFew << parts[0].sliced(i, pairAt(parts[0], i) ? 2 : 1).toString();
        i += firstFew.constLast().size() - 1;
    }
    FUZZ_CHECK(folio::cp1252::findUnrepresentable(parts[0]).firstFew == firstFew, show(parts[0]));
    return 0;
}
