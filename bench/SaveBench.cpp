// save: "&Save" of a document over its file (SaveFile: the text, the check for characters
// its encoding cannot hold, encoding, the atomic write), next to Qt doing the same with its
// own tools: QStringEncoder encoding the whole text in the document's encoding, QSaveFile
// writing the bytes and committing them. The 50 MB Windows-1252 document, and UTF-8
// documents of 10 and 50 MB.
#include "BenchFigures.h"
#include "BenchFiles.h"
#include "BenchSession.h"

#include "document/logic/DocumentFile.h"
#include "document/ui/frmTf.h"
#include "platform/ui/TextBox.h"

#include <QFile>
#include <QSaveFile>
#include <QStringEncoder>

namespace folio::bench {

namespace {

void saveAndTime(benchmark::State& state, frmTf* form)
{
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
            const QString text = form->txtText01->Text();
            const auto start = std::chrono::steady_clock::now();
            const bool utf8 = form->fileEncoding != docformat::Encoding::Windows1252;
            QStringEncoder encoder(utf8 ? "UTF-8" : "windows-1252",
                                   form->fileEncoding == docformat::Encoding::Utf8WithMark
                                       ? QStringConverter::Flag::WriteBom
                                       : QStringConverter::Flag::Default);
            const QByteArray bytes = encoder.encode(text);
            QSaveFile file(referencePath);
            if (!encoder.isValid() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()
                || file.write("\r\n") != 2 || !file.commit())
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

void Save(benchmark::State& state)
{
    saveAndTime(state, Session::get().bigDocument());
}

// A UTF-8 document opened from a copy of its file, saved, and closed again.
void SaveUtf8(benchmark::State& state, FileShape shape)
{
    Session& session = Session::get();
    const QString work = scratchFolder() + QStringLiteral("/work-utf8.html");
    QFile::remove(work);
    if (!QFile::copy(benchFile(shape), work))
        std::abort();
    frmTf* form = session.open(work);
    waitForPaint(form->txtText01->viewport());
    waitForLoad(form->txtText01);
    if (form->fileEncoding != docformat::Encoding::Utf8) {
        state.SkipWithError("the file was not read as UTF-8");
        session.close(form);
        return;
    }
    saveAndTime(state, form);
    session.close(form);
}

}  // namespace

BENCHMARK(Save)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaveUtf8, 10mb, FileShape{LineEnd::CrLf, 10, false, true})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaveUtf8, 50mb, FileShape{LineEnd::CrLf, 50, false, true})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace folio::bench
