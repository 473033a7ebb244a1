// open: "&Open an Existing File" (Opentf: read, decode, into the text box) until the
// document window's text has been painted, next to the toolkit floor in the same run. The
// floor decodes a UTF-8 file with Qt's own UTF-8 decoder, which knows the encoding
// beforehand; the program finds it out while decoding. Also the 200 MB one-line file next
// to the 200 MB file with lines. A big file is read on a thread while the window shows its
// top: opening counts until the whole text is in the box; three more figures tell how soon
// the window paints, how well it answers meanwhile, and what becomes of keys typed at once.
#include "BenchFigures.h"
#include "BenchFiles.h"
#include "BenchSession.h"

#include "document/ui/frmTf.h"
#include "platform/ui/TextBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTimer>

#include <algorithm>

namespace folio::bench {

namespace {

void Open(benchmark::State& state, FileShape shape)
{
    const QString path = benchFile(shape);
    Session& session = Session::get();
    for (auto _ : state) {
        double ours = 0, floor = 0;
        const auto runOurs = [&] {
            const auto start = std::chrono::steady_clock::now();
            frmTf* form = session.open(path);
            waitForPaint(form->txtText01->viewport());
            waitForLoad(form->txtText01);
            ours = secondsSince(start);
            session.close(form);
        };
        const auto runFloor = [&] {
            const auto start = std::chrono::steady_clock::now();
            QPlainTextEdit* edit = session.openBare(path, shape.utf8);
            floor = secondsSince(start);
            delete edit;
            QCoreApplication::processEvents();
        };
        runPair(runOurs, runFloor);
        state.SetIterationTime(ours);
        record(state, ours, floor);
    }
}

// A file of one line next to a file of as many bytes in lines, both opened by the program:
// a line of any length must cost no more to open than lines do.
void OpenOneLine(benchmark::State& state, qint64 megabytes)
{
    const QString oneLine = benchFile(FileShape{LineEnd::CrLf, megabytes, true});
    const QString lines = benchFile(FileShape{LineEnd::CrLf, megabytes});
    Session& session = Session::get();
    const auto openAndPaint = [&](const QString& path) {
        const auto start = std::chrono::steady_clock::now();
        frmTf* form = session.open(path);
        waitForPaint(form->txtText01->viewport());
        waitForLoad(form->txtText01);
        const double seconds = secondsSince(start);
        session.close(form);
        return seconds;
    };
    for (auto _ : state) {
        double ours = 0, reference = 0;
        runPair([&] { ours = openAndPaint(oneLine); }, [&] { reference = openAndPaint(lines); });
        state.SetIterationTime(ours);
        record(state, ours, reference);
    }
}

// The event loop's longest wait beyond its time, seen by a 5 ms timer while it runs.
class GapProbe {
public:
    GapProbe()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const auto now = std::chrono::steady_clock::now();
            m_longest = std::max(m_longest, std::chrono::duration<double>(now - m_last).count() - 0.005);
            m_last = now;
        });
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.start(5);
    }
    // The time since the last tick counts too: the wait that ends a run of events is often
    // the longest, and nothing may tick after it.
    double longest() const
    {
        const double sinceLast = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_last).count();
        return std::max(m_longest, sinceLast - 0.005);
    }

private:
    QTimer m_timer;
    std::chrono::steady_clock::time_point m_last = std::chrono::steady_clock::now();
    double m_longest = 0;
};

// While a big file is read: its top painted, counted from the open command (the dialog
// answers at once), or the longest gap of the event loop from then until the whole text
// is in the box.
enum class Responsive { FirstPaint, LongestGap };

void OpenResponsive(benchmark::State& state, FileShape shape, Responsive figure)
{
    const QString path = benchFile(shape);
    Session& session = Session::get();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        frmTf* form = session.open(path);
        waitForPaint(form->txtText01->viewport());
        const double firstPaint = secondsSince(start);
        double longest = 0;
        {
            GapProbe gaps;
            waitForLoad(form->txtText01);
            longest = gaps.longest();
        }
        session.close(form);
        const double ours = figure == Responsive::FirstPaint ? firstPaint : longest;
        state.SetIterationTime(ours);
        record(state, ours);
    }
}

// Keys typed right after the open command, one every 20 ms while the file is read: the
// longest gap of the event loop from the end of the command until the whole text is in and
// the keys are carried out. The typed text must stand in the text right before the caret.
void TypeDuringLoad(benchmark::State& state, FileShape shape)
{
    const QString path = benchFile(shape);
    Session& session = Session::get();
    const QString letters = QStringLiteral("typedwhileloading");
    for (auto _ : state) {
        QString typed;
        double longest = 0;
        frmTf* form = nullptr;
        {
            form = session.open(path);
            GapProbe gaps;
            TextBox* box = form->txtText01;
            box->setFocus();
            const auto typeNext = [&] {
                const QString key = letters.at(typed.size() % letters.size());
                QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, key);
                QCoreApplication::sendEvent(box, &press);
                QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, key);
                QCoreApplication::sendEvent(box, &release);
                typed += key;
            };
            typeNext();
            QTimer typist;
            QObject::connect(&typist, &QTimer::timeout, [&] {
                if (box->Loading())
                    typeNext();
            });
            typist.start(20);
            waitForLoad(box);
            typist.stop();
            QCoreApplication::processEvents();
            longest = gaps.longest();
        }
        TextBox* box = form->txtText01;
        const qsizetype caret = box->SelStart();
        const bool inPlace = box->SelLength() == 0 && caret >= typed.size()
            && box->model().slice(caret - typed.size(), typed.size()) == typed;
        session.close(form);
        if (!inPlace) {
            state.SkipWithError("the keys typed during the load are not in the text at the caret");
            return;
        }
        state.SetIterationTime(longest);
        record(state, longest);
        state.counters["keys"] = double(typed.size());
    }
}

}  // namespace

BENCHMARK_CAPTURE(OpenResponsive, first_paint_50mb, FileShape{LineEnd::CrLf, 50}, Responsive::FirstPaint)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenResponsive, longest_gap_50mb, FileShape{LineEnd::CrLf, 50}, Responsive::LongestGap)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TypeDuringLoad, 50mb, FileShape{LineEnd::CrLf, 50})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenOneLine, 200mb, 200)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, crlf_10mb, FileShape{LineEnd::CrLf, 10})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, lf_10mb, FileShape{LineEnd::Lf, 10})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, crlf_50mb, FileShape{LineEnd::CrLf, 50})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, lf_50mb, FileShape{LineEnd::Lf, 50})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, single_5mb, FileShape{LineEnd::CrLf, 5, true})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, crlf_1mb, FileShape{LineEnd::CrLf, 1})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, utf8_10mb, FileShape{LineEnd::CrLf, 10, false, true})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, utf8_50mb, FileShape{LineEnd::CrLf, 50, false, true})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace folio::bench
