#include "platform/logic/AccessKeys.h"

namespace folio::accessKeys {

QString plainCaption(const QString& caption)
{
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;  // the marked character, or the second '&' of a pair
        plain += caption[i];
    }
    return plain;
}

int markerCount(const QString& caption)
{
    int count = 0;
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] != QLatin1Char('&'))
            ++count;
        ++i;
    }
    return count;
}

}  // namespace folio::accessKeys
