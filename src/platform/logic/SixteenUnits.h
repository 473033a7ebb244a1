#pragma once
// Looking at sixteen UTF-16 units at once, for the code-page and UTF-8 loops that skip
// quickly over the plain parts of a text. Only where SSE2 is there; the loops have a
// one-by-one path for the rest.
#if defined(__SSE2__)
#include <emmintrin.h>

namespace folio::sixteen {

inline __m128i load(const char16_t* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// All-ones in each 16-bit lane of v where (unit & mask) == value.
inline __m128i lanesWhere(__m128i v, unsigned short mask, unsigned short value)
{
    return _mm_cmpeq_epi16(_mm_and_si128(v, _mm_set1_epi16(short(mask))), _mm_set1_epi16(short(value)));
}

// One bit per unit of p[0..16) for the lanes given for its two halves.
inline unsigned bits(__m128i low, __m128i high)
{
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(low, high)));
}

// One bit per unit of p[0..16): set where (unit & mask) == value.
inline unsigned unitsWhere(const char16_t* p, unsigned short mask, unsigned short value)
{
    return bits(lanesWhere(load(p), mask, value), lanesWhere(load(p + 8), mask, value));
}

// Writes the sixteen units of p as sixteen bytes at out: right for every unit below 0x100,
// a placeholder the caller overwrites for the others.
inline void storeAsBytes(const char16_t* p, char* out)
{
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(load(p), load(p + 8)));
}

}  // namespace folio::sixteen
#endif
