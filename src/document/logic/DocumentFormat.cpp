#include "document/logic/DocumentFormat.h"

#include "platform/logic/Utf8.h"

#include <cstring>
#include <optional>

namespace folio::docformat {

namespace {

const char* findCR(const char* from, const char* end)
{
    return static_cast<const char*>(std::memchr(from, '\r', static_cast<size_t>(end - from)));
}

enum class Reading {
    Windows1252,  // every byte a character
    Utf8Only,     // valid UTF-8 or nothing
    Detect,       // UTF-8 while valid; from the first invalid byte on Windows-1252, if only
                  // ASCII came before it (which reads the same either way)
};

struct Lines {
    QString text;
    bool multiByte = false;  // a multi-byte UTF-8 sequence was decoded
};

// The text of the lines of `bytes` (see the header), or nothing when reading as UTF-8 has to
// give up: in Utf8Only at any invalid byte, in Detect at one that follows a multi-byte
// sequence.
std::optional<Lines> readLines(QByteArrayView bytes, Reading reading)
{
    const qsizetype n = bytes.size();
    if (n == 0)
        return Lines{};

    // The line end at the very end of the file closes the last line and adds nothing. What
    // remains are the lines joined by their line ends; each becomes CR LF in the text.
    qsizetype bodyLen = n;
    if (bytes[n - 1] == '\r')
        bodyLen = n - 1;
    else if (n >= 2 && bytes[n - 2] == '\r' && bytes[n - 1] == '\n')
        bodyLen = n - 2;
    const char* body = bytes.data();
    const char* bodyEnd = body + bodyLen;

    // A lone CR grows by one character (to CR LF); count those first so the text is
    // allocated once. In Windows-1252 that is its final size; UTF-8 needs at most as many
    // units as it has bytes. (CR is never part of a multi-byte sequence, so every stretch
    // between two CRs decodes on its own.)
    qsizetype loneCRs = 0;
    for (const char* cr = findCR(body, bodyEnd); cr; cr = findCR(cr + 1, bodyEnd)) {
        if (cr + 1 == bodyEnd || cr[1] != '\n')
            ++loneCRs;
    }

    Lines lines;
    QString& text = lines.text;
    text = QString(2 + bodyLen + loneCRs, Qt::Uninitialized);
    QChar* out = text.data();
    *out++ = QChar(kCR);
    *out++ = QChar(kLF);
    const char* p = body;
    while (p < bodyEnd) {
        const char* cr = findCR(p, bodyEnd);
        const QByteArrayView chunk(p, (cr ? cr : bodyEnd) - p);
        if (reading == Reading::Windows1252) {
            cp1252::decodeInto(chunk, out);
            out += chunk.size();
        } else {
            const utf8::Decoded d = utf8::decodeValidPrefix(chunk, out);
            out += d.written;
            if (d.written != d.read)
                lines.multiByte = true;
            if (d.read < chunk.size()) {
                if (reading == Reading::Utf8Only || lines.multiByte)
                    return std::nullopt;
                // Nothing but ASCII so far: what has been decoded is the Windows-1252 text too.
                reading = Reading::Windows1252;
                cp1252::decodeInto(chunk.sliced(d.read), out);
                out += chunk.size() - d.read;
            }
        }
        if (!cr)
            break;
        *out++ = QChar(kCR);
        *out++ = QChar(kLF);
        p = (cr + 1 < bodyEnd && cr[1] == '\n') ? cr + 2 : cr + 1;
    }
    const qsizetype length = out - text.constData();
    Q_ASSERT(length <= text.size());
    Q_ASSERT(lines.multiByte || length == text.size());
    text.truncate(length);
    // Text far from ASCII (three bytes a character) leaves much of the room unused.
    if (text.capacity() - length > length / 4)
        text.squeeze();
    return lines;
}

}  // namespace

DecodedFile decodeFile(QByteArrayView bytes)
{
    const QByteArrayView mark(utf8::kByteOrderMark);
    if (bytes.startsWith(mark)) {
        if (std::optional<Lines> lines = readLines(bytes.sliced(mark.size()), Reading::Utf8Only))
            return {std::move(lines->text), Encoding::Utf8WithMark};
    } else if (std::optional<Lines> lines = readLines(bytes, Reading::Detect)) {
        return {std::move(lines->text), lines->multiByte ? Encoding::Utf8 : Encoding::Windows1252};
    }
    return {std::move(readLines(bytes, Reading::Windows1252)->text), Encoding::Windows1252};
}

QByteArrayView leadingBytes(Encoding encoding)
{
    return encoding == Encoding::Utf8WithMark ? QByteArrayView(utf8::kByteOrderMark) : QByteArrayView();
}

qsizetype maxBytesPerUnit(Encoding encoding)
{
    return encoding == Encoding::Windows1252 ? 1 : utf8::kMaxBytesPerUnit;
}

qsizetype encodeInto(Encoding encoding, QStringView text, char* out, bool onlyIfHeld)
{
    if (encoding == Encoding::Windows1252)
        return onlyIfHeld ? cp1252::encodeIntoIfHeld(text, out) : cp1252::encodeInto(text, out);
    return onlyIfHeld ? utf8::encodeIntoIfHeld(text, out) : utf8::encodeInto(text, out);
}

Unrepresentable findUnrepresentable(Encoding encoding, std::span<const QStringView> parts)
{
    if (encoding == Encoding::Windows1252)
        return cp1252::findUnrepresentable(parts);
    return utf8::findUnrepresentable(parts);
}

QString displayName(Encoding encoding)
{
    return encoding == Encoding::Windows1252 ? QStringLiteral("Windows-1252") : QStringLiteral("UTF-8");
}

QByteArray fileBytesFromText(QStringView text, Encoding encoding)
{
    const QByteArrayView lead = leadingBytes(encoding);
    QByteArray bytes(lead.size() + text.size() * maxBytesPerUnit(encoding) + 2, Qt::Uninitialized);
    if (!lead.isEmpty())
        std::memcpy(bytes.data(), lead.data(), size_t(lead.size()));
    qsizetype written = lead.size() + encodeInto(encoding, text, bytes.data() + lead.size(), false);
    bytes[written++] = '\r';
    bytes[written++] = '\n';
    bytes.truncate(written);
    return bytes;
}

}  // namespace folio::docformat
