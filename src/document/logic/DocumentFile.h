#pragma once
// Reading and writing document files. Every failure is thrown as a folio::RuntimeError with the
// program's error numbers: 53 File not found, 76 Path not found, 70 Permission denied,
// 75 Path/File access error (a folder or other unusable target), 61 Disk full,
// 57 Device I/O error. Nothing here talks to the user.
//
// A write never leaves a half-written file. Where the target's folder takes a new file, the
// target has a single name, its owner and group can be kept and QSaveFile can name it, the
// new contents go to a QSaveFile: a temporary file without a name, synced to the disk and put
// in place of the target only once complete, so a program killed meanwhile leaves the old
// file whole and nothing beside it. Otherwise the file itself is written: the new contents
// are made whole first, written over the old from the start, the file cut to the new length
// last, and on any failure the old bytes are written back. An append always writes the file
// itself, after its end, and cuts it back (or takes a file it made away) on failure. A file
// keeps its permission bits, owner, group and other names, and a symbolic link stays a link
// while the file it points to is written.
//
// Only regular files are documents: a folder, pipe, socket or device is refused (75) before a
// byte is read or written, and opening never waits. A file larger than a document can hold is
// refused (7) before anything large is allocated, and so is any allocation that fails.
//
// Text is written in the encoding the caller names (document/logic/DocumentFormat.h);
// characters it cannot hold are written as '?'. A caller that must not lose them uses
// writeDocumentIfRepresentable() and lets the user decide when it gives up.
#include "document/logic/DocumentFormat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <span>

namespace folio {

// What a file looked like when it was last read or written here: a change of either means
// another program (or another window) has written it since.
struct FileStamp {
    qint64 size = -1;  // -1: no such file
    qint64 modifiedNs = 0;
    bool exists() const { return size >= 0; }
    bool operator==(const FileStamp&) const = default;
};
// The stamp the file `path` (or the file its links lead to) has now; none (exists() false)
// when there is no regular file there.
FileStamp fileStamp(const QString& path);

// The most bytes a document file may hold: what the text box can take, and no more than a
// sixteenth of the machine's memory.
qint64 documentSizeLimit();

// The whole file, decoded and turned into text by the reading rule (document/logic/
// DocumentFormat.h), in one step; `encoding`, when given, receives the file's encoding, and
// `stamp` the file's stamp as read.
QString readDocument(const QString& path, docformat::Encoding* encoding = nullptr, FileStamp* stamp = nullptr);

// The top of a document file, for showing at once while the whole is still being read: the
// file's first `topBytes` bytes at most, cut behind the last line end among them (in a line
// longer than that, before the last character that may be incomplete) and decoded by the
// reading rule. A file of at most `wholeUpTo` bytes is read whole instead (`whole`: `text`
// and `encoding` are the whole file's); otherwise the encoding is a guess that bytes further
// on can change.
struct DocumentTop {
    QString text;
    docformat::Encoding encoding = docformat::Encoding::Windows1252;
    FileStamp stamp;
    bool whole = false;
};
DocumentTop readDocumentTop(const QString& path, qint64 wholeUpTo, qsizetype topBytes);

enum class WriteMode {
    Overwrite,  // replace the whole contents; create the file when missing
    Append,     // add after the existing contents; create the file when missing
};

using docformat::Encoding;

// Writes the text, then CR LF, in `encoding`. A byte-order mark goes only at the start of a
// file: it is left out when appending to a file that is not empty.
void writeDocument(const QString& path, QStringView text, WriteMode mode, Encoding encoding = Encoding::Windows1252);
// The same, but only when the encoding holds every character of the text. At the first
// one it cannot hold the write is given up, the target and its folder left exactly as they
// were, and false comes back; failures throw as in writeDocument(). One pass over the text,
// where checking it first and writing it afterwards would read it twice.
bool writeDocumentIfRepresentable(const QString& path, QStringView text, WriteMode mode,
                                  Encoding encoding = Encoding::Windows1252);
// Both, for a text given as consecutive parts, none of which ends inside a surrogate pair.
void writeDocument(const QString& path, std::span<const QStringView> parts, WriteMode mode,
                   Encoding encoding = Encoding::Windows1252);
bool writeDocumentIfRepresentable(const QString& path, std::span<const QStringView> parts, WriteMode mode,
                                  Encoding encoding = Encoding::Windows1252);

// The encoding text appended to the file `path` is written in: the file's own, as the
// reading rule finds it, so that the file stays in one encoding. Where the file tells
// nothing (it is missing, empty, holds nothing but ASCII, or cannot be read) `fallback`, the
// document's own. Reads the file a piece at a time, up to the first byte that settles it.
Encoding appendEncoding(const QString& path, Encoding fallback);

// The raw bytes of a file, refused as above when it is no regular file or too large.
QByteArray readFileBytes(const QString& path, FileStamp* stamp = nullptr);

// Writes raw bytes with the guarantees above.
void writeFileBytes(const QString& path, QByteArrayView bytes, WriteMode mode);

}  // namespace folio
