// The ASCII tool's number rules against a reference written here: a pattern for the whole
// number forms, strtod for decimal values and a plain accumulator for &H / &O; the leading
// number is the longest prefix (blanks removed) the pattern accepts, found by trying every
// prefix. Also: truncation, the decimal text reading back, the loop's step, and the visible
// form of any text.
#include "colour/logic/AsciiRules.h"

#include "FuzzSupport.h"

#include <QRegularExpression>

#include <cerrno>
#include <cfloat>
#include <cmath>

using namespace fuzzsupport;
namespace ascii = folio::ascii;

namespace {

struct Ref {
    bool number = false, overflow = false, underflow = false;  // underflow: 0 is also right
    double value = 0;
    bool matches(double got) const { return got == value || (underflow && got == 0); }
};

// The reference reading of a whole text without blanks.
Ref refRead(QStringView s)
{
    static const QRegularExpression form(QStringLiteral(
        "\\A(?:[+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?|&[Hh][0-9A-Fa-f]+|&[Oo][0-7]+)\\z"));
    Ref r;
    if (!form.match(s).hasMatch())
        return r;
    r.number = true;
    if (s[0] == u'&') {
        unsigned long long m = 0;
        for (QChar c : s.sliced(2)) {
            m = m * (s[1].toUpper() == u'H' ? 16 : 8) + unsigned(QString(c).toUInt(nullptr, 16));
            if (m > 0xFFFFFFFFull) {
                r.overflow = true;
                return r;
            }
        }
        r.value = m <= 0xFFFF ? double(std::int16_t(m)) : double(std::int32_t(std::uint32_t(m)));
        return r;
    }
    errno = 0;
    r.value = std::strtod(s.toLatin1().constData(), nullptr);
    r.overflow = std::isinf(r.value);
    r.underflow = errno == ERANGE && !r.overflow;
    return r;
}

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

QString num(std::optional<double> v) { return v ? QString::number(*v, 'g', 17) : QStringLiteral("nothing"); }

void checkDecimalText(double x)
{
    const double t = ascii::truncateTowardZero(x);
    const QString text = ascii::decimalText(x);
    const QString at = num(x) + QStringLiteral(" -> ") + show(text);
    FUZZ_CHECK(std::floor(t) == t && std::fabs(x - t) < 1 && std::fabs(t) <= std::fabs(x), at);
    FUZZ_CHECK(t == 0 ? !std::signbit(t) : std::signbit(t) == std::signbit(x), at);
    FUZZ_CHECK(!text.isEmpty() && !isBlank(text[0]), at);
    if (std::fabs(x) < 1e15 && std::floor(x) == x)
        FUZZ_CHECK(!text.contains(u'.') && !text.contains(u'E'), at);
    if (std::fabs(x) > 1.7976931348623e308)
        return;  // 15 digits may round beyond the largest double
    const auto back = ascii::numberOf(text);
    FUZZ_CHECK(back && ascii::leadingNumber(text) == back, at);
    if (std::fabs(x) >= DBL_MIN)
        FUZZ_CHECK(std::fabs(*back - x) <= 1e-14 * std::fabs(x), at + num(back));
}

void checkText(QStringView text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    const Ref whole = refRead(text.sliced(b, e - b));
    const auto number = ascii::numberOf(text);
    FUZZ_CHECK(ascii::isNumeric(text) == number.has_value(), show(text));
    FUZZ_CHECK(number.has_value() == (whole.number && !whole.overflow) && (!number || whole.matches(*number)),
               show(text) + num(number) + num(whole.value));

    QString compact = text.toString();
    compact.removeIf([](QChar c) { return isBlank(c); });
    Ref lead;
    for (qsizetype len = compact.size(); len > 0 && !lead.number; --len)
        lead = refRead(QStringView(compact).first(len));
    const auto got = ascii::leadingNumber(text);
    FUZZ_CHECK(got.has_value() == !lead.overflow && (!got || lead.matches(*got)), show(text) + num(got) + num(lead.value));
    if (number)
        FUZZ_CHECK(got == number, show(text));

    for (const auto dir : {ascii::LoopDirection::Previous, ascii::LoopDirection::Next}) {
        const auto result = ascii::loopStepText(text, dir);
        FUZZ_CHECK(got || !result, show(text));
        if (!result)
            continue;  // the stepped value may not read back (beyond the largest double)
        const auto reads = ascii::leadingNumber(*result);
        const bool next = dir == ascii::LoopDirection::Next;
        const double want = *got + (next ? 1 : -1);
        const double wrapped = want == (next ? 256 : -1) ? (next ? 0 : 255) : want;
        const QString at = show(text) + QStringLiteral(" -> ") + show(*result);
        FUZZ_CHECK(reads && ascii::isNumeric(*result), at);
        if (std::floor(*got) == *got && std::fabs(*got) < 1e14)
            FUZZ_CHECK(*reads == wrapped, at);
        else if (*result != u"255" && *result != u"0")
            FUZZ_CHECK(std::fabs(*reads - want) <= 1e-14 * std::max(1.0, std::fabs(want)), at);
    }

    const QString visible = ascii::visibleForm(text);
    FUZZ_CHECK(visible.size() == text.size(), show(text));
    for (qsizetype i = 0; i < visible.size(); ++i) {
        const bool plain = text[i] >= u' ' && text[i] != u'\x7F';
        FUZZ_CHECK(visible[i] >= u' ' && visible[i] != u'\x7F' && (!plain || visible[i] == text[i]), show(text));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in(data, size);
    const std::uint8_t mode = in.byte();
    std::uint64_t bits = 0;  // any double, straight from the bits
    for (int i = 0; i < 8; ++i)
        bits |= std::uint64_t(in.byte()) << (8 * i);
    double x;
    std::memcpy(&x, &bits, sizeof x);
    if (std::isfinite(x))
        checkDecimalText(x);

    // The text: the bytes as Latin-1, or mostly characters numbers are made of.
    static constexpr char16_t alphabet[] = {
        u'0', u'1', u'2', u'5', u'7', u'8', u'9', u'.', u'+', u'-', u'e', u'E', u'&', u'H',
        u'h', u'O', u'o', u'F', u'a', u'g', u' ', u'\t', u'\r', u'\n', u'0', u'0', u'9', u'1',
        u'd', u'x', 0x00A0, 0x0661, 0xFF11, 0x2212, u',', u'$',
    };
    std::vector<char16_t> units;
    for (std::uint8_t b : in.rest())
        units.push_back((mode & 1) ? char16_t(b) : alphabet[b % std::size(alphabet)]);
    units.resize(std::min<std::size_t>(units.size(), 200));  // every prefix is tried
    checkText(view(units));
    return 0;
}
