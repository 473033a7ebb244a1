#pragma once
// The text box keeps one widget block per line, and each block remembers the break that
// opens it. A break is one character in the widget but one or two in the model text, so a
// model position is the widget position plus the extra characters of the breaks before its
// block. This index keeps, per block, the kind of its break and that running sum, and is
// brought up to date from the blocks a change touched, so that mapping a position never
// walks the document.
#include <QStringView>

#include <cstdint>
#include <span>
#include <vector>

namespace folio::textbox {

// The break that opens a block. CR LF is the document default. A division is no break of
// the text at all: a very long line is kept in the widget as several blocks, so that a
// change lays out again only the few thousand characters of its own block; the division
// between them takes one widget character and no model character.
enum class Break : std::uint8_t { CrLf = 0, Lf = 1, Cr = 2, Division = 3 };

QStringView breakText(Break kind);
// Model characters a break takes: 2 for CR LF, 1 for LF or CR, none for a division.
constexpr int breakLength(Break kind)
{
    return kind == Break::CrLf ? 2 : kind == Break::Division ? 0 : 1;
}

class BreakIndex {
public:
    // One empty line: a single block, no break.
    BreakIndex() = default;

    // Blocks 1..n open with breaks[0..n-1]; block 0 opens the text and has no break.
    void assign(std::span<const Break> breaks);

    int blockCount() const { return int(m_kind.size()); }
    // The break that opens `block` (CR LF for block 0, which has none).
    Break kind(int block) const { return m_kind[block]; }
    // Model characters beyond one per break among the breaks that open blocks 1..block
    // (a division counts minus one): model start of the block minus its widget start.
    // `block` is clamped to the blocks.
    int extraBefore(int block) const;
    // The same for the whole text: model length minus widget length.
    int extraTotal() const { return m_extra.back(); }
    // Divisions among the breaks that open blocks 1..block (clamped like extraBefore), and
    // in the whole text: what lies between a widget position and the text a screen reader
    // is given, which has no divisions.
    int divisionsBefore(int block) const;
    int divisionsTotal() const { return m_divisions.back(); }

    // A change replaced the blocks first..oldLast (numbered as before the change) by blocks
    // that open with `kinds`, in order; every block behind keeps its break. A `first` of 0
    // leaves block 0 without a break whatever kinds[0] says.
    void replace(int first, int oldLast, std::span<const Break> kinds);

private:
    std::vector<Break> m_kind{Break::CrLf};
    std::vector<int> m_extra{0};
    std::vector<int> m_divisions{0};
};

}  // namespace folio::textbox
