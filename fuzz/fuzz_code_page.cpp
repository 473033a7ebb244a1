// The Windows-1252 code page both ways, against the table in FuzzSupport.h:
//  * bytes: decode gives the table's character per byte, and encoding it gives the bytes back;
//  * any text: encode writes the table's byte or '?' (a surrogate pair as one '?'), and
//    findUnrepresentable counts exactly those and lists the first five in text order.
// The *Into variants write into exactly sized buffers, so a write past their room is caught.
#include "platform/logic/CodePage.h"

#include "FuzzSupport.h"

using namespace fuzzsupport;
namespace cp = folio::cp1252;

namespace {

void checkText(QStringView text)
{
    qsizetype replaced = 0;
    const QByteArray want = encode(text, false, &replaced);
    FUZZ_CHECK(cp::encode(text) == want, show(text));
    std::vector<char> room(std::size_t(text.size()));
    FUZZ_CHECK(QByteArrayView(room.data(), cp::encodeInto(text, room.data())) == want, show(text));

    QString firstFew;
    for (qsizetype i = 0, listed = 0; i < text.size() && listed < 5; ++i) {
        if (cp1252Byte(text[i].unicode()))
            continue;
        ++listed;
        firstFew += text[i];
        if (pairAt(text, i))
            firstFew += text[++i];
    }
    const cp::Unrepresentable report = cp::findUnrepresentable(text);
    FUZZ_CHECK(report.count == replaced && report.firstFew == firstFew, show(text) + show(report.firstFew));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = cp::decode(bytes);
    FUZZ_CHECK(text == cp1252Decode(bytes), show(bytes));
    std::vector<QChar> room(size);
    cp::decodeInto(bytes, room.data());
    FUZZ_CHECK(QStringView(room.data(), qsizetype(size)) == text, show(bytes));
    FUZZ_CHECK(cp::encode(text) == bytes && cp::findUnrepresentable(text).count == 0, show(bytes));
    for (char b : bytes)
        FUZZ_CHECK(cp::toByte(cp::toChar(std::uint8_t(b))) == std::uint8_t(b), show(bytes));

    // Any text, from the bytes as UTF-16 units; and a mix favouring the hard cases: the C1
    // range, 0x80-0x9F's characters, '?', lone and paired surrogates between ASCII runs.
    std::vector<char16_t> units(size / 2);
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = char16_t(data[2 * i] | (data[2 * i + 1] << 8));
    checkText(view(units));
    static constexpr char16_t picks[] = {
        u'a', u'?', 0x0080, 0x0081, 0x009F, 0x00A0, 0x00FF, 0x0100, 0x20AC, 0x0178,
        0x2122, 0xD83D, 0xDE00, 0xDC00, 0xD800, 0xFFFF,
    };
    std::vector<char16_t> mixed;
    for (std::uint8_t b : bytes) {
        if (b & 0x80)
            mixed.push_back(picks[b & 0x0F]);
        else
            mixed.insert(mixed.end(), b & 0x0F, char16_t(u'A' + (b >> 4)));
    }
    checkText(view(mixed));
    return 0;
}
