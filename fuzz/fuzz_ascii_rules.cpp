// The ASCII tool's number rules: the numeric test, the leading-number reading of the loop,
// truncation toward zero, the decimal text and the loop's step.
//
// Texts are checked against a reference written here from the documented forms: a matcher
// that says whether a whole text is one number, strtod for decimal values, and a plain
// accumulator for &H / &O. The leading number is the longest prefix (blanks removed) the
// matcher accepts, found by trying every prefix.
#include "colour/logic/AsciiRules.h"

#include "FuzzSupport.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>

using namespace fuzzsupport;
namespace ascii = folio::ascii;

namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The longest prefix that is read is bounded by the text, and every prefix is tried: keep
// the texts short enough for that.
constexpr qsizetype kMaxText = 200;

// Whether the whole of `s` has the form of one number.
bool wholeIsNumberForm(QStringView s)
{
    if (s.size() >= 2 && s[0] == u'&') {
        const char16_t kind = s[1].unicode();
        int base = 0;
        if (kind == u'H' || kind == u'h')
            base = 16;
        else if (kind == u'O' || kind == u'o')
            base = 8;
        else
            return false;
        if (s.size() == 2)
            return false;
        for (qsizetype i = 2; i < s.size(); ++i) {
            const char16_t c = s[i].unicode();
            const bool ok = base == 16 ? (isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'))
                                       : (c >= u'0' && c <= u'7');
            if (!ok)
                return false;
        }
        return true;
    }
    enum State { Start, Sign, Int, Point, Frac, E, ESign, EDigits } st = Start;
    bool mantissaDigit = false;
    for (QChar qc : s) {
        const char16_t c = qc.unicode();
        switch (st) {
        case Start:
            if (c == u'+' || c == u'-') st = Sign;
            else if (isDigit(c)) { st = Int; mantissaDigit = true; }
            else if (c == u'.') st = Point;
            else return false;
            break;
        case Sign:
            if (isDigit(c)) { st = Int; mantissaDigit = true; }
            else if (c == u'.') st = Point;
            else return false;
            break;
        case Int:
            if (isDigit(c)) {}
            else if (c == u'.') st = Point;
            else if (c == u'e' || c == u'E') st = E;
            else return false;
            break;
        case Point:
        case Frac:
            if (isDigit(c)) { st = Frac; mantissaDigit = true; }
            else if ((c == u'e' || c == u'E') && mantissaDigit) st = E;
            else return false;
            break;
        case E:
            if (c == u'+' || c == u'-') st = ESign;
            else if (isDigit(c)) st = EDigits;
            else return false;
            break;
        case ESign:
        case EDigits:
            if (isDigit(c)) st = EDigits;
            else return false;
            break;
        }
    }
    return mantissaDigit && (st == Int || st == Point || st == Frac || st == EDigits);
}

struct RefValue {
    bool overflow = false;
    double value = 0;
    bool underflow = false;  // strtod reported a value too small: 0 is also right
};

// The value of a text that has the form of a number.
RefValue valueOf(QStringView s)
{
    RefValue r;
    if (s[0] == u'&') {
        const int base = (s[1] == u'H' || s[1] == u'h') ? 16 : 8;
        unsigned long long m = 0;
        for (qsizetype i = 2; i < s.size(); ++i) {
            const char16_t c = s[i].unicode();
            const int d = isDigit(c) ? c - u'0' : (c >= u'a' && c <= u'f') ? c - u'a' + 10 : c - u'A' + 10;
            m = m * base + unsigned(d);
            if (m > 0xFFFFFFFFull) {
                r.overflow = true;
                return r;
            }
        }
        if (m <= 0xFFFF)
            r.value = double(std::int16_t(std::uint16_t(m)));
        else
            r.value = double(std::int32_t(std::uint32_t(m)));
        return r;
    }
    const QByteArray ascii = s.toLatin1();
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(ascii.constData(), &end);
    if (end != ascii.constData() + ascii.size())
        fail(__FILE__, __LINE__, "strtod read the whole number form", show(s));
    if (std::isinf(v)) {
        r.overflow = true;
        return r;
    }
    r.value = v;
    r.underflow = errno == ERANGE;
    return r;
}

bool sameValue(double got, const RefValue& want)
{
    if (got == want.value)
        return true;
    return want.underflow && got == 0;
}

QString numText(std::optional<double> v)
{
    return v ? QString::number(*v, 'g', 17) : QStringLiteral("nothing");
}

std::optional<RefValue> refNumberOf(QStringView text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && isBlank(text[b].unicode()))
        ++b;
    while (e > b && isBlank(text[e - 1].unicode()))
        --e;
    const QStringView core = text.sliced(b, e - b);
    if (core.isEmpty() || !wholeIsNumberForm(core))
        return std::nullopt;
    return valueOf(core);
}

