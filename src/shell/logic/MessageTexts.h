#pragma once
// Long fixed messages of the main window's commands.
#include <QString>

namespace folio::shell {

// "&Help": where the help file belongs, how to open it, and the folder the program runs from
// (written without a trailing separator), between "from  " and "  path.".
QString helpMessageText(const QString& programFolder);

// "Create a &New File", after the empty file is written.
QString newFileCreatedText();

// "&Close Active File" with no child window open.
inline const QString kNoFileToCloseText = QStringLiteral("No file is available to close !");

// The save dialog of "Create a &New File".
inline const QString kNewFileDialogTitle = QStringLiteral("Save the new file as");
inline const QString kNewFileDefaultExt = QStringLiteral("txt");
inline const QString kNewFileFilter = QStringLiteral(
    "Text files (*.txt)|*.txt|HTM files (*.htm)|*.htm|HTML files (*.html)|*.html|INF files (*.inf)|*.inf|"
    "INI files (*.ini)|*.ini|JavaScript files (*.js)|*.js|ASP files (*.asp)|*.asp|PHP files (*.php)|*.php|"
    "CSS files (*.css)|*.css|XML files (*.xml)|*.xml|SHTML files (*.shtml)|*.shtml|CGI files (*.cgi)|*.cgi");

}  // namespace folio::shell
