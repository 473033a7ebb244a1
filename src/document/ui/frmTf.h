#pragma once
// The document window: one document in the text box txtText01, the Close / Save / Save As
// buttons to its right and the "Find and Replace" panel below it. Any number can be open;
// each keeps its own state.
//
// Controls and lifecycle are in frmTf.cpp, opening and saving in DocumentFiles.cpp, the
// find panel's commands in FindPanel.cpp.
#include "document/logic/DocumentFormat.h"
#include "platform/ui/ChildForm.h"
#include "shared/ui/Guarded.h"

#include <QString>
#include <QStringView>

#include <array>
#include <memory>
#include <span>

#include "document/logic/DocumentFile.h"

class QComboBox;
class QGroupBox;
class QPushButton;

namespace folio {

class TextBox;

class frmTf : public ChildForm {
    Q_OBJECT
public:
    explicit frmTf(Frame& frame);
    ~frmTf() override;

    // Controls, in tab order. The panel's controls lie inside fraFrame01.
    TextBox* txtText01 = nullptr;
    QPushButton* cmdClose = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdSaveas = nullptr;
    std::array<QComboBox*, 2> cboCombo01{};  // 0: the text to find, 1: the replacement
    QPushButton* cmdFindFirst = nullptr;
    QPushButton* cmdFindNext = nullptr;
    QPushButton* cmdReplace = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdCS = nullptr;
    QGroupBox* fraFrame01 = nullptr;

    // The document's state.
    QString FilePath;      // the file the document is tied to; empty for a new document
    QString ReadOnlyPath;  // the name opened read-only, which a save refuses
    QString FileExt;       // lower-cased extension of FilePath; drives the "&HTML Tags" menu
    bool TextChanged = false;
    // A file longer than this shows its top at once and is read whole on another thread
    // meanwhile; a shorter one is read whole before it shows.
    static inline qint64 readAtOnceBytes = qint64(4) << 20;
    bool OpenedReadOnly = false;
    // The encoding the file was read in, which every save writes; Windows-1252 for a
    // document that was never read from a file.
    docformat::Encoding fileEncoding = docformat::Encoding::Windows1252;
    bool CaseSensitive = false;  // set by Form_Load
    qint32 FindLen = 0;
    qint32 FindPos = 0;  // 1-based start of the next "Find &Next"; 0: no search under way

    TextBox* textBox() const override { return txtText01; }
    // Whether the rest of a big file is still being read (the box is Loading meanwhile).
    bool Loading() const { return m_load != nullptr; }
    // The one place where a command waits for the file: takes the whole text in at once
    // when it is still being read (see loadRest). Save, Save As, closing's question, the
    // find panel and the frame's text commands call it before they read or change the text.
    bool finishLoading() override;
    QWidget* findPanel() const override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_QueryUnload(bool& cancel) override;
    void Form_Unload() override;

    void txtText01_Change();
    void cmdClose_Click();
    void cmdSave_Click();
    void cmdSaveas_Click();

    // The find panel.
    void cmdFindFirst_Click();
    void cmdFindNext_Click();
    void cmdReplace_Click();
    void cmdCS_Click();
    void cmdClear_Click();

    // Runs the open dialog and loads the chosen file. Returns false when no file was chosen
    // (Cancel leaves the window as it was and the common dialog's FileName empty): the
    // caller then closes the window again. A chosen file that cannot be read is reported
    // and leaves the window open, empty.
    bool Opentf();
    // Loads `path` as the open dialog's choice, read-only when the box was ticked. A failure
    // is reported (unless `expected` deals with it) and gives false.
    bool OpenFile(const QString& path, bool readOnly, const ExpectedError& expected = {});
    // Loads the shades file (shadesFile: the program folder's, or the user's own copy
    // with the shipped sample shown until it is first saved); when it is missing, says so
    // and closes this window.
    void OpenMyShades();

private:
    enum class SaveOutcome {
        Written,
        DialogCancelled,  // Cancel in the save dialog
        NotWritten,       // refused, declined or failed; the user has been told
    };

    // The common part of opening: FileExt, the text and its encoding, the buttons. Throws on
    // failure, and then the window holds no file: FilePath and FileExt are empty, as in a
    // blank window.
    void loadFile();
    // Shows `top`, the top of FilePath, while the whole file is read and decoded on another
    // thread (DocumentLoading.cpp); the box is Loading meanwhile, so keys typed go into the
    // whole text. The whole, its encoding and stamp replace the top's as soon as the thread
    // is done, or when a command needs them (finishLoading). A failure to read it is
    // reported and closes the window, which holds no file meanwhile.
    void loadRest(const QString& top);
    struct PendingLoad;
    std::shared_ptr<PendingLoad> m_load;  // while the rest of the file is being read
    // The file as this window last read or wrote it; "&Save" asks before writing over a
    // file that has changed since.
    FileStamp m_diskStamp;
    // The user's own shades file when this window shows it: "&Save" creates its folder.
    QString m_userShadesPath;
    // False when the file on disk has changed since and the user does not want those
    // changes overwritten.
    bool confirmOverwriteChanges() const;
    // Writes the text over FilePath, asking only when the file has changed on disk since
    // this window last read or wrote it. Throws on failure; returns false when the user
    // declined to overwrite those changes or to lose characters its encoding cannot hold.
    bool SaveFile();
    // Asks for a name and whether to overwrite or append, then writes. Handles its own
    // failures. FilePath takes the chosen name only once the text is written.
    SaveOutcome SaveFileAs();
    // "&Save" and Yes to the closing question: SaveFile for a named document not opened
    // read-only, SaveFileAs otherwise. A failure of SaveFile is reported here.
    SaveOutcome saveByDecision();
    // Writes the text to `path` in `encoding`. Nearly every text holds only characters the
    // encoding has, and goes in one pass. Otherwise what can be composed into a character it
    // holds is, and the user decides about the rest before anything is written: false when
    // declined. `toFile`: the encoding is a file's (the question says "this file's"), not
    // that of a document without one. Throws on failure.
    bool writeText(const QString& path, WriteMode mode, docformat::Encoding encoding, bool toFile);

    void applyLayout();
    // Captions the case switch with the mode CaseSensitive holds.
    void showCaseMode();
};

}  // namespace folio