RefValue refLeadingNumber(QStringView text)
{
    QString compact;
    for (QChar c : text)
        if (!isBlank(c.unicode()))
            compact += c;
    for (qsizetype len = compact.size(); len > 0; --len) {
        const QStringView prefix = QStringView(compact).first(len);
        if (wholeIsNumberForm(prefix))
            return valueOf(prefix);
    }
    return RefValue{};
}

void checkTruncation(double x)
{
    const double t = ascii::truncateTowardZero(x);
    if (!std::isfinite(x))
        return;
    const QString at = QString::number(x, 'g', 17);
    FUZZ_CHECK(std::isfinite(t) && std::floor(t) == t, at);
    FUZZ_CHECK(std::fabs(t) <= std::fabs(x), at);
    FUZZ_CHECK(std::fabs(x - t) < 1, at);
    FUZZ_CHECK(t != 0 || !std::signbit(t), at + QStringLiteral(" gave -0"));
    FUZZ_CHECK(t == 0 || std::signbit(t) == std::signbit(x), at);
}

void checkDecimalText(double x)
{
    if (!std::isfinite(x))
        return;
    const QString text = ascii::decimalText(x);
    const QString at = QString::number(x, 'g', 17) + QStringLiteral(" -> ") + show(text);
    FUZZ_CHECK(!text.isEmpty() && !isBlank(text[0].unicode()), at);
    if (std::fabs(x) < 1e15 && std::floor(x) == x) {
        FUZZ_CHECK(!text.contains(u'.') && !text.contains(u'E') && !text.contains(u'e'), at);
    }
    if (std::fabs(x) > 1.7976931348623e308)
        return;  // 15 digits may round beyond the largest double
    const auto back = ascii::numberOf(text);
    FUZZ_CHECK(back.has_value(), at);
    const auto lead = ascii::leadingNumber(text);
    FUZZ_CHECK(lead && *lead == *back, at);
    if (std::fabs(x) >= DBL_MIN)
        FUZZ_CHECK(std::fabs(*back - x) <= 1e-14 * std::fabs(x), at + QStringLiteral(" reads ") + numText(back));
}

void checkStep(QStringView input, ascii::LoopDirection dir)
{
    const auto result = ascii::loopStepText(input, dir);
    const auto current = ascii::leadingNumber(input);
    const bool previous = dir == ascii::LoopDirection::Previous;
    const QString at = show(input) + (previous ? QStringLiteral(" previous") : QStringLiteral(" next"));
    if (!current) {
        FUZZ_CHECK(!result, at);
        return;
    }
    if (!result)
        return;  // the stepped value may not read back (beyond the largest double)
    const auto reads = ascii::leadingNumber(*result);
    FUZZ_CHECK(reads.has_value() && ascii::isNumeric(*result), at + QStringLiteral(" -> ") + show(*result));
    const double want = previous ? *current - 1 : *current + 1;
    if (*result == u"255" && previous && std::fabs(want + 1) <= 1e-14)
        return;
    if (*result == u"0" && !previous && std::fabs(want - 256) <= 256e-14)
        return;
    FUZZ_CHECK(std::fabs(*reads - want) <= 1e-14 * std::max(1.0, std::fabs(want)),
               at + QStringLiteral(" -> ") + show(*result) + QStringLiteral(", from ") + numText(current));
    if (std::floor(*current) == *current && std::fabs(*current) < 1e14) {
        FUZZ_CHECK(*reads == want && want != (previous ? -1 : 256), at + QStringLiteral(" -> ") + show(*result));
    }
}

