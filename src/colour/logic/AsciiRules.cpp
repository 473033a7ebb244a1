#include "colour/logic/AsciiRules.h"

#include "platform/logic/CodePage.h"

#include <QByteArray>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace folio::ascii {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int hexDigit(QChar c)
{
    if (isDigit(c))
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

int octalDigit(QChar c)
{
    return (c >= u'0' && c <= u'7') ? c.unicode() - u'0' : -1;
}

// A number found at the start of a text.
struct Scan {
    qsizetype length = 0;  // characters taken; 0 when the text does not start with a number
    double value = 0;
    bool overflow = false;
};

// "&H..." or "&O...": at least one digit; the value as a 16-bit or 32-bit signed integer.
Scan scanRadix(QStringView s)
{
    Scan out;
    if (s.size() < 2 || s[0] != u'&')
        return out;
    const QChar kind = s[1].toUpper();
    int base = 0;
    if (kind == u'H')
        base = 16;
    else if (kind == u'O')
        base = 8;
    else
        return out;

    constexpr std::uint64_t kLimit = 0xFFFFFFFFu;
    std::uint64_t magnitude = 0;
    bool tooLarge = false;
    qsizetype pos = 2;
    for (; pos < s.size(); ++pos) {
        const int d = base == 16 ? hexDigit(s[pos]) : octalDigit(s[pos]);
        if (d < 0)
            break;
        magnitude = magnitude * base + d;
        if (magnitude > kLimit) {
            tooLarge = true;
            magnitude = kLimit + 1;  // stays above the limit, never wraps
        }
    }
    if (pos == 2)
        return out;
    out.length = pos;
    if (tooLarge)
        out.overflow = true;
    else if (magnitude <= 0xFFFF)
        out.value = static_cast<std::int16_t>(static_cast<std::uint16_t>(magnitude));
    else
        out.value = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
    return out;
}

// Decimal form: [sign] digits [. digits] [e [sign] digits], with at least one mantissa digit.
Scan scanDecimal(QStringView s)
{
    Scan out;
    qsizetype pos = 0;
    const bool negative = pos < s.size() && s[pos] == u'-';
    if (pos < s.size() && (s[pos] == u'+' || s[pos] == u'-'))
        ++pos;

    // Where the first significant digit stands relative to the point, to tell an overflow
    // from an underflow when the conversion reports the value out of range.
    qsizetype intDigits = 0;
    qsizetype fracDigits = 0;
    qsizetype significantIntDigits = 0;
    qsizetype zerosBeforeFraction = 0;
    bool seenSignificant = false;
    for (; pos < s.size() && isDigit(s[pos]); ++pos, ++intDigits) {
        if (s[pos] != u'0')
            seenSignificant = true;
        if (seenSignificant)
            ++significantIntDigits;
    }
    if (pos < s.size() && s[pos] == u'.') {
        ++pos;
        for (; pos < s.size() && isDigit(s[pos]); ++pos, ++fracDigits) {
            if (s[pos] != u'0')
                seenSignificant = true;
            else if (!seenSignificant)
                ++zerosBeforeFraction;
        }
    }
    if (intDigits + fracDigits == 0)
        return out;

    long long exponent = 0;
    if (pos < s.size() && (s[pos] == u'e' || s[pos] == u'E')) {
        qsizetype e = pos + 1;
        bool negativeExponent = false;
        if (e < s.size() && (s[e] == u'+' || s[e] == u'-')) {
            negativeExponent = s[e] == u'-';
            ++e;
        }
        const qsizetype digitsStart = e;
        for (; e < s.size() && isDigit(s[e]); ++e) {
            if (exponent < 1'000'000)  // far beyond any double; saturate
                exponent = exponent * 10 + (s[e].unicode() - u'0');
        }
        if (e > digitsStart) {
            pos = e;
            if (negativeExponent)
                exponent = -exponent;
        }
    }
    out.length = pos;

    // Everything taken is ASCII; a leading '+' is not part of what from_chars reads.
    const qsizetype from = (s[0] == u'+') ? 1 : 0;
    const QByteArray ascii = s.sliced(from, pos - from).toLatin1();
    double value = 0;
    const auto [ptr, ec] = std::from_chars(ascii.constData(), ascii.constData() + ascii.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // The decimal exponent of the first significant digit decides which way it went.
        const long long leading = significantIntDigits > 0 ? exponent + significantIntDigits - 1
                                                           : exponent - zerosBeforeFraction - 1;
        if (leading > 0)
            out.overflow = true;
        else
            value = negative ? -0.0 : 0.0;
    } else if (ec != std::errc() || ptr != ascii.constData() + ascii.size()) {
        // Cannot happen for what the scan accepted; treat it as no number at all.
        return Scan{};
    }
    out.value = value;
    return out;
}

Scan scanNumber(QStringView s)
{
    if (!s.isEmpty() && s[0] == u'&')
        return scanRadix(s);
    return scanDecimal(s);
}

QStringView trimBlanks(QStringView s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.sliced(begin, end - begin);
}

ToolAnswer refuse(QStringView message)
{
    return ToolAnswer{QString(), message.toString()};
}

ToolAnswer characterOfNumberText(QStringView input)
{
    const std::optional<double> number = numberOf(input);
    if (!number)
        return refuse(kNumberRefusal);
    const double n = truncateTowardZero(*number);
    if (n < 0 || n > 255)
        return refuse(kNumberRefusal);
    return ToolAnswer{characterOfCode(static_cast<int>(n)), QString()};
}

}  // namespace

