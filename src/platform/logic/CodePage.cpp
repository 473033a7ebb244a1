#include "platform/logic/CodePage.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace folio::cp1252 {

namespace {

// The character of every byte. Only 0x80-0x9F differ from their Latin-1 values; the five
// bytes the code page leaves undefined keep their own value (a C1 control character), so
// that every byte survives a round trip.
constexpr std::array<char16_t, 256> kDecode = [] {
    constexpr char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
    };
    std::array<char16_t, 256> t{};
    for (int b = 0; b < 256; ++b)
        t[b] = b >= 0x80 && b < 0xA0 ? high[b - 0x80] : char16_t(b);
    return t;
}();

// The byte of every character below U+0100, or -1 (U+0080-U+009F but the five undefined
// bytes).
constexpr std::array<short, 256> kEncode = [] {
    std::array<short, 256> t{};
    t.fill(-1);
    for (int b = 0; b < 256; ++b) {
        if (kDecode[b] < 0x100)
            t[kDecode[b]] = short(b);
    }
    return t;
}();

// The 27 characters above U+00FF, by a hash that tells them all apart: the byte that may be
// theirs, confirmed by kDecode.
constexpr unsigned char hashOf(char16_t c)
{
    return static_cast<unsigned char>(c ^ c >> 8);
}
constexpr std::array<unsigned char, 256> kEncodeAbove = [] {
    std::array<unsigned char, 256> t{};
    for (int b = 0x80; b < 0xA0; ++b) {
        if (kDecode[b] >= 0x100)
            t[hashOf(kDecode[b])] = static_cast<unsigned char>(b);
    }
    return t;
}();

inline int byteOf(char16_t c)
{
    if (c < 0x100)
        return kEncode[c];
    const unsigned char b = kEncodeAbove[hashOf(c)];
    return kDecode[b] == c ? b : -1;
}

// Whether each of the four UTF-16 units in `x` is its own byte value: below U+0100, and
// outside U+0080-U+009F.
inline bool fourOwnBytes(std::uint64_t x)
{
    constexpr std::uint64_t ones = 0x0001000100010001u;
    const std::uint64_t c1 = (x ^ ones * 0x80) & ones * 0xE0;  // 0 in a unit of U+0080-U+009F
    return (x & ones * 0xFF00) == 0 && ((c1 - ones) & ~c1 & ones * 0x8000) == 0;
}

// The UTF-16 units of the character at `i`: 2 for a complete surrogate pair.
inline qsizetype unitsAt(QStringView text, qsizetype i)
{
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

}  // namespace

QChar toChar(unsigned char byte)
{
    return QChar(kDecode[byte]);
}

std::optional<unsigned char> toByte(QChar ch)
{
    const int b = byteOf(ch.unicode());
    if (b < 0)
        return std::nullopt;
    return static_cast<unsigned char>(b);
}

void decodeInto(QByteArrayView bytes, QChar* out)
{
    for (const char b : bytes)
        *out++ = QChar(kDecode[static_cast<unsigned char>(b)]);
}

qsizetype encodeInto(QStringView text, char* out, bool onlyIfHeld)
{
    const char16_t* p = text.utf16();
    const qsizetype n = text.size();
    qsizetype w = 0;
    for (qsizetype i = 0; i < n; ++i) {
        // Four units at a time while they are their own byte values. One at a time, saving the
        // 50 MB document took 2.4 times as long as writing its bytes, where the goal is 1.5.
        for (std::uint64_t x;
             std::endian::native == std::endian::little && i + 4 <= n && (std::memcpy(&x, p + i, 8), fourOwnBytes(x));
             i += 4, w += 4) {
            const std::uint64_t pairs = x | x >> 8;
            const auto four = static_cast<std::uint32_t>((pairs & 0xFFFF) | (pairs >> 16 & 0xFFFF0000u));
            std::memcpy(out + w, &four, 4);
        }
        if (i == n)
            break;
        const int b = byteOf(p[i]);
        if (b >= 0) {
            out[w++] = static_cast<char>(b);
            continue;
        }
        if (onlyIfHeld)
            return -1;
        out[w++] = '?';
        i += unitsAt(text, i) - 1;
    }
    return w;
}

Unrepresentable findUnrepresentable(std::span<const QStringView> parts)
{
    Unrepresentable result;
    for (const QStringView part : parts) {
        for (qsizetype i = 0; i < part.size(); ++i) {
            if (byteOf(part[i].unicode()) >= 0)
                continue;
            const qsizetype units = unitsAt(part, i);
            result.add(part.sliced(i, units));
            i += units - 1;
        }
    }
    return result;
}

}  // namespace folio::cp1252
