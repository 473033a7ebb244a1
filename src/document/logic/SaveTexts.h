#pragma once
// The fixed texts of the document window: its dialogs' titles and file-type lists, its
// questions and its messages.
#include "document/logic/EncodableText.h"

#include <QString>
#include <QStringList>

namespace folio::document {

// Window captions.
inline const QString kEmptyCaption = QStringLiteral("Open a File");
inline const QString kSavedAsCaptionPrefix = QStringLiteral("This file name : ");

// The closing question.
inline const QString kSaveQuestion = QStringLiteral("Do you want to save this file ?");
inline const QString kSaveQuestionTitle = QStringLiteral("Text is changed !");

// The open and save dialogs.
inline const QString kOpenDialogTitle = QStringLiteral("Open a file");
inline const QString kSaveDialogTitle = QStringLiteral("Save this file as");
inline const QString kDialogDefaultExt = QStringLiteral("txt");
extern const QString kOpenFilter;
extern const QString kSaveFilter;

// "Sa&ve As".
inline const QString kNoFileNameText = QStringLiteral("Can not save a file without a filename !");
extern const QString kReadOnlyNameText;
extern const QString kOverwriteOrAppendQuestion;
inline const QString kOverwriteOrAppendTitle = QStringLiteral("Please Confirm Your Choice");

// "Open &MyShades.csv" without the file.
extern const QString kShadesNotFoundText;

// Asked by "&Save" when the file on disk is no longer what this window last read or wrote.
extern const QString kChangedOnDiskQuestion;

// Asked before writing a text that holds characters the encoding it is written in (named by
// `encodingName`) cannot hold: how many there are, and the first few different ones, each
// with its Unicode number and how often it occurs (a combining mark on a dotted circle, a
// surrogate half without its partner by its number alone). The encoding is a file's, or that
// of a document that has no file yet.
enum class CharacterSetOf { File, Document };
QString unrepresentableQuestion(const docformat::LostCharacters& lost, const QString& encodingName,
                                CharacterSetOf whose);
inline const QString kUnrepresentableTitle = QStringLiteral("Characters would be lost");

}  // namespace folio::document
