// The find panel's search against a naive one.
//
// The reference tries every start position from the given one (a start below 1 counts as
// 1) and compares unit by unit, lower-casing each UTF-16 unit with QChar::toLower when the
// case does not matter. Texts come from a small alphabet rich in letters whose case mapping
// is unusual (the Kelvin sign, the dotted capital I, final sigma, sharp s), in line breaks
// and in surrogates, so that matches and near-matches are frequent; the searched-for text is
// often cut from the text itself with its letters' case changed. The text is also searched
// cut into parts at places the input chooses, as the text box hands it over.
#include "document/logic/FindText.h"

#include "FuzzSupport.h"

using namespace fuzzsupport;

namespace {

int naiveFind(QStringView text, QStringView find, int start1Based, bool caseSensitive)
{
    if (find.isEmpty())
        return 0;
    const qsizetype from = start1Based < 1 ? 0 : qsizetype(start1Based) - 1;
    for (qsizetype i = from; i + find.size() <= text.size(); ++i) {
        bool same = true;
        for (qsizetype j = 0; j < find.size() && same; ++j) {
            char16_t a = text[i + j].unicode();
            char16_t b = find[j].unicode();
            if (!caseSensitive) {
                a = QChar::toLower(a);
                b = QChar::toLower(b);
            }
            same = a == b;
        }
        if (same)
            return int(i + 1);
    }
    return 0;
}

constexpr char16_t kAlphabet[] = {
    u'a', u'A', u'b', u'B', u'k', u'K', 0x212A /* Kelvin */, u's', u'S', 0x017F /* long s */,
    u'i', u'I', 0x0130 /* dotted I */, 0x0131 /* dotless i */, 0x00DF /* sharp s */,
    0x1E9E /* capital sharp s */, 0x03A3, 0x03C3, 0x03C2 /* sigmas */, 0x00C5, 0x212B /* Angstrom */,
    0x00E5, u'\r', u'\n', u' ', 0xD801, 0xDC00, 0xDC28 /* surrogates of a cased letter */,
    0x0400, 0x0450, 0x10A0, 0x2D00, 0xFFFF, 0x0000,
};

std::vector<char16_t> makeText(Input& in, std::size_t length, bool raw)
{
    std::vector<char16_t> out;
    out.reserve(length);
    for (std::size_t i = 0; i < length && !in.empty(); ++i)
        out.push_back(raw ? in.u16() : kAlphabet[in.byte() % std::size(kAlphabet)]);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in(data, size);
    const std::uint8_t flags = in.byte();
    const bool raw = flags & 1;
    const bool fromText = flags & 2;
    const int start = int(std::int16_t(in.u16())) % 300;  // negatives, zero, beyond the end
    const std::size_t findLength = in.below(24);
    const std::size_t textLength = in.below(2000);

    std::vector<char16_t> findUnits;
    std::vector<char16_t> textUnits;
    if (fromText) {
        textUnits = makeText(in, textLength, raw);
        if (!textUnits.empty()) {
            // A piece of the text, some of its letters' case flipped.
            const std::size_t at = in.below(unsigned(textUnits.size()));
            const std::size_t len = std::min(findLength, textUnits.size() - at);
            for (std::size_t i = 0; i < len; ++i) {
                char16_t u = textUnits[at + i];
                switch (in.byte() % 4) {
                case 1: u = QChar::toUpper(u); break;
                case 2: u = QChar::toLower(u); break;
                case 3: u = kAlphabet[in.byte() % std::size(kAlphabet)]; break;
                default: break;
                }
                findUnits.push_back(u);
            }
        }
    } else {
        findUnits = makeText(in, findLength, raw);
        textUnits = makeText(in, textLength, raw);
    }
    const ExactText text{std::move(textUnits)};
    const ExactText find{std::move(findUnits)};
    std::vector<QStringView> parts;
    for (qsizetype at = 0; at < text.view().size();) {
        const qsizetype length = std::min<qsizetype>(in.empty() ? 64 : in.below(40), text.view().size() - at);
        parts.push_back(text.view().sliced(at, length));
        at += length;
    }

    for (bool caseSensitive : {true, false}) {
        const int got = folio::findText(text.view(), find.view(), start, caseSensitive);
        const int want = naiveFind(text.view(), find.view(), start, caseSensitive);
        FUZZ_CHECK(got == want,
                   QStringLiteral("find %1 in %2 from %3, %4: got %5, want %6")
                       .arg(show(find.view()), show(text.view()))
                       .arg(start)
                       .arg(caseSensitive ? "case-sensitive" : "any case")
                       .arg(got)
                       .arg(want));
        const int inParts = folio::findText(parts, find.view(), start, caseSensitive);
        FUZZ_CHECK(inParts == want, QStringLiteral("find %1 in %2 cut into %3 parts: got %4, want %5")
                                        .arg(show(find.view()), show(text.view()))
                                        .arg(parts.size())
                                        .arg(inParts)
                                        .arg(want));
    }

    // Lower-casing per unit keeps the length and agrees with QChar::toLower.
    const QString lower = folio::lowerPerCharacter(text.view());
    const QString upper = folio::upperPerCharacter(text.view());
    FUZZ_CHECK(lower.size() == text.view().size() && upper.size() == text.view().size(), show(text.view()));
    for (qsizetype i = 0; i < lower.size(); ++i) {
        const char16_t u = text.view()[i].unicode();
        FUZZ_CHECK(lower[i].unicode() == QChar::toLower(u) && upper[i].unicode() == QChar::toUpper(u),
                   show(text.view()));
    }
    return 0;
}
