#pragma once
// The folder that holds the program's executable, written without a trailing separator.
// Companion files (the help file, the shades file) are looked up there.
#include <QString>

namespace folio {

QString programFolder();

// Tests point the program at a folder of their own; an empty path restores the real one.
void setProgramFolderForTesting(const QString& folder);

// The help file's path: the program folder followed by "/tutorial_01.chm".
QString helpFilePath();
// The help book in HTML shipped with the program, which F1 opens when there is no help file.
QString helpBookPath();
inline constexpr const char* kHelpBookName = "tagwright-folio-help.html";

// The shades file's path as the program names it: the program folder and "/myshades.csv".
QString shadesFilePath();
// The shades file as it is found on disk: "myshades.csv", else "MyShades.csv" when only
// that one exists; the first when neither does.
QString existingShadesFilePath();

}  // namespace folio
