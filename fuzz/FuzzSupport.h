#pragma once
// Shared pieces of the fuzz targets: a reader that turns the fuzzer's bytes into values and a
// check that stops the run with a readable message.
#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

}  // namespace fuzzsupport
