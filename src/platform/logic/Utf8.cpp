#include "platform/logic/Utf8.h"

#include "platform/logic/SixteenUnits.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#include <tmmintrin.h>
#endif

namespace folio::utf8 {

namespace {

inline bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

}  // namespace

Decoded decodeValidPrefix(QByteArrayView bytes, QChar* outChars)
{
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    auto* out = reinterpret_cast<char16_t*>(outChars);
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    qsizetype w = 0;  // never more than i, so a store of 16 units at w stays inside the room
    while (i < n) {
#if defined(__SSE2__)
        // Sixteen bytes at a time are widened as they stand; where all are ASCII that is the
        // whole work, otherwise the ASCII run in front of the first other byte counts.
        if (i + 16 <= n) {
            const __m128i zero = _mm_setzero_si128();
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + w), _mm_unpacklo_epi8(v, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + w + 8), _mm_unpackhi_epi8(v, zero));
            const unsigned high = static_cast<unsigned>(_mm_movemask_epi8(v));
            if (high == 0) {
                i += 16;
                w += 16;
                continue;
            }
            const int run = __builtin_ctz(high);
            i += run;
            w += run;
        }
#endif
        const unsigned char b0 = in[i];
        if (b0 < 0x80) {
            out[w++] = b0;
            ++i;
            continue;
        }
        const qsizetype left = n - i;
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            if (left < 2 || !isContinuation(in[i + 1]))
                break;
            out[w++] = char16_t(((b0 & 0x1F) << 6) | (in[i + 1] & 0x3F));
            i += 2;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            if (left < 3)
                break;
            const unsigned char b1 = in[i + 1];
            // E0 needs A0-BF after it (shorter forms are overlong), ED needs 80-9F (above
            // are the surrogate halves).
            const unsigned char low = b0 == 0xE0 ? 0xA0 : 0x80;
            const unsigned char high = b0 == 0xED ? 0x9F : 0xBF;
            if (b1 < low || b1 > high || !isContinuation(in[i + 2]))
                break;
            out[w++] = char16_t(((b0 & 0x0F) << 12) | ((b1 & 0x3F) << 6) | (in[i + 2] & 0x3F));
            i += 3;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            if (left < 4)
                break;
            const unsigned char b1 = in[i + 1];
            // F0 needs 90-BF (overlong below), F4 needs 80-8F (past U+10FFFF above).
            const unsigned char low = b0 == 0xF0 ? 0x90 : 0x80;
            const unsigned char high = b0 == 0xF4 ? 0x8F : 0xBF;
            if (b1 < low || b1 > high || !isContinuation(in[i + 2]) || !isContinuation(in[i + 3]))
                break;
            const char32_t code = (char32_t(b0 & 0x07) << 18) | (char32_t(b1 & 0x3F) << 12) |
                                  (char32_t(in[i + 2] & 0x3F) << 6) | char32_t(in[i + 3] & 0x3F);
            out[w++] = QChar::highSurrogate(code);
            out[w++] = QChar::lowSurrogate(code);
            i += 4;
        } else {
            break;  // a continuation byte out of place, C0, C1 or F5-FF
        }
    }
    return {i, w};
}

