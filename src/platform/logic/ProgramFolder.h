#pragma once
// The folder that holds the program's executable, written without a trailing separator.
// Companion files (the help file, the shades file) are looked up there; the user's own copy
// of the shades file lives in the user's data folder when the program folder is not the
// user's to write.
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

// The shades file "Open &MyShades.csv" shows. The program folder's file, when the user may
// write it there (a build folder, a copy of the program). An installed program's folder is
// the system's: then the user's own copy in the user's data folder is the file, and until the user first
// saves it the window shows the sample shipped in the program folder, creating nothing.
struct ShadesFile {
    QString path;             // the file the window is tied to: its caption, where "&Save" writes
    QString source;           // the file read now: `path`, or the shipped sample while `path` is not there
    bool inUserData = false;  // `path` is the user's copy, whose folder "&Save" creates
};
ShadesFile shadesFile();

// The user's copy: the data folder ($XDG_DATA_HOME, else ~/.local/share) followed by
// "/tagwright-folio/MyShades.csv"; empty when the user has no data folder.
QString userShadesFilePath();

// Whether the running user may write `path`, an existing file or folder, by the system's
// own check for that user (the superuser may write nearly anywhere; a read-only mount
// refuses everyone).
bool userMayWrite(const QString& path);

// Creates the folder `path` with its missing parents, each open to the user alone; true
// when it is there afterwards.
bool makeUserFolder(const QString& path);

}  // namespace folio
