#include "tags/logic/TextCommands.h"

#include <algorithm>

namespace folio::tags {

QString warningText()
{
    return QStringLiteral(
        "Wherever you read the words 'Your Text' on the menu, you can wrap the selected or highlighted "
        "text in your file by the concerned tags."
        "\r\n\r\n"
        "Wherever these words don't appear on the menu, the selected or highloghted text in your file "
        "will be replaced by the concerned tags."
        "\r\n\r\n"
        "So take care ! If you want to undo the changes, please right click on the text box and select "
        "'Undo'.");
}

bool isBlankOnly(const QString& text)
{
    return std::ranges::all_of(text, [](QChar c) { return c == QLatin1Char(' '); });
}

std::optional<QString> hyperlinkTag(const QString& target, const QString& display)
{
    if (isBlankOnly(target) || isBlankOnly(display))
        return std::nullopt;
    return QStringLiteral("<a href= '") + target + QStringLiteral("'> ") + display + QStringLiteral(" </a>");
}

std::optional<QString> imageTag(const QString& file, const QString& alt)
{
    if (isBlankOnly(file) || isBlankOnly(alt))
        return std::nullopt;
    return QStringLiteral("<img src= '") + file + QStringLiteral("' alt= '") + alt
        + QStringLiteral("' width=10 height=10>");
}

QString timeFormatWithoutZone(const QString& format)
{
    // Copy the format, skipping every run of unquoted 't' (the zone field in all its widths).
    // Quoted literals are copied whole, quotes included.
    QString kept;
    bool removed = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            const qsizetype end = format.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype last = end < 0 ? format.size() - 1 : end;
            kept += format.mid(i, last - i + 1);
            i = last;
        } else if (c == QLatin1Char('t')) {
            removed = true;
        } else {
            kept += c;
        }
    }
    if (!removed)
        return format;

    // Brackets left empty by the zone go, then the blanks the zone stood between.
    QString cleaned;
    bool inQuote = false;
    for (qsizetype i = 0; i < kept.size(); ++i) {
        const QChar c = kept.at(i);
        if (c == QLatin1Char('\''))
            inQuote = !inQuote;
        if (!inQuote && i + 1 < kept.size()) {
            const QString pair = kept.mid(i, 2);
            if (pair == QLatin1String("()") || pair == QLatin1String("[]")) {
                ++i;
                continue;
            }
        }
        if (!inQuote && c == QLatin1Char(' ') && !cleaned.isEmpty() && cleaned.back() == QLatin1Char(' '))
            continue;
        cleaned += c;
    }
    while (cleaned.startsWith(QLatin1Char(' ')))
        cleaned.remove(0, 1);
    while (cleaned.endsWith(QLatin1Char(' ')))
        cleaned.chop(1);
    return cleaned;
}

QString generalDateText(const QDateTime& when, const QLocale& locale)
{
    QString date = locale.toString(when.date(), QLocale::ShortFormat);
    // Judged on the whole seconds the text shows: the first second after midnight is
    // midnight too, whatever its milliseconds.
    const QTime time = when.time();
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0)
        return date;
    const QString timeFormat = timeFormatWithoutZone(locale.timeFormat(QLocale::LongFormat));
    return date + QLatin1Char(' ') + locale.toString(when.time(), timeFormat);
}

}  // namespace folio::tags
