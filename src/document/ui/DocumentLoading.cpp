// The rest of a big document file: read and decoded on a thread of its own while the window
// already shows the file's top and takes keys; the whole text goes into the box in one step
// the moment the thread is done, or earlier, waiting for the rest, when a command needs it.
#include "document/ui/frmTf.h"

#include "document/logic/DocumentFile.h"
#include "platform/ui/TextBox.h"
#include "shared/ui/Guarded.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

#include <exception>
#include <functional>
#include <future>
#include <system_error>
#include <utility>

namespace folio {

// The reading of the rest: started once the window has painted its top, on a thread, or on
// the spot when none is to be had or a command needs the text before it started.
struct frmTf::PendingLoad {
    struct Whole {
        QString text;
        PieceText pieces;  // the same text, cut into pieces on the reading thread
        docformat::Encoding encoding = docformat::Encoding::Windows1252;
        FileStamp stamp;
    };
    QString path;
    std::future<Whole> whole;  // not valid until the reading has started

    static Whole read(const QString& path)
    {
        Whole w;
        w.text = readDocument(path, &w.encoding, &w.stamp);
        w.pieces.assign(w.text);
        return w;
    }
};

namespace {

// Runs a task from the event loop once `widget` has painted, or after a short while at the
// latest; then goes.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget* widget, std::function<void()> task) : QObject(widget), m_task(std::move(task))
    {
        widget->installEventFilter(this);
        QTimer::singleShot(100, this, [this] { run(); });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, this, [this] { run(); });
        return false;
    }

private:
    void run()
    {
        if (m_task)
            std::exchange(m_task, nullptr)();
        deleteLater();
    }
    std::function<void()> m_task;
};

}  // namespace

void frmTf::loadRest(const QString& top)
{
    auto load = std::make_shared<PendingLoad>();
    load->path = FilePath;
    m_load = load;
    // The top is shown as it is, to be read, scrolled and selected; keys, input-method text,
    // pastes and the box's own commands wait in the box for the whole.
    txtText01->setText(top);
    txtText01->setLoading(true);

    // The thread starts once the window has painted the top (or a moment later, should it
    // not be painted): its reading slows the first paint down a lot on a busy machine. When
    // done, it asks the event loop to put the whole in; a load already finished by a command
    // by then (or a window gone) has nothing left to do.
    const std::weak_ptr<PendingLoad> pending = load;
    const QPointer<frmTf> form(this);
    const auto whenRead = [pending, form] {
        if (const auto load = pending.lock(); load && form && form->m_load == load)
            form->finishLoading();
    };
    const auto start = [pending, whenRead] {
        const auto load = pending.lock();
        if (!load || load->whole.valid())
            return;
        const QString path = load->path;
        const auto readAndTell = [path, whenRead] {
            // Told however the reading ends, failures included.
            struct Tell {
                std::function<void()> task;
                ~Tell() { QMetaObject::invokeMethod(QCoreApplication::instance(), task, Qt::QueuedConnection); }
            } tell{whenRead};
            return PendingLoad::read(path);
        };
        try {
            load->whole = std::async(std::launch::async, readAndTell);
        } catch (const std::system_error&) {
            // No thread to be had: read from the event loop, the window painted already.
            load->whole = std::async(std::launch::deferred, [path] { return PendingLoad::read(path); });
            QTimer::singleShot(0, QCoreApplication::instance(), whenRead);
        }
    };
    new AfterFirstPaint(txtText01->viewport(), start);
}

bool frmTf::finishLoading()
{
    if (!m_load)
        return true;
    const std::shared_ptr<PendingLoad> load = std::exchange(m_load, nullptr);
    if (!load->whole.valid())  // needed before the thread was started
        load->whole = std::async(std::launch::deferred, [path = load->path] { return PendingLoad::read(path); });
    try {
        PendingLoad::Whole whole = load->whole.get();
        fileEncoding = whole.encoding;
        m_diskStamp = whole.stamp;
        // Where the user scrolled or selected in the top stays so when the whole begins
        // with the top (it may not: bytes further on can change the encoding).
        const bool changed = TextChanged;
        const Selection shownSelection = txtText01->model().selection();
        const qsizetype shownTop = txtText01->topRow().start;
        const bool sameStart = QStringView(whole.text).startsWith(txtText01->Text());
        txtText01->setText(std::move(whole.pieces));
        if (sameStart && !txtText01->model().changed()) {
            if (shownSelection != txtText01->model().selection())
                txtText01->model().select(shownSelection.anchor, shownSelection.caret);
            if (shownTop != 0)
                txtText01->scrollToRow(txtText01->rows().rowAt(shownTop));
        }
        TextChanged = changed || txtText01->model().changed();
        // What was typed meanwhile is carried out on the whole text now, a change like any.
        txtText01->setLoading(false);
        return true;
    } catch (...) {
        // As when the file could not be read at all: the window holds no file and no text,
        // and goes once the user has been told.
        const std::exception_ptr failure = std::current_exception();
        FilePath.clear();
        FileExt.clear();
        m_diskStamp = FileStamp{};
        txtText01->setText(QString());
        txtText01->setLoading(false);
        TextChanged = false;
        QTimer::singleShot(0, this, [this, failure] {
            guarded([&] { std::rethrow_exception(failure); });
            cmdClose_Click();
        });
        return false;
    }
}

}  // namespace folio
