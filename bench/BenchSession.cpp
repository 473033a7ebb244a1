#include "BenchSession.h"

#include "BenchFiles.h"

#include "document/ui/frmTf.h"
#include "platform/logic/CommonDialog.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/TextBox.h"
#include "shell/ui/Application.h"
#include "shell/ui/frmMdimenuform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiSubWindow>
#include <QPlainTextEdit>

#include <cstdio>
#include <cstdlib>

namespace folio::bench {

namespace {

class NoBoxes final : public Dialogs {
public:
    MsgAnswer msgBox(const MsgBoxRequest& request) override
    {
        std::fprintf(stderr, "unexpected message box: %s\n", qPrintable(request.prompt));
        std::abort();
    }
    QString inputBox(const QString& prompt, const QString&, const QString&) override
    {
        std::fprintf(stderr, "unexpected input box: %s\n", qPrintable(prompt));
        std::abort();
    }
};

class FileAnswers final : public CommonDialogBackend {
public:
    QString openPath;
    QString savePath;
    std::optional<OpenChoice> showOpen(const FileDialogRequest&) override { return OpenChoice{openPath, false}; }
    std::optional<QString> showSave(const FileDialogRequest&) override { return savePath; }
    std::optional<FontChoice> showFont(const QString&, const FontChoice&, int, int) override { return {}; }
    std::optional<ColourValue> showColor(const QString&, ColourValue) override { return {}; }
};

FileAnswers& fileAnswers()
{
    static FileAnswers answers;
    return answers;
}

class PaintProbe final : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

}  // namespace

void useOffscreenPlatform()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_ACCESSIBILITY", "0");
}

void waitForPaint(QWidget* widget)
{
    PaintProbe probe;
    widget->installEventFilter(&probe);
    QElapsedTimer limit;
    limit.start();
    // The paint runs inside the processEvents() call that delivers it, so the loop ends
    // once the paint is complete.
    while (!probe.painted && limit.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    widget->removeEventFilter(&probe);
    if (!probe.painted) {
        std::fprintf(stderr, "no paint within 60 s\n");
        std::abort();
    }
}

void waitForLoad(TextBox* box)
{
    while (box->Loading())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

Session& Session::get()
{
    static Session session;
    return session;
}

Session::Session()
{
    static NoBoxes noBoxes;
    Dialogs::install(&noBoxes);
    m_main = frmMdimenuform::load();
    m_main->CommonDialog1.setBackend(&fileAnswers());
    QCoreApplication::processEvents();

    // Where a document's text box stands and which font it has, for the floor to match.
    m_main->mnuNewBlank_Click();
    auto* blank = qobject_cast<frmTf*>(m_main->ActiveForm());
    if (!blank) {
        std::fprintf(stderr, "no document window\n");
        std::abort();
    }
    QCoreApplication::processEvents();
    m_textGeometry = blank->txtText01->geometry();
    m_textFont = blank->txtText01->font();
    close(blank);

    m_bareHost = new QWidget;
    m_bareHost->resize(m_main->size());
    m_bareHost->show();
    QCoreApplication::processEvents();
}

frmTf* Session::open(const QString& path)
{
    fileAnswers().openPath = path;
    m_main->mnuOef_Click();
    auto* form = qobject_cast<frmTf*>(m_main->ActiveForm());
    if (!form || form->FilePath != path) {
        std::fprintf(stderr, "opening %s gave no document window\n", qPrintable(path));
        std::abort();
    }
    return form;
}

void Session::close(frmTf* form)
{
    form->TextChanged = false;
    form->cmdClose_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

frmTf* Session::bigDocument()
{
    if (!m_big) {
        const QString work = scratchFolder() + QStringLiteral("/work-50mb.html");
        QFile::remove(work);
        if (!QFile::copy(benchFile(FileShape{LineEnd::CrLf, 50}), work))
            std::abort();
        m_big = open(work);
        waitForPaint(m_big->txtText01->viewport());
        waitForLoad(m_big->txtText01);
    }
    return m_big;
}

void Session::setSaveAnswer(const QString& path)
{
    fileAnswers().savePath = path;
}

QPlainTextEdit* Session::openBare(const QString& path, bool utf8)
{
    auto* edit = new QPlainTextEdit(m_bareHost);
    edit->setFont(m_textFont);
    edit->setGeometry(m_textGeometry);
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            std::abort();
        const QByteArray bytes = file.readAll();
        edit->setPlainText(utf8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes));
    }
    edit->show();
    waitForPaint(edit->viewport());
    return edit;
}

}  // namespace folio::bench
