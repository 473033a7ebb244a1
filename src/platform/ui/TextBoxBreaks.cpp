#include "platform/ui/TextBoxBreaks.h"

#include <algorithm>

namespace folio::textbox {

namespace {

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}
bool isPunctuationEnd(char16_t c)
{
    return c == u'>' || c == u';' || c == u',' || c == u'}';
}

}  // namespace

qsizetype divisionPoint(QStringView line, qsizetype divisionLength)
{
    const qsizetype limit = std::max<qsizetype>(divisionLength, 2);
    if (line.size() <= limit)
        return line.size();
    // Behind the last blank, or failing that the last closing mark, in the second half;
    // otherwise at the length itself, but never between the halves of a surrogate pair.
    const qsizetype half = limit / 2;
    for (qsizetype k = limit; k > half; --k) {
        if (isBlank(line[k - 1].unicode()))
            return k;
    }
    for (qsizetype k = limit; k > half; --k) {
        if (isPunctuationEnd(line[k - 1].unicode()))
            return k;
    }
    if (line[limit - 1].isHighSurrogate() && line[limit].isLowSurrogate())
        return limit - 1;
    return limit;
}

WidgetText toWidgetText(const QString& modelText, qsizetype divisionLength)
{
    divisionLength = std::max<qsizetype>(divisionLength, 2);
    WidgetText out;
    const qsizetype n = modelText.size();
    const char16_t* s = reinterpret_cast<const char16_t*>(modelText.constData());
    // Substitutes found, by their offset in the text, and how many CR LF pairs lie before.
    struct Found {
        qsizetype offset;
        qsizetype crlfBefore;
        char16_t real;
    };
    std::vector<Found> found;
    qsizetype crlfSoFar = 0;
    qsizetype lineStart = 0;
    const auto divideLine = [&](qsizetype end) {
        qsizetype from = lineStart;
        while (end - from > divisionLength) {
            from += divisionPoint(QStringView(s + from, end - from), divisionLength);
            out.divisions.push_back(from);
            out.breaks.push_back(Break::Division);
        }
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c == u'\r' || c == u'\n') {
            divideLine(i);
            if (c == u'\r' && i + 1 < n && s[i + 1] == u'\n') {
                out.breaks.push_back(Break::CrLf);
                ++crlfSoFar;
                ++i;
            } else {
                out.breaks.push_back(c == u'\r' ? Break::Cr : Break::Lf);
            }
            lineStart = i + 1;
        } else if (needsSubstitute(c)) {
            found.push_back({i, crlfSoFar, c});
        }
    }
    divideLine(n);
    if (found.empty()) {
        out.text = modelText;  // shared, not copied
    } else {
        out.text = modelText;
        out.text.detach();
        size_t d = 0;
        for (const Found& f : found) {
            out.text[f.offset] = QChar(SubstituteChar);
            // A CR LF pair is one position in the widget, and a division adds one.
            while (d < out.divisions.size() && out.divisions[d] <= f.offset)
                ++d;
            out.substitutes.push_back({f.offset - f.crlfBefore + qsizetype(d), f.real});
        }
    }
    for (Break b : out.breaks)
        ++out.breakCount[static_cast<int>(b)];
    return out;
}

Break mostCommonBreak(const WidgetText& text)
{
    const auto& c = text.breakCount;
    Break best = Break::CrLf;
    if (c[int(Break::Lf)] > c[int(best)])
        best = Break::Lf;
    if (c[int(Break::Cr)] > c[int(best)])
        best = Break::Cr;
    return best;
}

}  // namespace folio::textbox
