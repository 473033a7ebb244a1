#pragma once
// Shared pieces of the fuzz targets: a reader that turns the fuzzer's bytes into values, a
// check that stops the run with a readable message, and a Windows-1252 table and UTF-8
// encoder written out here on their own, so the code is checked against something it did
// not produce.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace fuzzsupport {

// Prints what went wrong and aborts, which libFuzzer reports as a crash with the input saved.
[[noreturn]] inline void fail(const char* file, int line, const char* what, const QString& detail)
{
    std::fprintf(stderr, "\n%s:%d: check failed: %s\n%s\n", file, line, what, detail.toUtf8().constData());
    std::abort();
}

#define FUZZ_CHECK(cond, detail)                                          \
    do {                                                                  \
        if (!(cond))                                                      \
            ::fuzzsupport::fail(__FILE__, __LINE__, #cond, (detail));     \
    } while (0)

// A text with every unit outside printable ASCII escaped, for failure messages.
inline QString show(QStringView s)
{
    QString out = QStringLiteral("\"");
    for (QChar c : s)
        out += (c.unicode() >= 0x20 && c.unicode() < 0x7F && c != u'\\')
                   ? QString(c) : QStringLiteral("\\u%1").arg(unsigned(c.unicode()), 4, 16, QLatin1Char('0'));
    return out + QStringLiteral("\" (%1 units)").arg(s.size());
}
inline QString show(QByteArrayView b) { return show(QString::fromLatin1(b.data(), b.size())); }

// Consumes the fuzzer's bytes front to back; once they run out every value reads as 0.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool empty() const { return m_pos >= m_size; }
    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    std::uint16_t u16() { return std::uint16_t(byte() | (byte() << 8)); }
    // A value in [0, bound), bound > 0.
    unsigned below(unsigned bound) { return (bound <= 256 ? byte() : u16()) % bound; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// Text in an exactly sized heap buffer, so AddressSanitizer sees any read past its end (a
// QString may hold spare capacity behind its last character).
inline QStringView view(const std::vector<char16_t>& units) { return {units.data(), qsizetype(units.size())}; }

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

// Character -> byte, by inverting the table above; nothing for a character it does not hold.
inline std::optional<std::uint8_t> cp1252Byte(char16_t c)
{
    static const std::vector<int> reverse = [] {
        std::vector<int> r(0x10000, -1);
        for (int b = 0; b < 256; ++b)
            r[cp1252Char(std::uint8_t(b))] = b;
        return r;
    }();
    return reverse[c] < 0 ? std::nullopt : std::optional<std::uint8_t>(std::uint8_t(reverse[c]));
}

inline bool pairAt(QStringView t, qsizetype i)
{
    return i + 1 < t.size() && t[i].isHighSurrogate() && t[i + 1].isLowSurrogate();
}

// The bytes of a text in Windows-1252 or UTF-8 (written out by the book), with every
// character the encoding cannot hold written as '?', a surrogate pair counting as one
// character; `replaced` receives the number of characters written as '?'.
inline QByteArray encode(QStringView text, bool utf8, qsizetype* replaced = nullptr)
{
    QByteArray out;
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        const bool pair = pairAt(text, i);
        if (pair) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        if (!utf8) {
            const auto b = pair ? std::nullopt : cp1252Byte(char16_t(c));
            out += b ? char(*b) : '?';
            count += !b;
        } else if (QChar::isSurrogate(c)) {
            out += '?';
            ++count;
        } else if (c < 0x80) {
            out += char(c);
        } else {
            static constexpr unsigned lead[] = {0, 0xC0, 0xE0, 0xF0};
            const int n = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;  // continuation bytes
            out += char(lead[n] | (c >> (6 * n)));
            for (int k = n - 1; k >= 0; --k)
                out += char(0x80 | ((c >> (6 * k)) & 0x3F));
        }
    }
    if (replaced)
        *replaced = count;
    return out;
}

inline QString cp1252Decode(QByteArrayView bytes)
{
    QString out;
    for (char b : bytes)
        out += QChar(cp1252Char(static_cast<std::uint8_t>(b)));
    return out;
}

}  // namespace fuzzsupport
