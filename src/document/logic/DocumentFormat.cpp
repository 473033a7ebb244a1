#include "document/logic/DocumentFormat.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>
#include <utility>

namespace folio::docformat {

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

const char* findCR(const char* from, const char* end)
{
    return static_cast<const char*>(std::memchr(from, '\r', static_cast<size_t>(end - from)));
}

// The text of the lines of `bytes` (see the header). `decode(bytes, out)` writes at most
// one character per byte at `out` and returns how many it wrote.
template <typename Decode>
QString readLines(QByteArrayView bytes, Decode&& decode)
{
    if (bytes.isEmpty())
        return QString();
    // The line end at the very end of the file closes the last line and adds nothing. What
    // remains are the lines joined by their line ends; each becomes CR LF in the text.
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    else if (bytes.endsWith("\r\n"))
        bytes.chop(2);

    // A lone CR grows by one character (to CR LF); count those first so the text is
    // allocated once. (CR is never part of a multi-byte sequence.)
    qsizetype loneCRs = 0;
    const char* const end = bytes.data() + bytes.size();
    for (const char* cr = findCR(bytes.data(), end); cr; cr = findCR(cr + 1, end)) {
        if (cr + 1 == end || cr[1] != '\n')
            ++loneCRs;
    }

    // One more than needed: the UTF-8 decoder asks for room for one character past the bytes.
    QString text(2 + bytes.size() + loneCRs + 1, Qt::Uninitialized);
    QChar* const t = text.data();
    t[0] = QChar(kCR);
    t[1] = QChar(kLF);
    qsizetype from = 2 + decode(bytes, t + 2);
    const qsizetype length = from + loneCRs;
    // Each lone CR becomes CR LF, from the back, so every character moves once.
    bool lfFollows = false;
    for (qsizetype to = length; to > from;) {
        const QChar c = t[--from];
        if (c == QChar(kCR) && !lfFollows)
            t[--to] = QChar(kLF);
        t[--to] = c;
        lfFollows = c == QChar(kLF);
    }
    text.truncate(length);
    // Text far from ASCII (three bytes a character) leaves much of the room unused.
    if (text.capacity() - length > length / 4)
        text.squeeze();
    return text;
}

}  // namespace

DecodedFile decodeFile(QByteArrayView bytes)
{
    const bool marked = bytes.startsWith(kByteOrderMark);
    const QByteArrayView utf8 = marked ? bytes.sliced(3) : bytes;
    if (utf8.isValidUtf8()) {
        // A second mark right behind the first is a character of the text.
        QStringDecoder decoder(QStringDecoder::Utf8,
                               QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        bool multiByte = false;
        QString text = readLines(utf8, [&](QByteArrayView in, QChar* out) {
            const qsizetype written = decoder.appendToBuffer(out, in) - out;
            multiByte = written < in.size();  // each multi-byte sequence gives fewer characters than bytes
            return written;
        });
        // Without the mark, nothing but ASCII is Windows-1252, read the same either way.
        if (marked || multiByte)
            return {std::move(text), marked ? Encoding::Utf8WithMark : Encoding::Utf8};
        return {std::move(text), Encoding::Windows1252};
    }
    return {readLines(bytes,
                      [](QByteArrayView in, QChar* out) {
                          cp1252::decodeInto(in, out);
                          return in.size();
                      }),
            Encoding::Windows1252};
}

QByteArrayView leadingBytes(Encoding encoding)
{
    return encoding == Encoding::Utf8WithMark ? QByteArrayView(kByteOrderMark) : QByteArrayView();
}

qsizetype maxBytesPerUnit(Encoding encoding)
{
    return encoding == Encoding::Windows1252 ? 1 : 3;
}

qsizetype encodeInto(Encoding encoding, QStringView text, char* out, bool onlyIfHeld)
{
    if (encoding == Encoding::Windows1252)
        return cp1252::encodeInto(text, out, onlyIfHeld);
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    const qsizetype written = encoder.appendToBuffer(out, text) - out;
    if (!encoder.hasError())
        return written;
    if (onlyIfHeld)
        return -1;
    // A surrogate half without its partner is no character: the encoder writes U+FFFD for
    // it, the program '?', as toUtf8() does.
    const QByteArray bytes = text.toUtf8();
    std::memcpy(out, bytes.constData(), size_t(bytes.size()));
    return bytes.size();
}

Unrepresentable findUnrepresentable(Encoding encoding, std::span<const QStringView> parts)
{
    if (encoding == Encoding::Windows1252)
        return cp1252::findUnrepresentable(parts);
    // UTF-8 holds every character; only a surrogate half without its partner is lost.
    Unrepresentable result;
    for (const QStringView part : parts) {
        for (qsizetype i = 0; i < part.size(); ++i) {
            if (!part[i].isSurrogate())
                continue;
            if (part[i].isHighSurrogate() && i + 1 < part.size() && part[i + 1].isLowSurrogate())
                ++i;
            else
                result.add(part.sliced(i, 1));
        }
    }
    return result;
}

QString displayName(Encoding encoding)
{
    return encoding == Encoding::Windows1252 ? QStringLiteral("Windows-1252") : QStringLiteral("UTF-8");
}

void EncodingEvidence::add(QByteArrayView bytes)
{
    if (m_invalid || bytes.isEmpty())
        return;
    if (m_pending.isEmpty()) {
        take(bytes, false);
        return;
    }
    // Rare: only a piece that ends inside a sequence (or the file's first three bytes) leaves
    // some behind.
    QByteArray joined = std::exchange(m_pending, QByteArray());
    joined.append(bytes);
    take(joined, false);
}

std::optional<Encoding> EncodingEvidence::finish()
{
    const QByteArray rest = std::exchange(m_pending, QByteArray());
    take(rest, true);
    if (m_invalid)
        return Encoding::Windows1252;
    if (m_mark)
        return Encoding::Utf8WithMark;
    if (m_multiByte)
        return Encoding::Utf8;
    return std::nullopt;
}

void EncodingEvidence::take(QByteArrayView bytes, bool last)
{
    if (!m_markChecked) {
        const QByteArrayView mark(kByteOrderMark);
        if (bytes.size() < mark.size() && !last) {
            m_pending = bytes.toByteArray();
            return;
        }
        m_markChecked = true;
        if (bytes.startsWith(mark)) {
            m_mark = true;
            bytes = bytes.sliced(mark.size());
        }
    }
    // A sequence that the end of this piece cuts off waits for the next piece.
    qsizetype complete = bytes.size();
    for (qsizetype back = 1; !last && back <= std::min<qsizetype>(3, bytes.size()); ++back) {
        const uchar b = uchar(bytes[bytes.size() - back]);
        if ((b & 0xC0) == 0x80)
            continue;
        const qsizetype length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        if (length > back)
            complete -= back;
        break;
    }
    const QByteArrayView whole = bytes.first(complete);
    if (!whole.isValidUtf8()) {
        m_invalid = true;
        return;
    }
    if (!m_multiByte)
        m_multiByte = std::any_of(whole.begin(), whole.end(), [](char b) { return (b & 0x80) != 0; });
    m_pending = bytes.sliced(complete).toByteArray();
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
