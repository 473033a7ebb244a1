// open: "&Open an Existing File" (Opentf: read, decode, into the text box) until the
// document window's text has been painted, next to the toolkit floor in the same run. The
// floor decodes a UTF-8 file with Qt's own UTF-8 decoder, which knows the encoding
// beforehand; the program finds it out while decoding. Also the 200 MB one-line file next
// to the 200 MB file with lines. A big file fills in from the event loop: opening counts
// until the whole text is in; two more figures tell how soon the window paints and how
// well it answers meanwhile.
#include "BenchFigures.h"
#include "BenchFiles.h"
#include "BenchSession.h"

#include "document/ui/frmTf.h"
#include "platform/ui/TextBox.h"

#include <QApplication>
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
            waitForFill(form->txtText01);
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
        waitForFill(form->txtText01);
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

// While a big file fills in: the first screenful painted, counted from the open command
// (the dialog answers at once), or the longest the event loop kept a 5 ms timer waiting
// beyond its time from then until the whole text is in.
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
            QTimer late;
            auto last = std::chrono::steady_clock::now();
            QObject::connect(&late, &QTimer::timeout, [&] {
                const auto now = std::chrono::steady_clock::now();
                longest = std::max(longest, std::chrono::duration<double>(now - last).count() - 0.005);
                last = now;
            });
            late.setTimerType(Qt::PreciseTimer);
            late.start(5);
            while (form->txtText01->Filling())
                QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        }
        session.close(form);
        const double ours = figure == Responsive::FirstPaint ? firstPaint : longest;
        state.SetIterationTime(ours);
        record(state, ours);
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
