#pragma once
// Shared pieces of the fuzz targets: a reader that turns the fuzzer's bytes into values,
// a check that stops the run with a readable message, and a Windows-1252 table and a UTF-8
// encoder written out here on their own, so the code is checked against something it did
// not produce.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace fuzzsupport {

// Prints what went wrong and aborts, which libFuzzer reports as a crash with the input saved.
[[noreturn]] inline void fail(const char* file, int line, const char* what, const QString& detail)
{
    std::fprintf(stderr, "\n%s:%d: check failed: %s\n", file, line, what);
    if (!detail.isEmpty())
        std::fprintf(stderr, "%s\n", detail.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

#define FUZZ_CHECK(cond, detail)                                          \
    do {                                                                  \
        if (!(cond))                                                      \
            ::fuzzsupport::fail(__FILE__, __LINE__, #cond, (detail));     \
    } while (0)

// A text shown with every unit outside printable ASCII escaped, for failure messages.
inline QString show(QStringView s, qsizetype limit = 400)
{
    QString out = QStringLiteral("\"");
    for (qsizetype i = 0; i < s.size() && i < limit; ++i) {
        const char16_t u = s[i].unicode();
        if (u >= 0x20 && u < 0x7F && u != u'\\' && u != u'"')
            out += QChar(u);
        else
            out += QStringLiteral("\\u%1").arg(unsigned(u), 4, 16, QLatin1Char('0'));
    }
    if (s.size() > limit)
        out += QStringLiteral("...");
    out += QStringLiteral("\" (%1 units)").arg(s.size());
    return out;
}

// Bytes shown as the characters of the same values.
inline QString show(QByteArrayView b, qsizetype limit = 400) { return show(QString::fromLatin1(b.data(), b.size()), limit); }

// Consumes the fuzzer's bytes front to back; once they run out every value reads as 0.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_pos >= m_size; }

    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    std::uint16_t u16()
    {
        const std::uint16_t lo = byte();
        return std::uint16_t(lo | (std::uint16_t(byte()) << 8));
    }
    // A value in [0, bound), bound > 0.
    unsigned below(unsigned bound)
    {
        const unsigned v = bound <= 256 ? byte() : u16();
        return v % bound;
    }
    double f64()
    {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits |= std::uint64_t(byte()) << (8 * i);
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    // The bytes not read yet.
    std::vector<std::uint8_t> rest()
    {
        std::vector<std::uint8_t> out(m_data + std::min(m_pos, m_size), m_data + m_size);
        m_pos = m_size;
        return out;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// Windows-1252, byte -> character. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 control character of the same value.
inline char16_t cp1252Char(std::uint8_t b)
{
    static constexpr char16_t high[32] = {
        u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
        u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
        u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
        u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
    };
    return (b >= 0x80 && b < 0xA0) ? high[b - 0x80] : char16_t(b);
}

// Character -> byte, by searching the table above; nothing for a character it does not hold.
inline std::optional<std::uint8_t> cp1252Byte(char16_t c)
{
    static const std::vector<std::int16_t> reverse = [] {
        std::vector<std::int16_t> r(0x10000, -1);
        for (int b = 0; b < 256; ++b)
            r[cp1252Char(std::uint8_t(b))] = std::int16_t(b);
        return r;
    }();
    const std::int16_t b = reverse[c];
    if (b < 0)
        return std::nullopt;
    return std::uint8_t(b);
}

inline QString cp1252Decode(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes)
        out += QChar(cp1252Char(static_cast<std::uint8_t>(b)));
    return out;
}

// The bytes of a text with every character the code page cannot hold written as '?', a
// complete surrogate pair counting as one character. `replaced` receives the number of
// characters written as '?'.
inline QByteArray cp1252Encode(QStringView text, qsizetype* replaced = nullptr)
{
    QByteArray out;
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (const auto b = cp1252Byte(c)) {
            out += char(*b);
            continue;
        }
        out += '?';
        ++count;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;
    }
    if (replaced)
        *replaced = count;
    return out;
}

// UTF-8 written out by the book, one code point at a time: a surrogate half without its
// partner becomes '?', counted in `replaced`.
inline QByteArray utf8Encode(QStringView text, qsizetype* replaced = nullptr)
{
    QByteArray out;
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            c = QChar::surrogateToUcs4(char16_t(c), text[i + 1].unicode());
            ++i;
        } else if (QChar::isSurrogate(c)) {
            out += '?';
            ++count;
            continue;
        }
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    if (replaced)
        *replaced = count;
    return out;
}

// Text owned by an exactly sized heap buffer, so AddressSanitizer sees any read past its end
// (a QString may hold spare capacity behind its last character).
class ExactText {
public:
    ExactText() = default;
    explicit ExactText(std::vector<char16_t> units) : m_units(std::move(units)) {}
    QStringView view() const { return QStringView(m_units.data(), qsizetype(m_units.size())); }
    QString string() const { return view().toString(); }

private:
    std::vector<char16_t> m_units;
};

}  // namespace fuzzsupport