void checkText(QStringView text)
{
    const auto number = ascii::numberOf(text);
    const bool numeric = ascii::isNumeric(text);
    FUZZ_CHECK(numeric == number.has_value(), show(text));
    if (number)
        FUZZ_CHECK(std::isfinite(*number), show(text));

    const auto ref = refNumberOf(text);
    const bool refNumeric = ref && !ref->overflow;
    FUZZ_CHECK(numeric == refNumeric,
               show(text) + QStringLiteral(" numeric %1, want %2").arg(numeric).arg(refNumeric));
    if (numeric)
        FUZZ_CHECK(sameValue(*number, *ref),
                   show(text) + QStringLiteral(" is ") + numText(number) + QStringLiteral(", want ") + numText(ref->value));

    const auto lead = ascii::leadingNumber(text);
    const RefValue refLead = refLeadingNumber(text);
    FUZZ_CHECK(lead.has_value() == !refLead.overflow,
               show(text) + QStringLiteral(" leading ") + numText(lead));
    if (lead) {
        FUZZ_CHECK(std::isfinite(*lead), show(text));
        FUZZ_CHECK(sameValue(*lead, refLead),
                   show(text) + QStringLiteral(" leading ") + numText(lead) + QStringLiteral(", want ") + numText(refLead.value));
    }
    if (numeric)
        FUZZ_CHECK(lead && *lead == *number, show(text));

    if (number) {
        checkTruncation(*number);
        checkDecimalText(*number);
    }
    if (lead)
        checkDecimalText(*lead);
    checkStep(text, ascii::LoopDirection::Previous);
    checkStep(text, ascii::LoopDirection::Next);

    // The tool's buttons.
    const ascii::ToolAnswer byNumber = ascii::lookupAnswer(ascii::LookupMode::NumberToCharacter, text);
    const ascii::ToolAnswer byLoop = ascii::loopAnswer(text);
    FUZZ_CHECK(byNumber.answer == byLoop.answer && byNumber.refusal == byLoop.refusal, show(text));
    if (number && ascii::truncateTowardZero(*number) >= 0 && ascii::truncateTowardZero(*number) <= 255) {
        const int code = int(ascii::truncateTowardZero(*number));
        FUZZ_CHECK(byNumber.accepted() && byNumber.answer.size() == 1, show(text));
        FUZZ_CHECK(byNumber.answer[0].unicode() == cp1252Char(std::uint8_t(code)), show(text));
    } else {
        FUZZ_CHECK(!byNumber.accepted() && byNumber.refusal == ascii::kNumberRefusal, show(text));
    }
    const ascii::ToolAnswer byChar = ascii::lookupAnswer(ascii::LookupMode::CharacterToNumber, text);
    const auto code = text.isEmpty() ? std::nullopt : cp1252Byte(text[0].unicode());
    if (code) {
        FUZZ_CHECK(byChar.accepted() && byChar.answer == QString::number(*code), show(text));
    } else {
        FUZZ_CHECK(!byChar.accepted() && byChar.refusal == ascii::kCharacterRefusal, show(text));
    }
    const QString visible = ascii::visibleForm(text);
    FUZZ_CHECK(visible.size() == text.size(), show(text));
    for (qsizetype i = 0; i < visible.size(); ++i) {
        const char16_t c = visible[i].unicode();
        FUZZ_CHECK(c >= 0x20 && c != 0x7F, show(text));
        const char16_t o = text[i].unicode();
        if (o >= 0x20 && o != 0x7F)
            FUZZ_CHECK(c == o, show(text));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in(data, size);
    const std::uint8_t mode = in.byte();

    // Any double, straight from the bits.
    const double x = in.f64();
    checkTruncation(x);
    checkDecimalText(x);
    for (int code = -1; code <= 256; code += 1 + int(in.below(64))) {
        const QString c = ascii::characterOfCode(code);
        FUZZ_CHECK((code >= 0 && code <= 255) == (c.size() == 1), QString::number(code));
        if (c.size() == 1)
            FUZZ_CHECK(ascii::codeOfCharacter(c) == code, QString::number(code));
    }

    // The text: mostly characters numbers are made of, so the forms come up often.
    static constexpr char16_t alphabet[] = {
        u'0', u'1', u'2', u'5', u'7', u'8', u'9', u'.', u'+', u'-', u'e', u'E', u'&', u'H',
        u'h', u'O', u'o', u'F', u'a', u'g', u' ', u'\t', u'\r', u'\n', u'0', u'0', u'9', u'1',
        u'd', u'x', 0x00A0, 0x0661, 0xFF11, 0x2212, u',', u'$',
    };
    std::vector<char16_t> units;
    const std::vector<std::uint8_t> rest = in.rest();
    if (mode & 1) {
        for (std::uint8_t b : rest)  // the bytes as Latin-1
            units.push_back(b);
    } else {
        for (std::uint8_t b : rest)
            units.push_back(alphabet[b % std::size(alphabet)]);
    }
    if (units.size() > std::size_t(kMaxText))
        units.resize(std::size_t(kMaxText));
    const ExactText text{std::move(units)};
    checkText(text.view());
    return 0;
}
