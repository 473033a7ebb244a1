#pragma once
// The program as the benchmarks drive it: the main window on the offscreen platform, the
// file dialogs answered with the benchmark's files, and any message box treated as a
// failure of the run (a figure taken past an unexpected question would be meaningless).
#include <QFont>
#include <QRect>
#include <QString>

#include <chrono>

class QWidget;
class QPlainTextEdit;

namespace folio {
class frmTf;
class TextBox;
class frmMdimenuform;
}  // namespace folio

namespace folio::bench {

inline double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Call before the QApplication exists.
void useOffscreenPlatform();

class Session {
public:
    // The one session of the process; makes the main window on first use.
    static Session& get();

    frmMdimenuform& main() { return *m_main; }
    // "&Open an Existing File" with `path` chosen in the open dialog. Returns the new window.
    frmTf* open(const QString& path);
    // Closes a document window without questions and lets it go.
    void close(frmTf* form);

    // Where and in what font a freshly opened document shows its text.
    QRect textGeometry() const { return m_textGeometry; }
    QFont textFont() const { return m_textFont; }

    // The toolkit floor of opening: read, decode (as UTF-8 when `utf8`, else byte for
    // character), setPlainText and the first paint of a bare QPlainTextEdit placed and set
    // like the document's text box. Returns the edit (still shown); the caller deletes it.
    QPlainTextEdit* openBare(const QString& path, bool utf8 = false);

    // A 50 MB CR LF document opened once from a copy of its file, shared by the find, edit
    // and save figures (which run in that order; the edits grow it by a few characters).
    frmTf* bigDocument();

    // Answer for the next save dialog.
    void setSaveAnswer(const QString& path);

private:
    Session();
    frmMdimenuform* m_main = nullptr;
    QWidget* m_bareHost = nullptr;
    QRect m_textGeometry;
    QFont m_textFont;
    frmTf* m_big = nullptr;
};

// Processes events until `widget` has been painted (at most 60 s).
void waitForPaint(QWidget* widget);
// Processes events until `box` holds the whole text of its file (a big file is read on a
// thread while its top shows; the whole goes in from the event loop).
void waitForLoad(TextBox* box);

}  // namespace folio::bench
