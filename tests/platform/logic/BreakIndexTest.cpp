#include "platform/logic/BreakIndex.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

using namespace folio::textbox;

namespace {

// Checks every block against a plain list of the breaks: its kind, the model characters its
// breaks add to blocks 1..b beyond one each (one per CR LF, minus one per division) and the
// divisions among them; then the totals.
::testing::AssertionResult agrees(const BreakIndex& index, const std::vector<Break>& blocks)
{
    int extra = 0, divisions = 0;
    for (int b = 0; b < int(blocks.size()); ++b) {
        extra += b > 0 ? (blocks[b] == Break::CrLf) - (blocks[b] == Break::Division) : 0;
        divisions += b > 0 && blocks[b] == Break::Division;
        if (index.extraBefore(b) != extra || index.divisionsBefore(b) != divisions || (b > 0 && index.kind(b) != blocks[b]))
            return ::testing::AssertionFailure() << "block " << b << " of " << blocks.size();
    }
    if (index.blockCount() != int(blocks.size()) || index.extraTotal() != extra || index.divisionsTotal() != divisions)
        return ::testing::AssertionFailure() << index.blockCount() << " blocks, totals " << index.extraTotal();
    return ::testing::AssertionSuccess();
}

}  // namespace

// An assigned list, then lines split, merged, retyped and removed anywhere, block 0
// included, give the kinds and sums of a plain list changed the same way; block numbers
// outside the text are clamped.
TEST(BreakIndex, AssignAndRandomReplacementsMatchAPlainList)
{
    BreakIndex index;
    ASSERT_TRUE(agrees(index, {Break::CrLf}));
    std::vector<Break> blocks{Break::CrLf, Break::Lf, Break::CrLf, Break::Division, Break::Cr, Break::CrLf};
    index.assign(std::vector<Break>(blocks.begin() + 1, blocks.end()));
    ASSERT_TRUE(agrees(index, blocks));
    EXPECT_EQ(index.extraBefore(-3), 0);
    EXPECT_EQ(index.extraBefore(99), 1);
    QRandomGenerator rnd(16);
    for (int step = 0; step < 3000; ++step) {
        const int count = int(blocks.size());
        const int first = rnd.bounded(8) == 0 ? 0 : int(rnd.bounded(count));  // the first block often
        const int oldLast = first - 1 + int(rnd.bounded(std::min(count - first, 4) + 1));
        std::vector<Break> kinds(rnd.bounded(step % 7 == 0 ? 40 : 4));
        for (Break& k : kinds)
            k = static_cast<Break>(rnd.bounded(4));
        index.replace(first, oldLast, kinds);
        blocks.erase(blocks.begin() + first, blocks.begin() + oldLast + 1);
        blocks.insert(blocks.begin() + first, kinds.begin(), kinds.end());
        if (blocks.empty())
            blocks.push_back(Break::CrLf);
        blocks[0] = Break::CrLf;   // the first block has no break
        ASSERT_TRUE(agrees(index, blocks)) << "step " << step << " replaced " << first << ".." << oldLast
                                           << " by " << kinds.size();
    }
}
