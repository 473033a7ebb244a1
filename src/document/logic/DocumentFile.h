#pragma once
// Reading and writing document files. Every failure is thrown as a folio::RuntimeError with the
// program's error numbers: 53 File not found, 76 Path not found, 70 Permission denied,
// 75 Path/File access error (a folder or other unusable target), 61 Disk full,
// 57 Device I/O error. Nothing here talks to the user.
//
// Writing is atomic: the new contents go to a temporary file in the target's folder that
// replaces the target only once complete. A failed write leaves the old file byte for byte
// as it was and no temporary file behind. The file keeps its permission bits, and a symbolic
// link stays a link while the file it points to is written.
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

// The whole file, decoded and turned into text by the reading rule (document/logic/
// DocumentFormat.h), in one step; `encoding`, when given, receives the file's encoding.
QString readDocument(const QString& path, docformat::Encoding* encoding = nullptr);

enum class WriteMode {
    Overwrite,  // replace the whole contents; create the file when missing
    Append,     // add after the existing contents; create the file when missing
};

using docformat::Encoding;

// Writes the text, then CR LF, in `encoding`. A byte-order mark goes only at the start of a
// file: it is left out when appending to a file that is not empty.
void writeDocument(const QString& path, QStringView text, WriteMode mode,
                   Encoding encoding = Encoding::Windows1252);
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

// The raw bytes of a file.
QByteArray readFileBytes(const QString& path);

// Writes raw bytes with the guarantees above. Append writes the old contents followed by
// `bytes` into the new file, so a failure never leaves a half-appended file.
void writeFileBytes(const QString& path, QByteArrayView bytes, WriteMode mode);

}  // namespace folio
