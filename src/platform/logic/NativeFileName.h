#pragma once
// File names as the file system holds them: any bytes but '/' and NUL, most often UTF-8 but not
// always (a name written under a Latin-1 locale, copied from an old disk). The program keeps
// paths as QString; these conversions carry every byte of a name across exactly, so that the
// file read, written, asked about and shown is always the one the user named.
//
// A byte that is not part of valid UTF-8 is carried as the lone surrogate U+DC00 + byte
// (U+DC80 to U+DCFF); every other character is itself. Qt's own conversions (QFile::encodeName,
// QFileInfo, QUrl::toLocalFile) turn such a byte into U+FFFD, and then two different files
// look the same: none of them is used with a path that may hold such bytes.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QUrl;

namespace folio {

// The bytes of `path` for the file system: the exact inverse of fileNameFromNative().
QByteArray nativeFileName(const QString& path);
// `bytes` as the program keeps a path.
QString fileNameFromNative(QByteArrayView bytes);

// `path` as the user reads it in captions and messages: each byte that is not UTF-8 as
// "\xE9", so that "caf\xE9.txt" and "caf\uFFFD.txt" never look the same.
QString displayFileName(const QString& path);

// The local path of a file: URL, from the bytes its path is percent-encoded in.
QString fileNameFromUrl(const QUrl& url);

// A regular file or folder (or anything else) is there under the exact name `path`.
bool fileExists(const QString& path);

// A path as Qt's file dialog gives it, where each byte that is not UTF-8 became U+FFFD, and
// the path it stands for: each part holding U+FFFD is looked up among the names in its folder
// that Qt shows the same way. `matches` is 1 when that gives one path; 0 when a part names no
// such file (for the last part, a new name as typed: `path` is then that); 2 when some part
// stands for several files (`path` is then empty).
struct ShownFileName {
    QString path;
    int matches = 1;
};
ShownFileName fileNameFromShown(const QString& shown);

}  // namespace folio
