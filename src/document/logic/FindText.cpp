#include "document/logic/FindText.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <memory>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace folio {

namespace {

// The lower case of every UTF-16 unit, built once. Surrogates map to themselves.
const char16_t* lowerTable()
{
    static const std::unique_ptr<char16_t[]> table = [] {
        auto t = std::make_unique<char16_t[]>(0x10000);
        for (char32_t u = 0; u < 0x10000; ++u)
            t[u] = QChar::toLower(static_cast<char16_t>(u));
        return t;
    }();
    return table.get();
}

struct Lowering {
    char16_t lower;
    char16_t unit;
    bool operator<(const Lowering& o) const { return lower < o.lower; }
};

// Every unit that changes when lower-cased, ordered by its lower case: the way back from a
// lower case to the units that give it.
const std::vector<Lowering>& loweringsByLowerCase()
{
    static const std::vector<Lowering> list = [] {
        const char16_t* lower = lowerTable();
        std::vector<Lowering> v;
        for (char32_t u = 0; u < 0x10000; ++u) {
            if (lower[u] != u)
                v.push_back({lower[u], static_cast<char16_t>(u)});
        }
        std::stable_sort(v.begin(), v.end());
        return v;
    }();
    return list;
}

constexpr int kMaxVariants = 4;

// The units whose lower case is `lowered`, for example 'k', 'K' and the Kelvin sign for 'k'.
// Fills all kMaxVariants slots (repeating the last one) and returns false when there are
// none or more than fit.
bool variantsOf(char16_t lowered, const char16_t* lower, std::array<char16_t, kMaxVariants>& out)
{
    int count = 0;
    if (lower[lowered] == lowered)
        out[count++] = lowered;
    const auto& list = loweringsByLowerCase();
    const auto range = std::equal_range(list.begin(), list.end(), Lowering{lowered, 0});
    for (auto it = range.first; it != range.second; ++it) {
        if (count == kMaxVariants)
            return false;
        out[count++] = it->unit;
    }
    if (count == 0)
        return false;
    for (int i = count; i < kMaxVariants; ++i)
        out[i] = out[count - 1];
    return true;
}

// How units compare: as they are, or by their lower case.
struct ExactUnits {
    char16_t operator()(char16_t u) const { return u; }
};
struct LowerUnits {
    const char16_t* lower = lowerTable();
    char16_t operator()(char16_t u) const { return lower[u]; }
};

// Whether text[at+first .. at+m) equals needle[first .. m) once mapped.
template <typename Map>
inline bool matchesAt(const char16_t* text, qsizetype at, const char16_t* needle, qsizetype first,
                      qsizetype m, Map map)
{
    for (qsizetype j = first; j < m; ++j) {
        if (map(text[at + j]) != needle[j])
            return false;
    }
    return true;
}

// 0-based index of the first match at or after `from`, or -1. `needle` is already mapped;
// `text` is mapped unit by unit as it is read, never copied.
template <typename Map>
qsizetype indexOfMapped(QStringView textView, QStringView needleView, qsizetype from, Map map,
                        bool (*variants)(char16_t, std::array<char16_t, kMaxVariants>&))
{
    const char16_t* needle = needleView.utf16();
    const char16_t* text = textView.utf16();
    const qsizetype n = textView.size();
    const qsizetype m = needleView.size();
    const qsizetype lastStart = n - m;  // the last index a match can start at
    qsizetype i = from;

#if defined(__SSE2__)
    // Compare eight candidate starts at once on both the first and the last unit of the
    // needle, each against every unit that maps to it; only starts that pass both are
    // checked unit by unit.
    std::array<char16_t, kMaxVariants> firstVariants{}, lastVariants{};
    if (variants(needle[0], firstVariants) && variants(needle[m - 1], lastVariants)) {
        __m128i f[kMaxVariants], l[kMaxVariants];
        for (int k = 0; k < kMaxVariants; ++k) {
            f[k] = _mm_set1_epi16(static_cast<short>(firstVariants[k]));
            l[k] = _mm_set1_epi16(static_cast<short>(lastVariants[k]));
        }
        for (; i + 7 <= lastStart; i += 8) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + m - 1));
            const __m128i hitFirst = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(a, f[0]), _mm_cmpeq_epi16(a, f[1])),
                                                  _mm_or_si128(_mm_cmpeq_epi16(a, f[2]), _mm_cmpeq_epi16(a, f[3])));
            const __m128i hitLast = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(b, l[0]), _mm_cmpeq_epi16(b, l[1])),
                                                 _mm_or_si128(_mm_cmpeq_epi16(b, l[2]), _mm_cmpeq_epi16(b, l[3])));
            // Two mask bits per 16-bit lane.
            unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(hitFirst, hitLast)));
            while (mask) {
                const int lane = __builtin_ctz(mask) / 2;
                if (matchesAt(text, i + lane, needle, 1, m - 1, map))
                    return i + lane;
                mask &= ~(3u << (2 * lane));
            }
        }
    }
