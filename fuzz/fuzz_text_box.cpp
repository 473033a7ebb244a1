// The document text box driven by random edit scripts, against a plain string.
//
// The fuzzer's bytes are decoded into a script of operations: put the caret somewhere,
// select a length, replace the selection by a text with line breaks of every kind (CR LF,
// LF, CR) and the characters the widget's document treats specially, undo, redo, set the
// whole text, lock and unlock, cut the selection the way the context menu does (a
// removal by Qt itself, which the box tidies afterwards), and paint the box at some width
// (which moves the divisions on screen to where rows start). The first byte picks the length
// at which the box divides long lines for display: mostly a few characters, so that nearly
// every line is divided and the edits keep meeting divisions; its other bits pick how many
// characters a set text fills in at a time, mostly a few, so that operations meet a text
// still filling in. Each operation is applied to a TextBox and to a reference: a QString
// with a selection start and length, and a stack of whole snapshots per ReplaceSelection
// for undo and redo.
//
// After every operation: Text(), SelStart(), SelLength() and SelText() agree with the
// reference; the selection lies inside the text and SelText() is that part of Text();
// undo and redo are available exactly when the reference has a step to take; the change
// notification came when the text changed, and not when only the selection moved.
//
// Where the reference cannot tell: a position between a CR and an LF of the text. There the
// box either holds a CR LF break (the position moves on behind the LF) or a lone CR break
// followed by a lone LF break (the position is a line of its own); both are accepted. After
// undo and redo the caret is wherever the widget puts it; only its consistency is checked.
#include "platform/ui/TextBox.h"

#include "FuzzSupport.h"

#include <QApplication>
#include <QTextBlock>
#include <QTextDocument>

#include <memory>
#include <utility>

using namespace fuzzsupport;

