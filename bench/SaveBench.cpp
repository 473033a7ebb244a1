// save: "&Save" of the 50 MB document over its file (SaveFile: the text, the check for
// characters the code page cannot hold, encoding, the atomic write), next to writing the
// same bytes with a plain QSaveFile.
#include "BenchFigures.h"
#include "BenchFiles.h"
#include "BenchSession.h"

#include "document/logic/DocumentFile.h"
#include "document/ui/frmTf.h"

#include <QSaveFile>

namespace folio::bench {

namespace {

void Save(benchmark::State& state)
{
    frmTf* form = Session::get().bigDocument();
    const QString referencePath = scratchFolder() + QStringLiteral("/reference-save.html");
    for (auto _ : state) {
        double ours = 0, reference = 0;
        const auto runOurs = [&] {
            form->TextChanged = true;
            const auto start = std::chrono::steady_clock::now();
            form->cmdSave_Click();
            ours = secondsSince(start);
        };
        const auto runReference = [&] {
            const QByteArray bytes = readFileBytes(form->FilePath);
            const auto start = std::chrono::steady_clock::now();
            QSaveFile file(referencePath);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
                std::abort();
            reference = secondsSince(start);
        };
        runPair(runOurs, runReference);
        if (form->TextChanged) {
            state.SkipWithError("the document was not saved");
            return;
        }
        state.SetIterationTime(ours);
        record(state, ours, reference);
    }
}

}  // namespace

BENCHMARK(Save)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace folio::bench