#endif

    const char16_t firstUnit = needle[0];
    for (; i <= lastStart; ++i) {
        if (map(text[i]) == firstUnit && matchesAt(text, i, needle, 1, m, map))
            return i;
    }
    return -1;
}

bool exactVariants(char16_t unit, std::array<char16_t, kMaxVariants>& out)
{
    out.fill(unit);
    return true;
}

bool lowerVariants(char16_t lowered, std::array<char16_t, kMaxVariants>& out)
{
    return variantsOf(lowered, lowerTable(), out);
}

// indexOfMapped() over consecutive parts. A match that starts in one part's last m-1 units
// and runs on into the next parts is looked for in a small copy of that stretch, when one
// of those units could begin it.
template <typename Map>
qsizetype indexOfMappedInParts(std::span<const QStringView> parts, QStringView needle, qsizetype from, Map map,
                               bool (*variants)(char16_t, std::array<char16_t, kMaxVariants>&))
{
    const qsizetype m = needle.size();
    qsizetype base = 0;
    // Room for the stretch across a boundary, made once: parts may number in the thousands.
    std::vector<char16_t> across(size_t(2 * m));
    for (size_t p = 0; p < parts.size(); ++p) {
        const QStringView part = parts[p];
        const qsizetype n = part.size();
        if (base + n <= from) {
            base += n;
            continue;
        }
        const qsizetype localFrom = std::max<qsizetype>(0, from - base);
        const qsizetype inside = indexOfMapped(part, needle, localFrom, map, variants);
        if (inside >= 0)
            return base + inside;
        const qsizetype acrossFrom = std::max(localFrom, n - (m - 1));
        const QStringView tail = part.sliced(acrossFrom);
        const auto startsMatch = [&](QChar c) { return map(c.unicode()) == needle[0].unicode(); };
        if (p + 1 < parts.size() && std::any_of(tail.begin(), tail.end(), startsMatch)) {
            char16_t* out = std::copy(tail.utf16(), tail.utf16() + tail.size(), across.data());
            qsizetype wanted = m - 1;
            for (size_t q = p + 1; q < parts.size() && wanted > 0; ++q) {
                const qsizetype take = std::min(wanted, parts[q].size());
                out = std::copy(parts[q].utf16(), parts[q].utf16() + take, out);
                wanted -= take;
            }
            // Too short for the needle to end past this part, so any match starts in it.
            const QStringView stretch(across.data(), out - across.data());
            const qsizetype at = indexOfMapped(stretch, needle, 0, map, variants);
            if (at >= 0)
                return base + acrossFrom + at;
        }
        base += n;
    }
    return -1;
}

}  // namespace

int findText(std::span<const QStringView> parts, QStringView find, int start1Based, bool caseSensitive)
{
    if (find.isEmpty())
        return 0;
    qsizetype total = 0;
    for (const QStringView part : parts)
        total += part.size();
    const qsizetype from = start1Based < 1 ? 0 : qsizetype(start1Based) - 1;
    if (from >= total || find.size() > total - from)
        return 0;
    // Each boundary between parts costs a copy of about twice the needle; when that would
    // add up to more than the text, one copy of the whole text is cheaper.
    QString joined;
    QStringView single;
    if (parts.size() > 1 && find.size() > total / qsizetype(parts.size())) {
        joined.reserve(total);
        for (const QStringView part : parts)
            joined.append(part);
        single = joined;
        parts = std::span<const QStringView>(&single, 1);
    }
    const qsizetype at = caseSensitive
        ? indexOfMappedInParts(parts, find, from, ExactUnits{}, exactVariants)
        : indexOfMappedInParts(parts, lowerPerCharacter(find), from, LowerUnits{}, lowerVariants);
    if (at < 0 || at >= INT_MAX)
        return 0;
    return static_cast<int>(at + 1);
}

int findText(QStringView text, QStringView find, int start1Based, bool caseSensitive)
{
    return findText(std::span<const QStringView>(&text, 1), find, start1Based, caseSensitive);
}

QString lowerPerCharacter(QStringView text)
{
    const char16_t* lower = lowerTable();
    const char16_t* in = text.utf16();
    QString out(text.size(), Qt::Uninitialized);
    auto* o = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype i = 0; i < text.size(); ++i)
        o[i] = lower[in[i]];
    return out;
}

QString upperPerCharacter(QStringView text)
{
    const char16_t* in = text.utf16();
    QString out(text.size(), Qt::Uninitialized);
    auto* o = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype i = 0; i < text.size(); ++i)
        o[i] = QChar::toUpper(in[i]);
    return out;
}

}  // namespace folio
