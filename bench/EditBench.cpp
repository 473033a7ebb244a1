// insert: a tag command ("&Bold" around a selected word) near the end of the 50 MB
// document, the same near its start (the cost must not grow with the text behind the
// change), and reading SelStart and SelText near the end. Absolute figures. Also, for
// information: a character typed into the middle of the 5 MB one-line file until it is
// painted, next to the same in a bare QPlainTextEdit.
#include "BenchFigures.h"
#include "BenchFiles.h"
#include "BenchSession.h"

#include "document/ui/frmTf.h"
#include "platform/ui/TextBox.h"
#include "shell/ui/frmMdimenuform.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

namespace folio::bench {

namespace {

// The start of the line 30 lines (about 2400 characters) before the end of the text, and of
// the second line. Looked up in the document each time, as the figures keep adding tags.
int lineStartNearEnd(TextBox* box)
{
    const QTextDocument* doc = box->document();
    return box->widgetToModel(doc->findBlockByNumber(doc->blockCount() - 30).position());
}

int lineStartNearStart(TextBox* box)
{
    return box->widgetToModel(box->document()->findBlockByNumber(1).position());
}

void selectNearEnd(TextBox* box, int length)
{
    box->setSelStart(lineStartNearEnd(box));
    box->setSelLength(length);
}

// Where the measured command runs, and whether a command at the other end of the text runs
// just before it (unmeasured), so that the measured change is far from the previous one.
enum class Place { NearEnd, NearStart, NearEndAfterNearStart };

void TagCommand(benchmark::State& state, Place place)
{
    Session& session = Session::get();
    frmTf* form = session.bigDocument();
    TextBox* box = form->txtText01;
    // The commands act on the active window, which another figure's document may have been.
    session.main().mdiArea()->setActiveSubWindow(form);
    for (auto _ : state) {
        if (place == Place::NearEndAfterNearStart) {
            box->setFocus();
            box->setSelStart(lineStartNearStart(box));
            box->setSelLength(5);
            session.main().mnuBold_Click();
            QCoreApplication::processEvents();
        }
        const int at = place == Place::NearStart ? lineStartNearStart(box) : lineStartNearEnd(box);
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

void TypeInLongLine(benchmark::State& state)
{
    Session& session = Session::get();
    const QString path = benchFile(FileShape{LineEnd::CrLf, 5, true});
    frmTf* form = session.open(path);
    waitForPaint(form->txtText01->viewport());
    QPlainTextEdit* bare = session.openBare(path);
    TextBox* box = form->txtText01;
    const int middle = box->TextLength() / 2;
    // The middle of the line lies far below the view, so each side asks for a paint of its
    // own: the figure runs to the first paint after the line has been laid out again.
    for (auto _ : state) {
        double ours = 0, reference = 0;
        const auto runOurs = [&] {
            box->setSelStart(middle);
            box->viewport()->update();
            const auto start = std::chrono::steady_clock::now();
            box->ReplaceSelection(QStringLiteral("x"));
            waitForPaint(box->viewport());
            ours = secondsSince(start);
        };
        const auto runReference = [&] {
            QTextCursor cursor(bare->document());
            cursor.setPosition(middle);
            bare->setTextCursor(cursor);
            bare->viewport()->update();
            const auto start = std::chrono::steady_clock::now();
            bare->textCursor().insertText(QStringLiteral("x"));
            waitForPaint(bare->viewport());
            reference = secondsSince(start);
        };
        runPair(runOurs, runReference);
        state.SetIterationTime(ours);
        record(state, ours, reference);
    }
    delete bare;
    session.close(form);
}

}  // namespace

BENCHMARK(TypeInLongLine)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TagCommand, near_end, Place::NearEnd)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TagCommand, near_start, Place::NearStart)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TagCommand, near_end_after_one_near_start, Place::NearEndAfterNearStart)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ReadSelStart)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ReadSelText)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace folio::bench