bool isNumeric(QStringView text)
{
    return numberOf(text).has_value();
}

std::optional<double> numberOf(QStringView text)
{
    const QStringView core = trimBlanks(text);
    if (core.isEmpty())
        return std::nullopt;
    const Scan scan = scanNumber(core);
    if (scan.length != core.size() || scan.overflow)
        return std::nullopt;
    return scan.value;
}

double truncateTowardZero(double value)
{
    const double t = std::trunc(value);
    return t == 0 ? 0.0 : t;  // no negative zero
}

std::optional<double> leadingNumber(QStringView text)
{
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text) {
        if (!isBlank(c))
            compact.append(c);
    }
    const Scan scan = scanNumber(compact);
    if (scan.overflow)
        return std::nullopt;
    return scan.length > 0 ? scan.value : 0.0;
}

QString decimalText(double value)
{
    if (value == 0)
        return QStringLiteral("0");  // also for -0
    return QString::number(value, 'g', 15).toUpper();
}

QString characterOfCode(int code)
{
    if (code < 0 || code > 255)
        return QString();
    return QString(cp1252::toChar(static_cast<unsigned char>(code)));
}

std::optional<int> codeOfCharacter(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    const std::optional<unsigned char> byte = cp1252::toByte(text[0]);
    if (!byte)
        return std::nullopt;
    return int(*byte);
}

QString visibleForm(QStringView answer)
{
    QString out = answer.toString();
    for (QChar& c : out) {
        if (c.unicode() < 0x20)
            c = QChar(char16_t(0x2400 + c.unicode()));  // SYMBOL FOR NULL onwards
        else if (c.unicode() == 0x7F)
            c = QChar(char16_t(0x2421));  // SYMBOL FOR DELETE
    }
    return out;
}

ToolAnswer lookupAnswer(LookupMode mode, QStringView input)
{
    if (mode == LookupMode::NumberToCharacter)
        return characterOfNumberText(input);

    const std::optional<int> code = codeOfCharacter(input);
    if (!code)
        return refuse(kCharacterRefusal);
    return ToolAnswer{decimalText(double(*code)), QString()};
}

ToolAnswer loopAnswer(QStringView input)
{
    return characterOfNumberText(input);
}

std::optional<QString> loopStepText(QStringView input, LoopDirection direction)
{
    const std::optional<double> current = leadingNumber(input);
    if (!current)
        return std::nullopt;
    const bool previous = direction == LoopDirection::Previous;
    const QString stepped = decimalText(previous ? *current - 1 : *current + 1);

    const std::optional<double> reads = leadingNumber(stepped);
    if (!reads)
        return std::nullopt;
    if (previous && *reads == -1)
        return QStringLiteral("255");
    if (!previous && *reads == 256)
        return QStringLiteral("0");
    return stepped;
}

}  // namespace folio::ascii
