#include "platform/logic/CodePage.h"

#include <array>

namespace folio::cp1252 {

namespace {

// 0x80-0x9F are the only bytes whose characters differ from their Latin-1 values. The five
// bytes the code page leaves undefined keep their own value (a C1 control character), so
// that every byte survives a round trip.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr std::array<char16_t, 256> makeDecodeTable()
{
    std::array<char16_t, 256> t{};
    for (int b = 0; b < 256; ++b)
        t[b] = static_cast<char16_t>(b);
    for (int i = 0; i < 32; ++i)
        t[0x80 + i] = kHighControls[i];
    return t;
}

constexpr std::array<char16_t, 256> kDecode = makeDecodeTable();

// Characters below U+0100 map to the byte of the same value, except U+0080-U+009F where
// only the five undefined bytes do; -1 marks a character the code page cannot hold.
constexpr std::array<short, 256> makeLowEncodeTable()
{
    std::array<short, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[c] = (c >= 0x80 && c < 0xA0) ? short(-1) : short(c);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] < 0x100)
            t[kHighControls[i]] = short(0x80 + i);
    return t;
}

constexpr std::array<short, 256> kEncodeLow = makeLowEncodeTable();

// The byte of a character at or above U+0100, or -1.
int encodeHigh(char16_t c)
{
    switch (c) {
    case 0x20AC: return 0x80;
    case 0x201A: return 0x82;
    case 0x0192: return 0x83;
    case 0x201E: return 0x84;
    case 0x2026: return 0x85;
    case 0x2020: return 0x86;
    case 0x2021: return 0x87;
    case 0x02C6: return 0x88;
    case 0x2030: return 0x89;
    case 0x0160: return 0x8A;
    case 0x2039: return 0x8B;
    case 0x0152: return 0x8C;
    case 0x017D: return 0x8E;
    case 0x2018: return 0x91;
    case 0x2019: return 0x92;
    case 0x201C: return 0x93;
    case 0x201D: return 0x94;
    case 0x2022: return 0x95;
    case 0x2013: return 0x96;
    case 0x2014: return 0x97;
    case 0x02DC: return 0x98;
    case 0x2122: return 0x99;
    case 0x0161: return 0x9A;
    case 0x203A: return 0x9B;
    case 0x0153: return 0x9C;
    case 0x017E: return 0x9E;
    case 0x0178: return 0x9F;
    default: return -1;
    }
}

inline int encodeUnit(char16_t c)
{
    return c < 0x100 ? kEncodeLow[c] : encodeHigh(c);
}

// The number of UTF-16 units of the character starting at `i`: 2 for a complete surrogate
// pair, which counts (and is replaced) as one character.
inline qsizetype unitsAt(const char16_t* p, qsizetype i, qsizetype n)
{
    return (QChar::isHighSurrogate(p[i]) && i + 1 < n && QChar::isLowSurrogate(p[i + 1])) ? 2 : 1;
}

}  // namespace

QChar toChar(unsigned char byte)
{
    return QChar(kDecode[byte]);
}

std::optional<unsigned char> toByte(QChar ch)
{
    const int b = encodeUnit(ch.unicode());
    if (b < 0)
        return std::nullopt;
    return static_cast<unsigned char>(b);
}

void decodeInto(QByteArrayView bytes, QChar* out)
{
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    auto* o = reinterpret_cast<char16_t*>(out);
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i)
        o[i] = kDecode[in[i]];
}

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    decodeInto(bytes, text.data());
    return text;
}

Unrepresentable findUnrepresentable(QStringView text)
{
    Unrepresentable result;
    const char16_t* p = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        if (encodeUnit(p[i]) >= 0) {
            ++i;
            continue;
        }
        const qsizetype len = unitsAt(p, i, n);
        ++result.count;
        if (result.count <= 5)
            result.firstFew.append(QStringView(p + i, len));
        i += len;
    }
    return result;
}

qsizetype encodeInto(QStringView text, char* out)
{
    const char16_t* p = text.utf16();
    const qsizetype n = text.size();
    qsizetype w = 0;
    for (qsizetype i = 0; i < n;) {
        const int b = encodeUnit(p[i]);
        if (b >= 0) {
            out[w++] = static_cast<char>(b);
            ++i;
        } else {
            out[w++] = '?';
            i += unitsAt(p, i, n);
        }
    }
    return w;
}

QByteArray encode(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    bytes.truncate(encodeInto(text, bytes.data()));
    return bytes;
}

}  // namespace folio::cp1252