namespace {

#if defined(__SSE2__)
// Where the processor has SSSE3, eight units below the surrogates are encoded at once: the
// lanes work out each character's bytes, and a byte shuffle, looked up by the characters'
// lengths, packs them together. Four characters at a time, so a table of 256 shuffles
// covers every mix of one, two and three bytes.
struct PackFour {
    alignas(16) std::array<std::uint8_t, 16> shuffle;
    std::uint8_t length;
};

// Index: bit k set for a character of two bytes or more, bit 4 + k for one of three. The
// bytes of character k come in as bytes 2k (first), 2k + 1 (second) and 8 + 2k (third).
const std::array<PackFour, 256>& packFourTable()
{
    static const std::array<PackFour, 256> table = [] {
        std::array<PackFour, 256> t{};
        for (unsigned index = 0; index < 256; ++index) {
            PackFour& entry = t[index];
            entry.shuffle.fill(0x80);
            std::uint8_t n = 0;
            for (unsigned k = 0; k < 4; ++k) {
                entry.shuffle[n++] = std::uint8_t(2 * k);
                if (index & (1u << k))
                    entry.shuffle[n++] = std::uint8_t(2 * k + 1);
                if (index & (1u << (4 + k)))
                    entry.shuffle[n++] = std::uint8_t(8 + 2 * k);
            }
            entry.length = n;
        }
        return t;
    }();
    return table;
}

bool hasByteShuffle()
{
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

// Encodes the eight units at p, none of them a surrogate, at out, and returns the number of
// bytes; stores 16 bytes behind the first four characters' bytes, so up to 28 in all.
__attribute__((target("ssse3"))) qsizetype encodeEightWithoutSurrogates(const char16_t* p, char* out)
{
    const __m128i c = sixteen::load(p);
    const __m128i zero = _mm_setzero_si128();
    const __m128i low6 = _mm_set1_epi16(0x3F);
    const __m128i one = _mm_cmpeq_epi16(_mm_and_si128(c, _mm_set1_epi16(short(0xFF80))), zero);
    const __m128i three = _mm_xor_si128(_mm_cmpeq_epi16(_mm_and_si128(c, _mm_set1_epi16(short(0xF800))), zero),
                                        _mm_set1_epi16(-1));
    const __m128i two = _mm_andnot_si128(_mm_or_si128(one, three), _mm_set1_epi16(-1));
    const __m128i last = _mm_or_si128(_mm_and_si128(c, low6), _mm_set1_epi16(0x80));
    const __m128i middle = _mm_or_si128(_mm_and_si128(_mm_srli_epi16(c, 6), low6), _mm_set1_epi16(0x80));
    const __m128i first = _mm_or_si128(
        _mm_or_si128(_mm_and_si128(one, c),
                     _mm_and_si128(two, _mm_or_si128(_mm_srli_epi16(c, 6), _mm_set1_epi16(0xC0)))),
        _mm_and_si128(three, _mm_or_si128(_mm_srli_epi16(c, 12), _mm_set1_epi16(0xE0))));
    const __m128i second = _mm_or_si128(_mm_and_si128(two, last), _mm_and_si128(three, middle));
    const __m128i firstTwo = _mm_or_si128(first, _mm_slli_epi16(second, 8));
    const unsigned lengths = unsigned(_mm_movemask_epi8(_mm_packs_epi16(_mm_andnot_si128(one, _mm_set1_epi16(-1)), three)));
    const auto& table = packFourTable();
    const PackFour& low = table[(lengths & 0x0F) | ((lengths >> 4) & 0xF0)];
    const PackFour& high = table[((lengths >> 4) & 0x0F) | ((lengths >> 8) & 0xF0)];
    const __m128i lowBytes = _mm_shuffle_epi8(_mm_unpacklo_epi64(firstTwo, last),
                                              _mm_load_si128(reinterpret_cast<const __m128i*>(low.shuffle.data())));
    const __m128i highBytes = _mm_shuffle_epi8(_mm_unpackhi_epi64(firstTwo, last),
                                               _mm_load_si128(reinterpret_cast<const __m128i*>(high.shuffle.data())));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), lowBytes);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + low.length), highBytes);
    return low.length + high.length;
}
#endif

template <bool StopAtLost>
qsizetype encodeImpl(QStringView text, char* out)
{
    const char16_t* p = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = 0;
    qsizetype w = 0;
    while (i < n) {
#if defined(__SSE2__)
        // Sixteen units at a time are packed to bytes as they stand; where all are ASCII that
        // is the whole work, otherwise the ASCII run in front of the first other unit counts.
        // (w is at most 3 * i, so the store stays inside the room for 3 * n bytes.)
        if (i + 16 <= n) {
            sixteen::storeAsBytes(p + i, out + w);
            const unsigned ascii = sixteen::unitsWhere(p + i, 0xFF80, 0);
            if (ascii == 0xFFFF) {
                i += 16;
                w += 16;
                continue;
            }
            // The two stores reach at most 28 bytes past w, inside the block's room of 48.
            if (hasByteShuffle() && sixteen::unitsWhere(p + i, 0xF800, 0xD800) == 0) {
                w += encodeEightWithoutSurrogates(p + i, out + w);
                w += encodeEightWithoutSurrogates(p + i + 8, out + w);
                i += 16;
                continue;
            }
            const int run = __builtin_ctz(~ascii);
            i += run;
            w += run;
        }
#endif
        const char16_t c = p[i];
        if (c < 0x80) {
            out[w++] = char(c);
            ++i;
        } else if (c < 0x800) {
            out[w++] = char(0xC0 | (c >> 6));
            out[w++] = char(0x80 | (c & 0x3F));
            ++i;
        } else if (!QChar::isSurrogate(c)) {
            out[w++] = char(0xE0 | (c >> 12));
            out[w++] = char(0x80 | ((c >> 6) & 0x3F));
            out[w++] = char(0x80 | (c & 0x3F));
            ++i;
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(p[i + 1])) {
            const char32_t code = QChar::surrogateToUcs4(c, p[i + 1]);
            out[w++] = char(0xF0 | (code >> 18));
            out[w++] = char(0x80 | ((code >> 12) & 0x3F));
            out[w++] = char(0x80 | ((code >> 6) & 0x3F));
            out[w++] = char(0x80 | (code & 0x3F));
            i += 2;
        } else {
            if constexpr (StopAtLost)
                return -1;
            out[w++] = '?';
            ++i;
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

Unrepresentable findUnrepresentable(std::span<const QStringView> parts)
{
    Unrepresentable result;
    for (const QStringView part : parts) {
        const char16_t* p = part.utf16();
        const qsizetype n = part.size();
        qsizetype i = 0;
        while (i < n) {
#if defined(__SSE2__)
            // Sixteen at a time past units that are no surrogate half.
            if (i + 16 <= n && sixteen::unitsWhere(p + i, 0xF800, 0xD800) == 0) {
                i += 16;
                continue;
            }
#endif
            const char16_t c = p[i];
            if (!QChar::isSurrogate(c)) {
                ++i;
            } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(p[i + 1])) {
                i += 2;
            } else {
                if (++result.count <= 5)
                    result.firstFew.append(QString(QChar(c)));
                ++i;
            }
        }
    }
    return result;
}

}  // namespace folio::utf8
