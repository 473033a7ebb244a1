#pragma once
// The fixed texts of the reading windows: the HTML tags tutorial, the autorun.inf tutorial
// and the About text, with the captions of their windows.
//
// Every text is a run of lines joined by CR LF. It starts with a line break (its first line
// is empty) and ends with a line break after its last line, so the text box shows an empty
// line at the top and at the bottom.
#include <QString>

namespace folio::reading {

inline const QString kHtmlTutorialCaption = QStringLiteral("Tutorial on HTML Tags");
inline const QString kAutorunTutorialCaption = QStringLiteral("Tutorial on Autorun.inf File");
inline const QString kAboutCaption = QStringLiteral("About  Tagwright Folio");

// Who wrote the tutorials and the program, as the texts name them. A placeholder of our own:
// the texts carry no real person's name or address.
inline const QString kAuthorName = QStringLiteral("The Tagwright Folio Authors");

// The line the HTML tutorial puts after every tag line that belongs in the head section.
inline const QString kHeadReminderLine = QStringLiteral(
    "This tag line should appear between <head> and </head> tag lines. ");

QString htmlTutorialText();
QString autorunTutorialText();

// The name and version block, the author's contact lines, the terms of use and the known
// limitations. The version numbers come from the build.
QString aboutText();

// "Version : 1 . 5 . 2, Reference 20040328" for version 1.5.2.
QString aboutVersionLine(int major, int minor, int revision);

}  // namespace folio::reading
