#include "tags/logic/CaseChange.h"

#include "platform/logic/CodePage.h"

namespace folio::tags {

namespace {

// One character for one of the code page's, or itself.
template <char32_t (*Map)(char32_t)>
QString changeCaseWithin1252(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    const char16_t* in = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = in[i];
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(in[i + 1])) {
            // The code page holds no character beyond the first 65,536, nor their other cases.
            o[i] = u;
            o[i + 1] = in[i + 1];
            ++i;
            continue;
        }
        const char32_t mapped = Map(u);
        const bool held = mapped <= 0xFFFF && !QChar::isSurrogate(mapped)
            && cp1252::toByte(QChar(char16_t(mapped))).has_value();
        o[i] = held ? char16_t(mapped) : u;
    }
    return out;
}

char32_t upper(char32_t c)
{
    return QChar::toUpper(c);
}
char32_t lower(char32_t c)
{
    return QChar::toLower(c);
}

QString fullUpper(QStringView text)
{
    return text.toString().toUpper();
}
QString fullLower(QStringView text)
{
    return text.toString().toLower();
}

// Unicode's full mapping, which is Qt's whatever the locale. Qt would turn a surrogate half
// without its partner into U+FFFD: the stretches between such halves are mapped alone.
template <QString (*Map)(QStringView)>
QString changeCaseInFull(QStringView text)
{
    QString out;
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!c.isSurrogate())
            continue;
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        out += Map(text.sliced(from, i - from));
        out += c;
        from = i + 1;
    }
    if (from == 0)
        return Map(text);
    return out + Map(text.sliced(from));
}

}  // namespace

QString upperCaseIn(QStringView text, CaseCodePage codePage)
{
    if (codePage == CaseCodePage::Unicode)
        return changeCaseInFull<&fullUpper>(text);
    return changeCaseWithin1252<&upper>(text);
}

QString lowerCaseIn(QStringView text, CaseCodePage codePage)
{
    if (codePage == CaseCodePage::Unicode)
        return changeCaseInFull<&fullLower>(text);
    return changeCaseWithin1252<&lower>(text);
}

}  // namespace folio::tags
