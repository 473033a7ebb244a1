#include "platform/logic/CodePage.h"

#include <algorithm>
#include <array>

#include "platform/logic/SixteenUnits.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The byte of every character, a table of 256 characters (one "page") per high byte. Below
// U+0100 a character is the byte of the same value, except U+0080-U+009F where only the five
// undefined bytes are; the rest of kHighControls lies on four more pages. -1 marks a
// character the code page cannot hold; every other page holds nothing but -1.
constexpr std::array<char16_t, 5> kPagesWithBytes = {0x00, 0x01, 0x02, 0x20, 0x21};
constexpr std::size_t kEmptyPage = kPagesWithBytes.size();

using EncodePages = std::array<std::array<short, 256>, kPagesWithBytes.size() + 1>;

constexpr EncodePages makeEncodePages()
{
    EncodePages pages{};
    for (std::size_t k = 0; k < pages.size(); ++k)
        pages[k].fill(-1);
    for (int c = 0; c < 0x100; ++c) {
        if (c < 0x80 || c >= 0xA0)
            pages[0][c] = short(c);
    }
    for (int i = 0; i < 32; ++i) {
        const char16_t c = kHighControls[i];
        for (std::size_t k = 0; k < kPagesWithBytes.size(); ++k) {
            if (c >> 8 == kPagesWithBytes[k])
                pages[k][c & 0xFF] = short(0x80 + i);
        }
    }
    return pages;
}

constexpr std::array<unsigned char, 256> makePageIndex()
{
    std::array<unsigned char, 256> index{};
    index.fill(static_cast<unsigned char>(kEmptyPage));
    for (std::size_t k = 0; k < kPagesWithBytes.size(); ++k)
        index[kPagesWithBytes[k]] = static_cast<unsigned char>(k);
    return index;
}

constexpr EncodePages kEncodePages = makeEncodePages();
constexpr std::array<unsigned char, 256> kPageIndex = makePageIndex();

// The byte of a character, or -1: two table reads and no branch, as text with a curly quote
// or a euro sign every few words is common.
inline int encodeUnit(char16_t c)
{
    return kEncodePages[kPageIndex[c >> 8]][c & 0xFF];
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
    qsizetype i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time while none of them lies in 0x80-0x9F: all other bytes are the
    // character of the same value, so widening them is the whole work.
    const __m128i zero = _mm_setzero_si128();
    const __m128i flip = _mm_set1_epi8(char(0x80));
    const __m128i minusOne = _mm_set1_epi8(-1);
    const __m128i limit = _mm_set1_epi8(0x20);
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i x = _mm_xor_si128(v, flip);  // 0x80-0x9F become 0x00-0x1F, the rest negative or >= 0x20
        const __m128i special = _mm_and_si128(_mm_cmpgt_epi8(x, minusOne), _mm_cmplt_epi8(x, limit));
        if (_mm_movemask_epi8(special) != 0) {
            for (int k = 0; k < 16; ++k)
                o[i + k] = kDecode[in[i + k]];
            continue;
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o + i), _mm_unpacklo_epi8(v, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o + i + 8), _mm_unpackhi_epi8(v, zero));
    }
#endif
    for (; i < n; ++i)
        o[i] = kDecode[in[i]];
}

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    decodeInto(bytes, text.data());
    return text;
}

namespace {

#if defined(__SSE2__)
// One bit per character of p[0..16): set for a character below U+0100 outside
// U+0080-U+009F, which is its own byte value in the code page.
inline unsigned ownByteMask(const char16_t* p)
{
    using namespace sixteen;
    const auto own = [](__m128i v) { return _mm_andnot_si128(lanesWhere(v, 0xFFE0, 0x0080), lanesWhere(v, 0xFF00, 0)); };
    return bits(own(load(p)), own(load(p + 8)));
}
#endif

// Checks the character at `i` and returns where the next one starts.
inline qsizetype checkOne(const char16_t* p, qsizetype i, qsizetype n, Unrepresentable& result)
{
    if (encodeUnit(p[i]) >= 0)
        return i + 1;
    const qsizetype len = unitsAt(p, i, n);
    ++result.count;
    if (result.count <= 5)
        result.firstFew.append(QStringView(p + i, len).toString());
    return i + len;
}

// Adds the characters of `text` the code page cannot hold to `result`.
void collectUnrepresentable(QStringView text, Unrepresentable& result)
{
    const char16_t* p = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
#if defined(__SSE2__)
        // Sixteen at a time past characters the code page holds as their own byte value;
        // only the others are looked at one by one.
        if (i + 16 <= n) {
            const unsigned mask = ownByteMask(p + i);
            if (mask == 0xFFFF) {
                i += 16;
                continue;
            }
            i += __builtin_ctz(~mask);
        }
#endif
        i = checkOne(p, i, n, result);
    }
}

}  // namespace

Unrepresentable findUnrepresentable(QStringView text)
{
    Unrepresentable result;
    collectUnrepresentable(text, result);
    return result;
}

Unrepresentable findUnrepresentable(std::span<const QStringView> parts)
{
    Unrepresentable result;
    for (const QStringView part : parts)
        collectUnrepresentable(part, result);
    return result;
}

namespace {

// StopAtLost: return -1 at the first character the code page cannot hold instead of
// writing '?' for it.
template <bool StopAtLost>
qsizetype encodeImpl(QStringView text, char* out)
{
    const char16_t* p = text.utf16();
    const qsizetype n = text.size();
    qsizetype w = 0;
    qsizetype i = 0;
    while (i < n) {
#if defined(__SSE2__)
        // Sixteen at a time: the characters that are their own byte value come out of one
        // pack; the others are looked up and put in their place, as long as each of them is
        // one unit with a byte of its own. Otherwise the run up to the first such character
        // counts and the rest goes one by one (w never passes i, so the store stays inside
        // the room for text.size() bytes).
        if (i + 16 <= n) {
            const unsigned mask = ownByteMask(p + i);
            sixteen::storeAsBytes(p + i, out + w);
            unsigned others = ~mask & 0xFFFF;
            while (others) {
                const int lane = __builtin_ctz(others);
                const int b = encodeUnit(p[i + lane]);
                if (b < 0)
                    break;
                out[w + lane] = static_cast<char>(b);
                others &= others - 1;
            }
            if (others == 0) {
                i += 16;
                w += 16;
                continue;
            }
            const int run = __builtin_ctz(others);
            i += run;
            w += run;
        }
#endif
        const int b = encodeUnit(p[i]);
        if (b >= 0) {
            out[w++] = static_cast<char>(b);
            ++i;
        } else {
            if constexpr (StopAtLost)
                return -1;
            out[w++] = '?';
            i += unitsAt(p, i, n);   // a surrogate pair is one character, one '?'
        }
    }
    return w;
}

}  // namespace

qsizetype encodeInto(QStringView text, char* out)
{
    return encodeImpl<false>(text, out);
}

qsizetype encodeIntoIfHeld(QStringView text, char* out)
{
    return encodeImpl<true>(text, out);
}

QByteArray encode(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    bytes.truncate(encodeInto(text, bytes.data()));
    return bytes;
}

}  // namespace folio::cp1252
