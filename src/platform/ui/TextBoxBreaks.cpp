#include "platform/ui/TextBoxBreaks.h"

namespace folio::textbox {

WidgetText toWidgetText(const QString& modelText)
{
    WidgetText out;
    const qsizetype n = modelText.size();
    const char16_t* s = reinterpret_cast<const char16_t*>(modelText.constData());
    qsizetype crlfSoFar = 0;
    bool copied = false;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c == u'\r') {
            if (i + 1 < n && s[i + 1] == u'\n') {
                out.breaks.push_back(Break::CrLf);
                ++crlfSoFar;
                ++i;
            } else {
                out.breaks.push_back(Break::Cr);
            }
        } else if (c == u'\n') {
            out.breaks.push_back(Break::Lf);
        } else if (needsSubstitute(c)) {
            if (!copied) {
                out.text = modelText;
                out.text.detach();
                copied = true;
            }
            out.text[i] = QChar(SubstituteChar);
            // A CR LF pair is one position in the widget, so earlier pairs shift it left.
            out.substitutes.push_back({i - crlfSoFar, c});
        }
    }
    if (!copied)
        out.text = modelText;   // shared, not copied
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
