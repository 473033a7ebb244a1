#pragma once
// F1 anywhere in the program opens the application help file with the desktop's handler.
#include <QString>
#include <QUrl>

#include <functional>

namespace folio::help {

// Names the application help file; until it is named, F1 does nothing.
void setHelpFile(const QString& path);
QString helpFile();

// Opens the help file; when it is missing or nothing can open it, says so in a message.
void showHelp();

// Installs the application-wide F1 key handler (once).
void installF1Handler();

// Tests replace the desktop's URL handler; returns whether the file could be handed over.
void setUrlOpenerForTesting(std::function<bool(const QUrl&)> opener);

QString missingHelpMessage(const QString& path);
QString unopenableHelpMessage(const QString& path);

}  // namespace folio::help
