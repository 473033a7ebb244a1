// The find panel's search against a naive one that tries every start from the given one (a
// start below 1 counts as 1) and compares unit by unit, lower-casing each UTF-16 unit with
// QChar::toLower when the case does not matter. The alphabet is rich in letters whose case
// mapping is unusual, in line breaks and in surrogates; the searched-for text is often cut
// from the text with its case changed; the text is also searched cut into parts, as the text
// box hands it over.
#include "document/logic/FindText.h"

#include "FuzzSupport.h"

using namespace fuzzsupport;

namespace {

int naiveFind(QStringView text, QStringView find, int start, bool caseSensitive)
{
    const auto fold = [&](QChar c) { return caseSensitive ? c.unicode() : QChar::toLower(c.unicode()); };
    for (qsizetype i = std::max(start, 1) - 1; !find.isEmpty() && i + find.size() <= text.size(); ++i) {
        qsizetype j = 0;
        while (j < find.size() && fold(text[i + j]) == fold(find[j]))
            ++j;
        if (j == find.size())
            return int(i + 1);
    }
    return 0;
}

constexpr char16_t kAlphabet[] = {
    u'a', u'A', u'k', u'K', 0x212A /* Kelvin */, u's', u'S', 0x017F /* long s */, u'i', u'I',
    0x0130 /* dotted I */, 0x0131 /* dotless i */, 0x00DF, 0x1E9E /* sharp s */, 0x03A3, 0x03C3,
    0x03C2 /* sigmas */, 0x00C5, 0x212B /* Angstrom */, u'\r', u'\n', 0xD801, 0xDC00, 0xDC28,
    0x10A0, 0x2D00, 0xFFFF, 0x0000,
};

std::vector<char16_t> makeText(Input& in, std::size_t length, bool raw)
{
    std::vector<char16_t> out;
    for (std::size_t i = 0; i < length && !in.empty(); ++i)
        out.push_back(raw ? in.u16() : kAlphabet[in.byte() % std::size(kAlphabet)]);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in(data, size);
    const std::uint8_t flags = in.byte();
    const int start = int(std::int16_t(in.u16())) % 300;  // negatives, zero, beyond the end
    const std::size_t findLength = in.below(24);
    const std::vector<char16_t> textUnits = makeText(in, in.below(2000), flags & 1);
    std::vector<char16_t> findUnits;
    if ((flags & 2) && !textUnits.empty()) {  // a piece of the text, its case changed here and there
        const std::size_t at = in.below(unsigned(textUnits.size()));
        for (std::size_t i = at; i < std::min(at + findLength, textUnits.size()); ++i) {
            const int how = in.byte() % 4;
            const char16_t u = textUnits[i];
            findUnits.push_back(how == 1 ? QChar::toUpper(u) : how == 2 ? QChar::toLower(u)
                                : how == 3 ? kAlphabet[in.byte() % std::size(kAlphabet)] : u);
        }
    } else {
        findUnits = makeText(in, findLength, flags & 1);
    }
    const QStringView text = view(textUnits), find = view(findUnits);
    std::vector<QStringView> parts;
    for (qsizetype at = 0; at < text.size(); at += parts.back().size())
        parts.push_back(text.sliced(at, std::min<qsizetype>(in.empty() ? 64 : in.below(40), text.size() - at)));

    for (bool caseSensitive : {true, false}) {
        const int want = naiveFind(text, find, start, caseSensitive);
        const QString at = show(find) + show(text) + QStringLiteral(" from %1, case %2, want %3").arg(start).arg(caseSensitive).arg(want);
        FUZZ_CHECK(folio::findText(text, find, start, caseSensitive) == want, at);
        FUZZ_CHECK(folio::findText(parts, find, start, caseSensitive) == want, at);
    }
    return 0;
}
