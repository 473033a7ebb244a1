// insert: a tag command ("&Bold" around a selected word) near the end of the 50 MB
// document, the same near its start (the cost must not grow with the text behind the
// change), and reading SelStart and SelText near the end. Absolute figures. Also a
// character typed and "&Bold" applied in the middle of the 1 MB and the 5 MB one-line file
// until painted, next to the same in a bare QPlainTextEdit, and a character typed in the
// middle of the 50 MB document and of the 200 MB one-line file until painted.
#include "BenchFigures.h"
#include "BenchFiles.h"
#include "BenchSession.h"

#include "document/ui/frmTf.h"
#include "platform/ui/TextBox.h"
#include "shell/ui/frmMdimenuform.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace folio::bench {

namespace {

// The start of the line 30 lines (about 2400 characters) before the end of the text, and of
// the second line. Looked up in the text each time, as the figures keep adding tags.
int lineStartNearEnd(TextBox* box)
{
    return int(box->model().lineStart(box->model().lineCount() - 30));
}

int lineStartNearStart(TextBox* box)
{
    return int(box->model().lineStart(1));
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

// A character typed (a real key press) at `at` until it is painted, next to the same in a
// bare QPlainTextEdit holding the same file, when `bare` is given.
struct KeyPair {
    double ours = 0;
    double reference = 0;
};

void typeKey(QWidget* target)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QCoreApplication::sendEvent(target, &release);
}

// Types one key into `editor`, where its caret already is, and times it to the first paint
// after the change has been laid out again. The middle of the text lies far below the view,
// so each side asks for a paint of its own.
double keyToPaint(QAbstractScrollArea* editor)
{
    editor->viewport()->update();
    const auto start = std::chrono::steady_clock::now();
    typeKey(editor);
    waitForPaint(editor->viewport());
    return secondsSince(start);
}

double typeInto(TextBox* box, int at)
{
    box->setFocus();
    box->setSelStart(at);
    return keyToPaint(box);
}

double typeIntoBare(QPlainTextEdit* bare, int at)
{
    QTextCursor cursor(bare->document());
    cursor.setPosition(at);
    bare->setTextCursor(cursor);
    return keyToPaint(bare);
}

// "&Bold" around five characters at `at` until painted, and the same text put in place of
// the same characters of the bare edit.
double tagInto(Session& session, frmTf* form, int at)
{
    TextBox* box = form->txtText01;
    session.main().mdiArea()->setActiveSubWindow(form);
    box->setFocus();
    box->setSelStart(at);
    box->setSelLength(5);
    QCoreApplication::processEvents();
    const QString word = box->SelText();
    box->viewport()->update();
    const auto start = std::chrono::steady_clock::now();
    session.main().mnuBold_Click();
    waitForPaint(box->viewport());
    const double seconds = secondsSince(start);
    box->setSelStart(at);
    box->setSelLength(int(word.size()) + 9);
    if (box->SelText() != QStringLiteral("<b> ") + word + QStringLiteral(" </b>"))
        return -1;
    return seconds;
}

double tagIntoBare(QPlainTextEdit* bare, int at)
{
    QTextCursor cursor(bare->document());
    cursor.setPosition(at);
    cursor.setPosition(at + 5, QTextCursor::KeepAnchor);
    bare->setTextCursor(cursor);
    bare->viewport()->update();
    const auto start = std::chrono::steady_clock::now();
    QTextCursor c = bare->textCursor();
    c.insertText(QStringLiteral("<b> ") + c.selectedText() + QStringLiteral(" </b>"));
    waitForPaint(bare->viewport());
    return secondsSince(start);
}

enum class Edit { Type, Tag };

// In the middle of a one-line file of `megabytes`, next to a bare QPlainTextEdit.
void EditLongLine(benchmark::State& state, Edit edit, int megabytes)
{
    Session& session = Session::get();
    const QString path = benchFile(FileShape{LineEnd::CrLf, megabytes, true});
    frmTf* form = session.open(path);
    waitForPaint(form->txtText01->viewport());
    waitForLoad(form->txtText01);
    QPlainTextEdit* bare = session.openBare(path);
    TextBox* box = form->txtText01;
    const int middle = box->TextLength() / 2;
    for (auto _ : state) {
        double ours = 0, reference = 0;
        if (edit == Edit::Type)
            runPair([&] { ours = typeInto(box, middle); }, [&] { reference = typeIntoBare(bare, middle); });
        else
            runPair([&] { ours = tagInto(session, form, middle); }, [&] { reference = tagIntoBare(bare, middle); });
        if (ours < 0) {
            state.SkipWithError("the tag command did not wrap the selection");
            break;
        }
        state.SetIterationTime(ours);
        record(state, ours, reference);
    }
    delete bare;
    session.close(form);
}

// In the middle of the 200 MB one-line file (no reference: a bare QPlainTextEdit does not
// get through laying out a line that long).
void TypeInHugeLine(benchmark::State& state)
{
    Session& session = Session::get();
    frmTf* form = session.open(benchFile(FileShape{LineEnd::CrLf, 200, true}));
    waitForPaint(form->txtText01->viewport());
    waitForLoad(form->txtText01);
    TextBox* box = form->txtText01;
    const int middle = box->TextLength() / 2;
    for (auto _ : state) {
        const double ours = typeInto(box, middle);
        state.SetIterationTime(ours);
        record(state, ours);
    }
    session.close(form);
}

// In the middle of the 50 MB multi-line document (no reference: a second 50 MB document
// would only crowd the machine).
void TypeInMiddle(benchmark::State& state)
{
    Session& session = Session::get();
    frmTf* form = session.bigDocument();
    TextBox* box = form->txtText01;
    session.main().mdiArea()->setActiveSubWindow(form);
    const int middle = int(box->model().lineStart(box->model().lineCount() / 2));
    for (auto _ : state) {
        const double ours = typeInto(box, middle);
        state.SetIterationTime(ours);
        record(state, ours);
    }
}

}  // namespace

BENCHMARK_CAPTURE(EditLongLine, type_1mb, Edit::Type, 1)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EditLongLine, type_5mb, Edit::Type, 5)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EditLongLine, tag_1mb, Edit::Tag, 1)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EditLongLine, tag_5mb, Edit::Tag, 5)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(TypeInHugeLine)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(TypeInMiddle)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TagCommand, near_end, Place::NearEnd)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TagCommand, near_start, Place::NearStart)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TagCommand, near_end_after_one_near_start, Place::NearEndAfterNearStart)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ReadSelStart)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ReadSelText)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace folio::bench
