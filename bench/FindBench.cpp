// find: "Find &Next" for the one match near the end of the 50 MB document, searched from the
// start, next to QString::indexOf over the same text; both case modes.
#include "BenchFigures.h"
#include "BenchFiles.h"
#include "BenchSession.h"

#include "document/ui/frmTf.h"
#include "platform/ui/TextBox.h"

#include <QComboBox>

#include <cstdint>

namespace folio::bench {

namespace {

// Where a character is typed before each search, so that the search cannot reuse the text
// of the previous one: nowhere, at the end, or near the start (which a text kept in one
// piece of memory would have to move). Scattered: once, before the first search, 10,000
// characters are typed at places spread over the text, which then lies in many pieces.
enum class EditBefore { None, AtEnd, NearStart, Scattered };

void typeScattered(TextBox* box)
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // Over the first nine tenths of the text: the marker lies behind every change.
    const int span = box->TextLength() / 10 * 9;
    std::uint64_t seed = 12345;
    for (int i = 0; i < 10000; ++i) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        box->setSelStart(int((seed >> 33) % std::uint64_t(span)));
        box->ReplaceSelection(QStringLiteral("Z"));
    }
}

void FindNext(benchmark::State& state, bool caseSensitive, EditBefore edit)
{
    frmTf* form = Session::get().bigDocument();
    TextBox* box = form->txtText01;
    const QString needle = QString::fromLatin1(caseSensitive ? kMarker : kMarkerOtherCase);
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (edit == EditBefore::Scattered)
        typeScattered(box);
    // The reference's copy of the text, taken without Text(), which would join the pieces.
    QString text;
    const PieceText pieces = box->TextPieces();
    for (const QStringView part : pieces.parts())
        text.append(part);
    qsizetype expected = text.indexOf(needle, 0, cs);
    if (expected < 0 || expected < text.size() / 2) {
        state.SkipWithError("the marker is not near the end");
        return;
    }
    form->cboCombo01[0]->setCurrentText(needle);
    form->CaseSensitive = caseSensitive;
    // Find First has run, as it does before any Find Next.
    form->cmdFindFirst_Click();

    for (auto _ : state) {
        if (edit == EditBefore::AtEnd) {
            box->setSelStart(box->TextLength());
            box->ReplaceSelection(QStringLiteral(" "));
            text.append(u' ');
        } else if (edit == EditBefore::NearStart) {
            box->setSelStart(10);
            box->ReplaceSelection(QStringLiteral(" "));
            text.insert(10, u' ');
            ++expected;
        }
        double ours = 0, reference = 0;
        qsizetype found = -1;
        const auto runOurs = [&] {
            form->FindPos = 1;
            const auto start = std::chrono::steady_clock::now();
            form->cmdFindNext_Click();
            ours = secondsSince(start);
        };
        const auto runReference = [&] {
            const auto start = std::chrono::steady_clock::now();
            found = text.indexOf(needle, 0, cs);
            reference = secondsSince(start);
        };
        runPair(runOurs, runReference);
        if (box->SelStart() != expected || found != expected) {
            state.SkipWithError("Find Next selected the wrong place");
            return;
        }
        state.SetIterationTime(ours);
        record(state, ours, reference);
        state.counters["pieces"] = double(box->TextPieces().pieceCount());
    }
}

}  // namespace

BENCHMARK_CAPTURE(FindNext, case_sensitive, true, EditBefore::None)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindNext, case_insensitive, false, EditBefore::None)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindNext, after_edit_case_sensitive, true, EditBefore::AtEnd)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindNext, after_edit_near_start_case_sensitive, true, EditBefore::NearStart)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindNext, after_10000_scattered_edits_case_sensitive, true, EditBefore::Scattered)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace folio::bench