namespace {

struct Reference {
    QString text;
    int selStart = 0, selLength = 0;
    std::vector<QString> undo, redo;
};

bool midPair(const QString& text, int pos)
{
    return pos > 0 && pos < text.size() && text[pos - 1] == u'\r' && text[pos] == u'\n';
}

// Characters for inserted text: breaks of every kind weigh heavily; then the characters the
// widget's document treats specially (paragraph separator, the frame marks, the replacement
// and object characters, the line separator), non-breaking space, a surrogate pair's halves.
constexpr char16_t kAlphabet[] = {
    u'\r', u'\n', u'\r', u'\n', u'\r', u'a', u'b', u'c', u' ', u'\t', u'x', u'y',
    0x2029, 0xFDD0, 0xFDD1, 0xFFFD, 0xFFFC, 0x2028, 0x00A0, 0xD83D, 0xDE00, 0x0000, u'?', u'\r',
};

QString makeText(Input& in, unsigned maxLength)
{
    QString t;
    for (unsigned i = 0, length = in.below(maxLength + 1); i < length && !in.empty(); ++i) {
        const std::uint8_t b = in.byte();
        t += b == 0xFF ? QStringLiteral("\r\n") : QString(QChar(kAlphabet[b % std::size(kAlphabet)]));
    }
    return t;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_ACCESSIBILITY", "0");
    static int argc = 1;
    static char name[] = "fuzz_text_box";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in(data, size);
    auto box = std::make_unique<folio::TextBox>();
    int changes = 0;
    QObject::connect(box.get(), &folio::TextBox::Change, [&changes] { ++changes; });
    Reference ref;
    QString script;  // what was done so far, for the failure message
    const auto state = [&] {
        return QStringLiteral("script:%1\n box: text %2 sel %3+%4 seltext %5\n ref: text %6 sel %7+%8 undo %9 redo %10")
            .arg(script, show(box->Text())).arg(box->SelStart()).arg(box->SelLength())
            .arg(show(box->SelText()), show(ref.text)).arg(ref.selStart).arg(ref.selLength)
            .arg(ref.undo.size()).arg(ref.redo.size());
    };

    // The division length and the fill slice length: mostly a few characters, so that
    // nearly every line is divided and a set text is still filling in at the next operation.
    const std::uint8_t first = in.byte();
    const int division = first % 8 == 7 ? int(folio::textbox::DivisionLength) : int(2 + first % 8);
    const qsizetype slice = (first >> 3) % 4 == 3 ? folio::textbox::FillSliceLength : qsizetype(1 + 4 * ((first >> 3) % 4));
    box->setDivisionLength(division);
    box->setFillSliceLength(slice);
    script += QStringLiteral("\n setDivisionLength %1 setFillSliceLength %2").arg(division).arg(slice);

    for (int step = 0; step < 48 && !in.empty(); ++step) {
        const QString before = ref.text;
        changes = 0;
        bool selectionFromBox = false;  // the reference takes the box's selection afterwards
        bool textMayChange = false;
        const int len = int(ref.text.size());
        const unsigned op = step == 0 ? 14 : in.byte() % 18;   // first the starting text, as a file loads
        if (op <= 2) {
            const int pos = int(in.below(unsigned(len) + 7)) - 3;
            script += QStringLiteral("\n setSelStart %1").arg(pos);
            box->setSelStart(pos);
            ref.selStart = std::clamp(pos, 0, len);
            ref.selStart += midPair(ref.text, ref.selStart) && box->SelStart() == ref.selStart + 1;
            ref.selLength = 0;
        } else if (op <= 5) {
            const int length = int(in.below(unsigned(len) + 7)) - 3;
            script += QStringLiteral("\n setSelLength %1").arg(length);
            box->setSelLength(length);
            int end = std::clamp(ref.selStart + std::max(length, 0), ref.selStart, len);
            end += midPair(ref.text, end) && box->SelStart() + box->SelLength() == end + 1;
            ref.selLength = end - ref.selStart;
        } else if (op <= 10 || op == 16) {
            const QString t = op == 16 ? QString() : makeText(in, 12);
            script += op == 16 ? QStringLiteral("\n cut") : QStringLiteral("\n ReplaceSelection %1").arg(show(t));
            // Cut is Qt's own removal, as from the context menu; a locked box takes none.
            // ReplaceSelection notifies even when it puts nothing in place of nothing.
            op == 16 ? box->cut() : box->ReplaceSelection(t);
            if (op != 16 || (!box->Locked() && ref.selLength > 0)) {
                if (ref.selLength > 0 || !t.isEmpty()) {
                    ref.undo.push_back(ref.text);
                    ref.redo.clear();
                }
                ref.text.replace(ref.selStart, ref.selLength, t);
                ref.selStart += int(t.size());
                ref.selLength = 0;
                textMayChange = true;
            }
        } else if (op <= 13) {
            // The reference's text goes back to the last snapshot of the step taken.
            script += op == 13 ? QStringLiteral("\n redo") : QStringLiteral("\n undo");
            op == 13 ? box->redo() : box->undo();
            auto& from = op == 13 ? ref.redo : ref.undo;
            auto& to = op == 13 ? ref.undo : ref.redo;
            textMayChange = !from.empty();
            if (textMayChange) {
                to.push_back(std::exchange(ref.text, from.back()));
                from.pop_back();
            }
            selectionFromBox = true;
        } else if (op == 14) {
            const QString t = makeText(in, 40);
            script += QStringLiteral("\n setText %1").arg(show(t));
            box->setText(t);
            ref = Reference{t, 0, 0, {}, {}};
            textMayChange = true;
        } else if (op == 15) {
            script += QStringLiteral("\n setLocked %1").arg(!box->Locked());
            box->setLocked(!box->Locked());
        } else {
            // Painted at some width: the divisions on screen move to where rows start.
            const int width = 30 + int(in.byte()) * 2;
            script += QStringLiteral("\n paint at width %1").arg(width);
            box->resize(width, 120);
            box->show();
            box->viewport()->repaint();
        }

        // The text, and the selection the reference can tell.
        const QString text = box->Text();
        FUZZ_CHECK(text == ref.text, state());
        FUZZ_CHECK(box->TextLength() == text.size(), state());
        const int selStart = box->SelStart(), selLength = box->SelLength();
        FUZZ_CHECK(selStart >= 0 && selLength >= 0 && selStart + selLength <= text.size(), state());
        if (selectionFromBox) {
            ref.selStart = selStart;
            ref.selLength = selLength;
        }
        FUZZ_CHECK(selStart == ref.selStart && selLength == ref.selLength, state());
        FUZZ_CHECK(box->SelText() == QStringView(text).sliced(selStart, selLength), state());
        // Positions map both ways, also between a CR and an LF that are two separate breaks.
        for (int p : {selStart, selStart + selLength})
            FUZZ_CHECK(box->widgetToModel(box->modelToWidget(p)) == p,
                       state() + QStringLiteral("\n position %1").arg(p));
        // Undo steps: one per ReplaceSelection or cut, none kept from setting the text.
        FUZZ_CHECK(box->document()->isUndoAvailable() == !ref.undo.empty(), state());
        FUZZ_CHECK(box->document()->isRedoAvailable() == !ref.redo.empty(), state());
        // A division beside an empty block would show as a line the text does not have.
        for (QTextBlock b = box->document()->begin().next(); b.isValid(); b = b.next()) {
            const bool division = b.blockFormat().intProperty(folio::textbox::BreakProperty) == int(folio::textbox::Break::Division);
            FUZZ_CHECK(!division || (b.length() > 1 && b.previous().length() > 1),
                       state() + QStringLiteral("\n block %1").arg(b.blockNumber()));
        }
        // The change notification: when the text changed, and not when only the selection moved.
        FUZZ_CHECK(text == before || changes > 0, state());
        FUZZ_CHECK(textMayChange || changes == 0, state());
    }
    return 0;
}
