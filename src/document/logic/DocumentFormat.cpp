#include "document/logic/DocumentFormat.h"

#include "platform/logic/CodePage.h"

#include <cstring>

namespace folio::docformat {

namespace {

const char* findCR(const char* from, const char* end)
{
    return static_cast<const char*>(std::memchr(from, '\r', static_cast<size_t>(end - from)));
}

}  // namespace

QString textFromFileBytes(QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    if (n == 0)
        return QString();

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
    // allocated once at its final size.
    qsizetype loneCRs = 0;
    for (const char* cr = findCR(body, bodyEnd); cr; cr = findCR(cr + 1, bodyEnd)) {
        if (cr + 1 == bodyEnd || cr[1] != '\n')
            ++loneCRs;
    }

    QString text(2 + bodyLen + loneCRs, Qt::Uninitialized);
    QChar* out = text.data();
    *out++ = QChar(kCR);
    *out++ = QChar(kLF);
    const char* p = body;
    while (p < bodyEnd) {
        const char* cr = findCR(p, bodyEnd);
        const char* chunkEnd = cr ? cr : bodyEnd;
        cp1252::decodeInto(QByteArrayView(p, chunkEnd - p), out);
        out += chunkEnd - p;
        if (!cr)
            break;
        *out++ = QChar(kCR);
        *out++ = QChar(kLF);
        p = (cr + 1 < bodyEnd && cr[1] == '\n') ? cr + 2 : cr + 1;
    }
    Q_ASSERT(out == text.data() + text.size());
    return text;
}

QByteArray fileBytesFromText(QStringView text)
{
    QByteArray bytes(text.size() + 2, Qt::Uninitialized);
    qsizetype written = cp1252::encodeInto(text, bytes.data());
    bytes[written++] = '\r';
    bytes[written++] = '\n';
    bytes.truncate(written);
    return bytes;
}

}  // namespace folio::docformat
