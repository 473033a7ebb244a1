#include "platform/logic/Utf8.h"

#include "platform/logic/SixteenUnits.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
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
// Encodes four units below the surrogates, one per 32-bit lane of `units`: the bytes of each,
// first byte lowest, into `bytes`, and how many there are into `lengths`.
inline void encodeFourInLanes(__m128i units, __m128i& bytes, __m128i& lengths)
{
    const __m128i low6 = _mm_set1_epi32(0x3F);
    const __m128i one = _mm_and_si128(_mm_cmplt_epi32(units, _mm_set1_epi32(0x80)), _mm_set1_epi32(-1));
    const __m128i three = _mm_cmpgt_epi32(units, _mm_set1_epi32(0x7FF));
    const __m128i two = _mm_andnot_si128(_mm_or_si128(one, three), _mm_set1_epi32(-1));
    const __m128i last = _mm_slli_epi32(_mm_or_si128(_mm_and_si128(units, low6), _mm_set1_epi32(0x80)), 8);
    const __m128i asTwo = _mm_or_si128(_mm_or_si128(_mm_srli_epi32(units, 6), _mm_set1_epi32(0xC0)), last);
    const __m128i middle = _mm_or_si128(_mm_and_si128(_mm_srli_epi32(units, 6), low6), _mm_set1_epi32(0x80));
    const __m128i asThree = _mm_or_si128(_mm_or_si128(_mm_srli_epi32(units, 12), _mm_set1_epi32(0xE0)),
                                         _mm_or_si128(_mm_slli_epi32(middle, 8), _mm_slli_epi32(last, 8)));
    bytes = _mm_or_si128(_mm_or_si128(_mm_and_si128(one, units), _mm_and_si128(two, asTwo)),
                         _mm_and_si128(three, asThree));
    // 3, less 2 where one byte and less 1 where two (a true lane is -1).
    lengths = _mm_add_epi32(_mm_set1_epi32(3), _mm_add_epi32(_mm_add_epi32(one, one), two));
}

// Encodes sixteen units that hold no surrogate: the lanes do the arithmetic, and each
// character's bytes are stored as four and overlapped by the next, so no branch depends
// on the text. Needs room for 3 * 16 + 1 bytes at out; returns the bytes written.
inline qsizetype encodeSixteenWithoutSurrogates(const char16_t* p, char* out)
{
    alignas(16) std::uint32_t bytes[16];
    alignas(16) std::uint32_t lengths[16];
    const __m128i zero = _mm_setzero_si128();
    for (int half = 0; half < 2; ++half) {
        const __m128i units = sixteen::load(p + 8 * half);
        __m128i b, l;
        encodeFourInLanes(_mm_unpacklo_epi16(units, zero), b, l);
        _mm_store_si128(reinterpret_cast<__m128i*>(bytes + 8 * half), b);
        _mm_store_si128(reinterpret_cast<__m128i*>(lengths + 8 * half), l);
        encodeFourInLanes(_mm_unpackhi_epi16(units, zero), b, l);
        _mm_store_si128(reinterpret_cast<__m128i*>(bytes + 8 * half + 4), b);
        _mm_store_si128(reinterpret_cast<__m128i*>(lengths + 8 * half + 4), l);
    }
    qsizetype w = 0;
    for (int k = 0; k < 16; ++k) {
        std::memcpy(out + w, &bytes[k], 4);
        w += lengths[k];
    }
    return w;
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
            // Past the block's last unit there is at least one more unit, so its room of 3
            // bytes covers the fourth byte the last character's store writes.
            if (i + 16 < n && sixteen::unitsWhere(p + i, 0xF800, 0xD800) == 0) {
                w += encodeSixteenWithoutSurrogates(p + i, out + w);
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
