// Random typing, commands, raw edits in transactions, selections, undo and redo on the text
// model, each checked against a plain string with an undo stack of whole texts: after every
// step the text, the anchor and caret, and the one change report (which must hold every
// changed character, with nothing changed before or behind it, and carry the text it removed).
#include "platform/logic/TextModel.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace folio;

namespace {

void check(bool ok, const char* what)
{
    if (!ok)
        std::fprintf(stderr, "check failed: %s\n", what), std::abort();
}

// The model the text model must agree with: whole texts before and after every step.
struct Plain {
    struct Step {
        std::u16string before, after;
        Selection selBefore, selAfter;
    };
    std::u16string text;
    Selection sel;
    std::vector<Step> undo, redo;
    bool runOpen = false, edited = false;

    qsizetype out(qsizetype p) const  // never between a CR and its LF
    {
        const bool inside = p > 0 && p < qsizetype(text.size()) && text[p - 1] == u'\r' && text[p] == u'\n';
        return inside ? p + 1 : p;
    }
    void replace(qsizetype p, qsizetype n, const std::u16string& s)
    {
        p = std::clamp<qsizetype>(p, 0, text.size());
        n = std::clamp<qsizetype>(n, 0, text.size() - p);
        if (n == 0 && s.empty())
            return;
        text.replace(p, n, s);
        edited = true;
        const auto moved = [&](qsizetype m) { return out(m <= p ? m : m < p + n ? p : m - n + qsizetype(s.size())); };
        sel = {moved(sel.anchor), moved(sel.caret)};
    }
    void record(const std::u16string& before, Selection selBefore, bool typing)
    {
        if (!std::exchange(edited, false))
            return;
        redo.clear();
        const bool collapsed = selBefore.anchor == selBefore.caret;
        if (typing && runOpen && collapsed && undo.back().selAfter == selBefore)
            undo.back().after = text, undo.back().selAfter = sel;
        else
            undo.push_back({before, text, selBefore, sel});
        runOpen = typing;
    }
    bool back(bool undoing)
    {
        std::vector<Step>& from = undoing ? undo : redo;
        if (from.empty())
            return false;
        (undoing ? redo : undo).push_back(from.back());
        from.pop_back();
        std::tie(text, sel) = undoing ? std::tie(redo.back().before, redo.back().selBefore)
                                      : std::tie(undo.back().after, undo.back().selAfter);
        runOpen = false;
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const char16_t alphabet[] = u"ab\r\n\u00e9\xD83D";
    std::size_t at = 0;
    const auto next = [&]() -> int { return at < size ? data[at++] : 0; };
    const auto str = [&](int n) {
        std::u16string s;
        for (; n > 0; --n)
            s += alphabet[next() % 6];
        return s;
    };
    TextModel model;
    Plain plain;
    model.setKeepRemovedText(true);
    std::vector<TextChange> reports;
    QObject::connect(&model, &TextModel::Change, [&](TextChange c) { reports.push_back(c); });
    while (at < size) {
        const auto [before, selBefore] = std::pair(plain.text, plain.sel);
        const int op = next() % 8;
        bool replayed = false;
        reports.clear();
        if (op <= 2) {  // typing, a command, Enter
            const std::u16string s = op == 2 ? u"\r\n" : str(op == 0 ? 1 : next() % 4);
            const QString q = QString::fromStdU16String(s);
            op == 0 ? model.typeText(q) : op == 1 ? model.ReplaceSelection(q) : model.Enter();
            const qsizetype start = plain.sel.start(), end = start + qsizetype(s.size());
            plain.replace(start, plain.sel.length(), s);
            plain.sel = {plain.out(end), plain.out(end)};
        } else if (op == 3) {
            const int a = next() - 2, c = next() - 2;
            model.select(a, c);
            const Selection wanted{plain.out(std::clamp<qsizetype>(a, 0, plain.text.size())),
                                   plain.out(std::clamp<qsizetype>(c, 0, plain.text.size()))};
            plain.runOpen = plain.runOpen && wanted == plain.sel;  // the caret went elsewhere
            plain.sel = wanted;
        } else if (op == 4 || op == 5) {
            op == 4 ? model.undo() : model.redo();
            replayed = plain.back(op == 4);
        } else {
            TextModel::Transaction step(model);
            for (int k = op == 6 ? 2 : 1; k > 0; --k) {
                const int p = next() - 2, n = next() % 5;
                const std::u16string s = str(next() % 3);
                model.replace(p, n, QString::fromStdU16String(s));
                plain.replace(p, n, s);
            }
        }
        const bool stepChanged = replayed || plain.edited;
        plain.record(before, selBefore, op == 0);

        const std::u16string text = model.Text().toStdU16String();
        check(text == plain.text, "text");
        check(model.selection() == plain.sel, "anchor and caret");
        check(reports.size() == (stepChanged ? 1 : 0), "one report per step that changed the text");
        for (const TextChange& c : reports) {
            const qsizetype behind = qsizetype(before.size()) - c.position - c.removed;
            check(c.position >= 0 && behind >= 0 && c.inserted == qsizetype(text.size()) - c.position - behind
                      && before.compare(0, c.position, text, 0, c.position) == 0
                      && before.compare(before.size() - behind, behind, text, text.size() - behind, behind) == 0,
                  "the report holds the change");
            check(c.removedText.toStdU16String() == before.substr(c.position, c.removed), "the removed text");
        }
    }
    return 0;
}
