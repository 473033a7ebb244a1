#include "document/logic/FindText.h"

#include <QStringMatcher>

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

namespace folio {

namespace {

// The lower case of every UTF-16 unit, built once: read for every unit of a case-insensitive
// search. Surrogates map to themselves.
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

// Starts of a match looked at in one go where the text has to be copied (lower-cased, or
// across parts): the copy stays small, whatever the size of the text.
constexpr qsizetype kSlice = qsizetype(64) * 1024;

// Copies up to `count` units of the text from parts[p] at `at` on, lower-cased when `lower`
// is given, to `out`; returns how many there were.
qsizetype gather(std::span<const QStringView> parts, size_t p, qsizetype at, qsizetype count, const char16_t* lower,
                 char16_t* out)
{
    qsizetype got = 0;
    for (; p < parts.size() && got < count; ++p, at = 0) {
        const QStringView s = parts[p].sliced(at).first(std::min(count - got, parts[p].size() - at));
        if (lower)
            std::transform(s.utf16(), s.utf16() + s.size(), out + got, [lower](char16_t u) { return lower[u]; });
        else
            std::copy(s.utf16(), s.utf16() + s.size(), out + got);
        got += s.size();
    }
    return got;
}

// The 0-based index of the first match of `needle` at or after `from`, or -1; with `lower`,
// `needle` is lower-cased already and the text is as it is read. Qt's matcher does the
// search; case-sensitive, in each part where it lies, and in a small copy of the stretch
// across the end of a part.
qsizetype indexIn(std::span<const QStringView> parts, QStringView needle, qsizetype from, const char16_t* lower)
{
    const qsizetype m = needle.size();
    const QStringMatcher matcher(needle);
    std::vector<char16_t> copy;
    qsizetype base = 0;
    for (size_t p = 0; p < parts.size(); base += parts[p].size(), ++p) {
        const QStringView part = parts[p];
        qsizetype at = std::max<qsizetype>(0, from - base);
        if (!lower && at < part.size()) {
            const qsizetype found = matcher.indexIn(part, at);
            if (found >= 0)
                return base + found;
            at = std::max(at, part.size() - m + 1);
        }
        // The starts left in this part, a slice at a time, with the units a match starting
        // there can reach, copied from this part and the next ones.
        while (at < part.size()) {
            const qsizetype starts = std::min(kSlice, part.size() - at);
            copy.resize(size_t(starts + m - 1));
            const qsizetype got = gather(parts, p, at, starts + m - 1, lower, copy.data());
            const qsizetype found = matcher.indexIn(QStringView(copy.data(), got));
            if (found >= 0)
                return base + at + found;
            at += starts;
        }
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
    qsizetype at;
    if (caseSensitive) {
        at = indexIn(parts, find, from, nullptr);
    } else {
        const char16_t* lower = lowerTable();
        QString lowered(find.size(), Qt::Uninitialized);
        std::transform(find.utf16(), find.utf16() + find.size(), reinterpret_cast<char16_t*>(lowered.data()),
                       [lower](char16_t u) { return lower[u]; });
        at = indexIn(parts, lowered, from, lower);
    }
    if (at < 0 || at >= INT_MAX)
        return 0;
    return static_cast<int>(at + 1);
}

}  // namespace folio
