// The document text box driven by random edit scripts, against a plain string.
//
// The fuzzer's bytes are decoded into a script of operations: put the caret somewhere,
// select a length, replace the selection by a text with line breaks of every kind (CR LF,
// LF, CR) and the characters the widget's document treats specially, undo, redo, set the
// whole text, lock and unlock, and cut the selection the way the context menu does (a
// removal by Qt itself, which the box tidies afterwards). The first byte picks the length
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

using namespace fuzzsupport;

namespace {

struct Reference {
    QString text;
    int selStart = 0;
    int selLength = 0;
    std::vector<QString> undo;
    std::vector<QString> redo;
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
    const unsigned length = in.below(maxLength + 1);
    QString t;
    for (unsigned i = 0; i < length && !in.empty(); ++i) {
        const std::uint8_t b = in.byte();
        if (b == 0xFF)
            t += QStringLiteral("\r\n");
        else
            t += QChar(kAlphabet[b % std::size(kAlphabet)]);
    }
    return t;
}

QString describe(const folio::TextBox& box, const Reference& ref, const QString& script)
{
    return QStringLiteral("script:%1\n box: text %2 sel %3+%4 seltext %5\n ref: text %6 sel %7+%8")
        .arg(script, show(box.Text()))
        .arg(box.SelStart())
        .arg(box.SelLength())
        .arg(show(box.SelText()), show(ref.text))
        .arg(ref.selStart)
        .arg(ref.selLength);
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
    {
        const std::uint8_t first = in.byte();
        const unsigned pick = first % 8;
        const int division = pick == 7 ? int(folio::textbox::DivisionLength) : int(2 + pick);
        box->setDivisionLength(division);
        // The slice length of filling in: mostly a few characters, so that a set text is
        // still filling in when the next operation comes.
        const unsigned slicePick = (first >> 3) % 4;
        const qsizetype slice = slicePick == 3 ? folio::textbox::FillSliceLength : qsizetype(1 + 4 * slicePick);
        box->setFillSliceLength(slice);
        script += QStringLiteral("\n setDivisionLength %1 setFillSliceLength %2").arg(division).arg(slice);
    }

    // Starting text, loaded as a file would be.
    {
        const QString start = makeText(in, 40);
        box->setText(start);
        ref.text = start;
        script += QStringLiteral("\n setText %1").arg(show(start));
    }

    for (int step = 0; step < 48 && !in.empty(); ++step) {
        const QString before = ref.text;
        changes = 0;
        bool selectionFromBox = false;  // the reference takes the box's selection afterwards
        bool textMayChange = false;
        const int len = int(ref.text.size());
        const unsigned op = in.byte() % 17;

        if (op <= 2) {
            const int pos = int(in.below(unsigned(len) + 7)) - 3;
            script += QStringLiteral("\n setSelStart %1").arg(pos);
            box->setSelStart(pos);
            int want = std::clamp(pos, 0, len);
            const int got = box->SelStart();
            if (midPair(ref.text, want) && got == want + 1)
                ++want;
            ref.selStart = want;
            ref.selLength = 0;
        } else if (op <= 5) {
            const int length = int(in.below(unsigned(len) + 7)) - 3;
            script += QStringLiteral("\n setSelLength %1").arg(length);
            box->setSelLength(length);
            int end = std::clamp(ref.selStart + std::max(length, 0), ref.selStart, len);
            if (midPair(ref.text, end) && box->SelStart() + box->SelLength() == end + 1)
                ++end;
            ref.selLength = end - ref.selStart;
        } else if (op <= 10) {
            const QString t = makeText(in, 12);
            script += QStringLiteral("\n ReplaceSelection %1").arg(show(t));
            box->ReplaceSelection(t);
            textMayChange = true;  // notifies even when it puts nothing in place of nothing
            if (ref.selLength > 0 || !t.isEmpty()) {
                ref.undo.push_back(ref.text);
                ref.redo.clear();
            }
            ref.text.replace(ref.selStart, ref.selLength, t);
            ref.selStart += int(t.size());
            ref.selLength = 0;
        } else if (op <= 12) {
            script += QStringLiteral("\n undo");
            box->undo();
            if (!ref.undo.empty()) {
                ref.redo.push_back(ref.text);
                ref.text = ref.undo.back();
                ref.undo.pop_back();
                textMayChange = true;
            }
            selectionFromBox = true;
        } else if (op == 13) {
            script += QStringLiteral("\n redo");
            box->redo();
            if (!ref.redo.empty()) {
                ref.undo.push_back(ref.text);
                ref.text = ref.redo.back();
                ref.redo.pop_back();
                textMayChange = true;
            }
            selectionFromBox = true;
        } else if (op == 14) {
            const QString t = makeText(in, 40);
            script += QStringLiteral("\n setText %1").arg(show(t));
            box->setText(t);
            ref = Reference{t, 0, 0, {}, {}};
            textMayChange = true;
        } else if (op == 16) {
            script += QStringLiteral("\n cut");
            box->cut();
            if (!box->Locked() && ref.selLength > 0) {
                ref.undo.push_back(ref.text);
                ref.redo.clear();
                ref.text.remove(ref.selStart, ref.selLength);
                ref.selLength = 0;
                textMayChange = true;
            }
        } else {
            const bool locked = !box->Locked();
            script += QStringLiteral("\n setLocked %1").arg(locked);
            box->setLocked(locked);
        }

        // The text, and the selection the reference can tell.
        const QString text = box->Text();
        FUZZ_CHECK(text == ref.text, describe(*box, ref, script));
        FUZZ_CHECK(box->TextLength() == text.size(), describe(*box, ref, script));
        const int selStart = box->SelStart();
        const int selLength = box->SelLength();
        FUZZ_CHECK(selStart >= 0 && selLength >= 0 && selStart + selLength <= text.size(),
                   describe(*box, ref, script));
        if (selectionFromBox) {
            ref.selStart = selStart;
            ref.selLength = selLength;
        }
        FUZZ_CHECK(selStart == ref.selStart && selLength == ref.selLength, describe(*box, ref, script));
        FUZZ_CHECK(box->SelText() == QStringView(text).sliced(selStart, selLength), describe(*box, ref, script));

        // A position between a CR and an LF is a line of its own only when the two are
        // separate breaks; the box's mapping must agree with itself there.
        for (int p : {selStart, selStart + selLength}) {
            const int w = box->modelToWidget(p);
            FUZZ_CHECK(box->widgetToModel(w) == p, describe(*box, ref, script) + QStringLiteral("\n position %1").arg(p));
        }

        // Undo steps: one per ReplaceSelection, none kept from setting the text.
        FUZZ_CHECK(box->document()->isUndoAvailable() == !ref.undo.empty(),
                   describe(*box, ref, script) + QStringLiteral("\n undo steps %1").arg(ref.undo.size()));
        FUZZ_CHECK(box->document()->isRedoAvailable() == !ref.redo.empty(),
                   describe(*box, ref, script) + QStringLiteral("\n redo steps %1").arg(ref.redo.size()));

        // A division beside an empty block would show as a line the text does not have.
        for (QTextBlock b = box->document()->begin().next(); b.isValid(); b = b.next()) {
            const bool division = b.blockFormat().intProperty(folio::textbox::BreakProperty) == int(folio::textbox::Break::Division);
            FUZZ_CHECK(!division || (b.length() > 1 && b.previous().length() > 1),
                       describe(*box, ref, script) + QStringLiteral("\n division beside an empty block %1").arg(b.blockNumber()));
        }

        // The change notification.
        if (text != before)
            FUZZ_CHECK(changes > 0, describe(*box, ref, script) + QStringLiteral("\n no change notification"));
        if (!textMayChange)
            FUZZ_CHECK(changes == 0, describe(*box, ref, script) + QStringLiteral("\n change notification without a change"));
    }
    return 0;
}
