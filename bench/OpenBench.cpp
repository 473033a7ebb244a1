// open: "&Open an Existing File" (Opentf: read, decode, into the text box) until the
// document window's text has been painted, next to the toolkit floor in the same run. The
// floor decodes a UTF-8 file with Qt's own UTF-8 decoder, which knows the encoding
// beforehand; the program finds it out while decoding.
#include "BenchFigures.h"
#include "BenchFiles.h"
#include "BenchSession.h"

#include "document/ui/frmTf.h"
#include "platform/ui/TextBox.h"

#include <QApplication>
#include <QPlainTextEdit>

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

}  // namespace

BENCHMARK_CAPTURE(Open, crlf_10mb, FileShape{LineEnd::CrLf, 10})->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, lf_10mb, FileShape{LineEnd::Lf, 10})->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, crlf_50mb, FileShape{LineEnd::CrLf, 50})->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, lf_50mb, FileShape{LineEnd::Lf, 50})->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, single_5mb, FileShape{LineEnd::CrLf, 5, true})->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, crlf_1mb, FileShape{LineEnd::CrLf, 1})->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, utf8_10mb, FileShape{LineEnd::CrLf, 10, false, true})->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, utf8_50mb, FileShape{LineEnd::CrLf, 50, false, true})->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace folio::bench
