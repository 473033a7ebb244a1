// Opening and saving a document window's file: the open dialog, the shades file, writing
// in place, "Save this file as" with its overwrite-or-append question, the two buttons.
#include "document/ui/frmTf.h"

#include "document/logic/DocumentFile.h"
#include "document/logic/EncodableText.h"
#include "document/logic/SaveTexts.h"
#include "platform/logic/CommonDialog.h"
#include "platform/logic/NativeFileName.h"
#include "platform/logic/ProgramFolder.h"
#include "platform/logic/RuntimeError.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/TextBox.h"
#include "shared/ui/Guarded.h"
#include "shared/ui/basModu001.h"

#include <QFileInfo>
#include <QPushButton>

namespace folio {

namespace {

// The top of a big file shown while the whole is read: more than a screenful, and quick to
// lay in.
constexpr qsizetype kTopBytes = qsizetype(64) * 1024;

QString extensionOf(const QString& path)
{
    return basModu001::GetExtension(path).toLower();
}

}  // namespace

void frmTf::loadFile()
{
    FileExt = extensionOf(FilePath);
    // The whole file in one step (a big one behind its top, see loadRest): no line can go
    // missing on the way, and a failure leaves the text as it was. A window whose file could
    // not be read holds none, so that no "&Save" can write over a file it never showed.
    try {
        DocumentTop top = readDocumentTop(FilePath, readAtOnceBytes, kTopBytes);
        m_diskStamp = top.stamp;
        fileEncoding = top.encoding;
        if (top.whole)
            txtText01->setText(top.text);
        else
            loadRest(top.text);
    } catch (...) {
        FilePath.clear();
        FileExt.clear();
        m_diskStamp = FileStamp{};
        throw;
    }
    txtText01->show();
    cmdSaveas->setEnabled(true);
}

bool frmTf::Opentf()
{
    CommonDialog& dlg = frame().commonDialog();
    const bool shown = guarded(
        [&] {
            dlg.FileName.clear();
            dlg.DialogTitle = document::kOpenDialogTitle;
            dlg.DefaultExt = document::kDialogDefaultExt;
            dlg.Filter = document::kOpenFilter;
            dlg.CancelError = true;
            dlg.ShowOpen();
        },
        dialogCancelled);
    if (!shown || dlg.FileName.isEmpty())
        return !dlg.FileName.isEmpty();
    OpenFile(dlg.FileName, dlg.Flags == CommonDialog::ReadOnlyFlag);
    return true;
}

bool frmTf::OpenFile(const QString& path, bool readOnly, const ExpectedError& expected)
{
    return guarded(
        [&] {
            FilePath = path;
            loadFile();
            if (readOnly) {
                cmdSave->setEnabled(false);
                ReadOnlyPath = FilePath;
                OpenedReadOnly = true;
            } else {
                cmdSave->setEnabled(true);
                OpenedReadOnly = false;
            }
            setCaption(displayFileName(FilePath));
            TextChanged = false;
            basModu001::SetHtmlMenuState(frame(), FileExt);
        },
        expected);
}

void frmTf::OpenMyShades()
{
    // A missing file is said in so many words, and this window closes again.
    const auto missing = [this](const RuntimeError& e) {
        if (e.number() != err::FileNotFound)
            return false;
        MsgBox(document::kShadesNotFoundText);
        // The frame outlives this window, which may be gone once it has unloaded.
        Frame& holder = frame();
        cmdClose_Click();
        holder.setEntryAvailable(Frame::Entry::MyShades, true);
        return true;
    };
    guarded(
        [&] {
            // The window is tied to the file the user keeps, though it may show the sample
            // until the first save creates that file.
            const ShadesFile shades = shadesFile();
            FilePath = shades.source;
            loadFile();
            FilePath = shades.path;
            if (shades.inUserData)
                m_userShadesPath = shades.path;
            cmdSave->setEnabled(true);
            setCaption(displayFileName(FilePath));
            TextChanged = false;
            basModu001::SetHtmlMenuState(frame(), FileExt);
        },
        missing);
}

bool frmTf::writeText(const QString& path, WriteMode mode, docformat::Encoding encoding, bool toFile)
{
    // The text as it stands now, in the parts the box keeps it in: no copy of a big text.
    const PieceText pieces = txtText01->TextPieces();
    const std::vector<QStringView> text = pieces.parts();
    if (writeDocumentIfRepresentable(path, text, mode, encoding))
        return true;
    const docformat::EncodableText encodable(encoding, text);
    const docformat::LostCharacters& lost = encodable.lost();
    if (lost.count > 0
        && MsgBox(document::unrepresentableQuestion(lost, docformat::displayName(encoding),
                                                    toFile ? document::CharacterSetOf::File
                                                           : document::CharacterSetOf::Document),
                  MsgButtons::YesNo, MsgIcon::Exclamation, 2, document::kUnrepresentableTitle)
            != MsgAnswer::Yes)
        return false;
    writeDocument(path, encodable.parts(), mode, encoding);
    return true;
}

bool frmTf::confirmOverwriteChanges() const
{
    const FileStamp now = fileStamp(FilePath);
    if (!m_diskStamp.exists() || !now.exists() || now == m_diskStamp)
        return true;
    return MsgBox(document::kChangedOnDiskQuestion, MsgButtons::YesNo, MsgIcon::Exclamation, 2, kAppTitle)
        == MsgAnswer::Yes;
}

bool frmTf::SaveFile()
{
    if (!confirmOverwriteChanges())
        return false;
    // The user's own shades file is written into a data folder that may not be there yet.
    if (!m_userShadesPath.isEmpty() && FilePath == m_userShadesPath)
        makeUserFolder(QFileInfo(FilePath).path());
    if (!writeText(FilePath, WriteMode::Overwrite, fileEncoding, true))
        return false;
    m_diskStamp = fileStamp(FilePath);
    frame().commonDialog().FileName.clear();
    TextChanged = false;
    return true;
}

frmTf::SaveOutcome frmTf::SaveFileAs()
{
    if (!finishLoading())
        return SaveOutcome::NotWritten;
    bool cancelled = false;
    const auto outcome = guarded(
        [&] {
            CommonDialog& dlg = frame().commonDialog();
            dlg.DialogTitle = document::kSaveDialogTitle;
            dlg.DefaultExt = document::kDialogDefaultExt;
            dlg.Filter = document::kSaveFilter;
            dlg.CancelError = true;
            dlg.FileName.clear();
            dlg.ShowSave();
            // The chosen name becomes the document's only once the text is written there: a
            // name refused or declined here must never be written to by a later "&Save".
            const QString chosen = dlg.FileName;
            if (chosen.trimmed().isEmpty()) {
                MsgBox(document::kNoFileNameText);
                return SaveOutcome::NotWritten;
            }
            if (OpenedReadOnly && chosen.toLower() == ReadOnlyPath.toLower()) {
                MsgBox(document::kReadOnlyNameText);
                return SaveOutcome::NotWritten;
            }
            const MsgAnswer how = MsgBox(document::kOverwriteOrAppendQuestion, MsgButtons::YesNoCancel,
                                         MsgIcon::Question, 2, document::kOverwriteOrAppendTitle);
            if (how != MsgAnswer::Yes && how != MsgAnswer::No)
                return SaveOutcome::NotWritten;
            // Appended text takes the encoding of the file it joins, so that the file stays in one.
            // The document keeps its own: a later "&Save" writes its text alone, over the file.
            const WriteMode mode = how == MsgAnswer::Yes ? WriteMode::Overwrite : WriteMode::Append;
            const bool append = mode == WriteMode::Append;
            const docformat::Encoding encoding = append ? appendEncoding(chosen, fileEncoding) : fileEncoding;
            if (!writeText(chosen, mode, encoding, append || !FilePath.isEmpty()))
                return SaveOutcome::NotWritten;
            FilePath = chosen;
            m_diskStamp = fileStamp(FilePath);
            setCaption(document::kSavedAsCaptionPrefix + displayFileName(FilePath));
            FileExt = extensionOf(FilePath);
            // "&HTML Tags" follows the active window. The closing of the program asks every
            // window in turn and may save one behind the active one; a later window can still
            // cancel that closing.
            if (frame().ActiveForm() == this)
                basModu001::SetHtmlMenuState(frame(), FileExt);
            dlg.FileName.clear();
            TextChanged = false;
            return SaveOutcome::Written;
        },
        [&](const RuntimeError& e) { return cancelled = dialogCancelled(e); });
    if (outcome)
        return *outcome;
    return cancelled ? SaveOutcome::DialogCancelled : SaveOutcome::NotWritten;
}

frmTf::SaveOutcome frmTf::saveByDecision()
{
    if (!finishLoading())
        return SaveOutcome::NotWritten;
    if (!FilePath.isEmpty() && !OpenedReadOnly) {
        const std::optional<bool> written = guarded([this] { return SaveFile(); }, dialogCancelled);
        return written.value_or(false) ? SaveOutcome::Written : SaveOutcome::NotWritten;
    }
    // Opened read-only (it always has a path), or never named.
    return SaveFileAs();
}

void frmTf::cmdSave_Click()
{
    saveByDecision();
}

void frmTf::cmdSaveas_Click()
{
    SaveFileAs();
}

}  // namespace folio
