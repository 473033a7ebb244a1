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
// Characters Windows-1252 cannot hold are written as '?'. A caller that must not lose them
// asks folio::cp1252::findUnrepresentable(text) first (platform/logic/CodePage.h) and lets
// the user decide before calling writeDocument().
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <span>

namespace folio {

// The whole file, decoded and turned into text by the reading rule (document/logic/
// DocumentFormat.h), in one step.
QString readDocument(const QString& path);

enum class WriteMode {
    Overwrite,  // replace the whole contents; create the file when missing
    Append,     // add after the existing contents; create the file when missing
};

// Writes the text, then CR LF, in Windows-1252.
void writeDocument(const QString& path, QStringView text, WriteMode mode);
// The same, but only when Windows-1252 holds every character of the text. At the first
// one it cannot hold the write is given up, the target and its folder left exactly as they
// were, and false comes back; failures throw as in writeDocument(). One pass over the text,
// where checking it first and writing it afterwards would read it twice.
bool writeDocumentIfRepresentable(const QString& path, QStringView text, WriteMode mode);
// Both, for a text given as consecutive parts, none of which ends inside a surrogate pair.
void writeDocument(const QString& path, std::span<const QStringView> parts, WriteMode mode);
bool writeDocumentIfRepresentable(const QString& path, std::span<const QStringView> parts, WriteMode mode);

// The raw bytes of a file.
QByteArray readFileBytes(const QString& path);

// Writes raw bytes with the guarantees above. Append writes the old contents followed by
// `bytes` into the new file, so a failure never leaves a half-appended file.
void writeFileBytes(const QString& path, QByteArrayView bytes, WriteMode mode);

}  // namespace folio
