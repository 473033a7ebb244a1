#pragma once
// F1 anywhere in the program opens the application help file with the desktop's handler,
// or, where there is none, the help book in HTML in the program's own help window.
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

namespace folio::help {

// Names the application help file; until it is named, F1 does nothing.
void setHelpFile(const QString& path);
QString helpFile();

// The help book that F1 shows in the help file's place.
void setHelpBook(const QString& path);
QString helpBook();

// The help files F1 hands to the desktop, in order, of those that exist: the help file under
// its name and under the name with a capital first letter (the "&Help" message writes it so).
QStringList helpFiles();

// Opens the first of the help files that something can open, else shows the book in the
// help window; when there is nothing to show, says so in a message.
void showHelp();

// Installs the application-wide F1 key handler (once).
void installF1Handler();

// Tests replace the desktop's URL handler; returns whether the file could be handed over.
void setUrlOpenerForTesting(std::function<bool(const QUrl&)> opener);

QString missingHelpMessage(const QString& helpPath, const QString& bookPath);
QString unopenableHelpMessage(const QString& path);

}  // namespace folio::help
