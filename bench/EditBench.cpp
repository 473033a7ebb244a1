// insert: a tag command ("&Bold" around a selected word) near the end of the 50 MB
// document, the same near its start (the cost must not grow with the text behind the
// change), and reading SelStart and SelText near the end. Absolute figures.
#include "BenchFigures.h"
#include "BenchSession.h"

#include "document/ui/frmTf.h"
#include "platform/ui/TextBox.h"
#include "shell/ui/frmMdimenuform.h"

#include <QCoreApplication>

namespace folio::bench {

namespace {

// The start of a line about 2000 characters before the end of the text. Text before it is
// never changed by these figures, so it stays a line start.
int lineStartNearEnd(TextBox* box)
{
    static int position = -1;
    if (position < 0) {
        const QString text = box->Text();
        position = int(text.lastIndexOf(QStringLiteral("\r\n"), text.size() - 2000)) + 2;
    }
    return position;
}

void selectNearEnd(TextBox* box, int length)
{
    box->setSelStart(lineStartNearEnd(box));
    box->setSelLength(length);
}

// The start of the second line, which the near-start figure keeps wrapping.
int lineStartNearStart(TextBox* box)
{
    static int position = -1;
    if (position < 0)
        position = int(box->Text().indexOf(QStringLiteral("\r\n"), 2)) + 2;
    return position;
}

void TagCommand(benchmark::State& state, bool nearEnd)
{
    Session& session = Session::get();
    frmTf* form = session.bigDocument();
    TextBox* box = form->txtText01;
    const int at = nearEnd ? lineStartNearEnd(box) : lineStartNearStart(box);
    for (auto _ : state) {
        box->setFocus();
        box->setSelStart(at);
        box->setSelLength(5);
        QCoreApplication::processEvents();
        const QString word = box->SelText();
        const int before = box->TextLength();
        const auto start = std::chrono::steady_clock::now();
        session.main().mnuBold_Click();
        const double ours = secondsSince(start);
        // "&Bold" wraps the selection as "<b> word </b>" and leaves the caret behind it.
        const int added = box->TextLength() - before;
        box->setSelStart(at);
        box->setSelLength(5 + added);
        if (word.size() != 5 || box->SelText() != QStringLiteral("<b> ") + word + QStringLiteral(" </b>")) {
            state.SkipWithError("the tag command did not wrap the selection");
            return;
        }
        // Layout and paint of the change, outside the figure.
        QCoreApplication::processEvents();
        state.SetIterationTime(ours);
        record(state, ours);
    }
}

void ReadSelStart(benchmark::State& state)
{
    TextBox* box = Session::get().bigDocument()->txtText01;
    selectNearEnd(box, 5);
    const int expected = lineStartNearEnd(box);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const int value = box->SelStart();
        const double ours = secondsSince(start);
        if (value != expected) {
            state.SkipWithError("wrong SelStart");
            return;
        }
        state.SetIterationTime(ours);
        record(state, ours);
    }
}

void ReadSelText(benchmark::State& state)
{
    TextBox* box = Session::get().bigDocument()->txtText01;
    selectNearEnd(box, 300);  // several lines, breaks included
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const QString value = box->SelText();
        const double ours = secondsSince(start);
        if (value.size() != box->SelLength() || value.size() < 300 || !value.contains(u'\n')) {
            state.SkipWithError("wrong SelText");
            return;
        }
        state.SetIterationTime(ours);
        record(state, ours);
    }
}

}  // namespace

BENCHMARK_CAPTURE(TagCommand, near_end, true)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TagCommand, near_start, false)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ReadSelStart)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ReadSelText)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace folio::bench
