#pragma once
// The texts of the prompted tags and of the Edit menu's text commands: the hyperlink and image
// tags with their prompts and defaults, the tag-menu warning, the tab, the case changes and
// the date-and-time text.
#include <QDateTime>
#include <QLocale>
#include <QString>

#include <optional>

namespace folio::tags {

// Hyperlink: two input boxes, both captioned kHyperlinkCaption.
inline const QString kHyperlinkCaption = QStringLiteral("Insert Hyperlink");
inline const QString kHyperlinkTargetPrompt = QStringLiteral(
    "Please type the URL\r\nhttp://www.example.com or mailto:info@example.com");
inline const QString kHyperlinkTargetDefault = QStringLiteral("http://www.example.com");
inline const QString kHyperlinkDisplayPrompt = QStringLiteral("Please type the Display Text");
inline const QString kHyperlinkDisplayDefault = QStringLiteral("Display Text");

// Image: two input boxes, both captioned kImageCaption.
inline const QString kImageCaption = QStringLiteral("Insert Image Tag");
inline const QString kImageFilePrompt = QStringLiteral("Please type the image file name with relative path");
inline const QString kImageFileDefault = QStringLiteral("./sub-folder/ImageName.jpg");
inline const QString kImageAltPrompt = QStringLiteral("Please type the Search Keywords for the Image");
inline const QString kImageAltDefault = QStringLiteral("Search Keywords for the Image");

// What "Insert Ta&b Keystroke" puts in place of the selection.
inline const QString kTabText = QStringLiteral("\t");

// The message of the "Warning" entry of the "&HTML Tags" menu.
QString warningText();

// "<a href= '" target "'> " display " </a>", both values as typed. Nothing when either value
// is empty or blanks only.
std::optional<QString> hyperlinkTag(const QString& target, const QString& display);

// "<img src= '" file "' alt= '" alt "' width=10 height=10>", both values as typed. Nothing
// when either value is empty or blanks only.
std::optional<QString> imageTag(const QString& file, const QString& alt);

// True when the text is empty once its leading and trailing blanks are gone. Only the blank
// (U+0020) counts: a tab or a line break is content.
bool isBlankOnly(const QString& text);

// "Make &Uppercase" and "Make &Lowercase": tags/logic/CaseChange.h.

// The general date text: the locale's short date, a blank and the time with its seconds in the
// locale's long time format without its time zone. Midnight, to the second, gives the date
// alone.
QString generalDateText(const QDateTime& when, const QLocale& locale);

// The locale's long time format with every time-zone field taken out, together with the blanks
// or brackets that only served it.
QString timeFormatWithoutZone(const QString& format);

}  // namespace folio::tags
