#include "tags/logic/CaseChange.h"

#include "platform/logic/CodePage.h"

namespace folio::tags {

namespace {

template <char32_t (*Map)(char32_t)>
QString changeCase(QStringView text, CaseCodePage codePage)
{
    QString out(text.size(), Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    const char16_t* in = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = in[i];
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(in[i + 1])) {
            // No code page of ours but Unicode holds a character beyond the first 65,536,
            // and such a character's other case lies beyond them too.
            const char32_t c = QChar::surrogateToUcs4(u, in[i + 1]);
            const char32_t mapped = codePage == CaseCodePage::Unicode ? Map(c) : c;
            const bool pair = QChar::requiresSurrogates(mapped);
            o[i] = pair ? QChar::highSurrogate(mapped) : u;
            o[i + 1] = pair ? QChar::lowSurrogate(mapped) : in[i + 1];
            ++i;
            continue;
        }
        const char32_t mapped = Map(u);
        const bool held = mapped <= 0xFFFF && !QChar::isSurrogate(mapped)
            && (codePage == CaseCodePage::Unicode || cp1252::toByte(QChar(char16_t(mapped))).has_value());
        o[i] = held ? char16_t(mapped) : u;
    }
    return out;
}

char32_t upper(char32_t c) { return QChar::toUpper(c); }
char32_t lower(char32_t c) { return QChar::toLower(c); }

}  // namespace

QString upperCaseIn(QStringView text, CaseCodePage codePage)
{
    return changeCase<&upper>(text, codePage);
}

QString lowerCaseIn(QStringView text, CaseCodePage codePage)
{
    return changeCase<&lower>(text, codePage);
}

}  // namespace folio::tags
