// The document window's layout arithmetic: values, order, single precision, values read
// back from controls, and skipped steps in small windows.
#include "document/logic/DocumentLayout.h"

#include "platform/logic/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>
#include <utility>

using namespace folio;
using namespace folio::document;
using C = LayoutControl;
using P = LayoutProperty;

namespace {

// The controls at their designed places (twips). Optionally holds every value in whole
// pixels of 15 twips, as a screen at 96 dots per inch does, and can refuse one property.
class Controls final : public LayoutTarget {
public:
    explicit Controls(bool wholePixels = false) : m_wholePixels(wholePixels)
    {
        place(C::Text, 120, 120, 2000, 1455);
        place(C::Close, 7920, 120, 855, 375);
        place(C::Save, 7920, 600, 855, 375);
        place(C::SaveAs, 7920, 1080, 855, 375);
        place(C::Panel, 120, 3960, 8655, 1050);
        place(C::FindText, 120, 200, 5415, 315);
        place(C::FindFirst, 5640, 200, 855, 320);
        place(C::FindNext, 6600, 200, 855, 320);
        place(C::Replacement, 120, 600, 5415, 315);
        place(C::Replace, 5640, 600, 855, 320);
        place(C::Clear, 6600, 600, 855, 320);
        place(C::CaseSwitch, 7560, 200, 1000, 720);
    }

    double get(C c, P p) const override { return m_values.at({c, p}); }
    void set(C c, P p, double v) override
    {
        if (m_refused && *m_refused == std::pair{c, p})
            throw RuntimeError(380, QStringLiteral("Invalid property value"));
        m_values[{c, p}] = m_wholePixels ? std::lround(v / 15.0) * 15.0 : v;
        ++m_writes;
    }

    void refuse(C c, P p) { m_refused = std::pair{c, p}; }
    int writes() const { return m_writes; }

private:
    void place(C c, double l, double t, double w, double h)
    {
        m_values[{c, P::Left}] = l;
        m_values[{c, P::Top}] = t;
        m_values[{c, P::Width}] = w;
        m_values[{c, P::Height}] = h;
    }

    std::map<std::pair<C, P>, double> m_values;
    std::optional<std::pair<C, P>> m_refused;
    bool m_wholePixels;
    int m_writes = 0;
};

}  // namespace

TEST(DocumentLayout, DesignedSizeMovesEveryControlByTheTwentyOneSteps)
{
    Controls c;
    EXPECT_TRUE(applyDocumentLayout(8910, 6120, c).empty());
    EXPECT_EQ(c.writes(), 21);
    const struct { C control; P property; double value; } expected[] = {
        {C::Text, P::Width, 7710},        {C::Text, P::Height, 4620},      {C::Close, P::Left, 7960},
        {C::Save, P::Left, 7960},         {C::SaveAs, P::Left, 7960},      {C::Panel, P::Left, 120},
        {C::Panel, P::Top, 4920},         {C::FindText, P::Left, 100},     {C::FindText, P::Top, 200},
        {C::Replacement, P::Left, 100},   {C::FindFirst, P::Top, 200},     {C::CaseSwitch, P::Top, 200},
        {C::Replacement, P::Top, 600},    {C::Panel, P::Height, 1050},  // not moved
        {C::FindText, P::Width, 5771.8f}, {C::Replacement, P::Width, 5771.8f}, {C::FindFirst, P::Left, 5871.8f},
        {C::FindNext, P::Left, 6776.8f},  {C::CaseSwitch, P::Left, 7656.8f}, {C::Replace, P::Left, 5871.8f},
        {C::Clear, P::Left, 6776.8f},
    };
    for (const auto& e : expected)
        EXPECT_FLOAT_EQ(c.get(e.control, e.property), e.value) << int(e.control) << "/" << int(e.property);
    // 0.98 of the width in single precision, not double.
    EXPECT_EQ(c.get(C::Panel, P::Width), static_cast<float>(8731.8));
    EXPECT_NE(c.get(C::Panel, P::Width), 8731.8);
}

TEST(DocumentLayout, LaterStepsReadTheValuesControlsHoldAfterEarlierSteps)
{
    // Held in whole pixels: cmdClose is given 7967 but holds 7965, and Save and Save As
    // follow what it holds; the panel's controls follow the panel's rounded width.
    Controls c(true);
    applyDocumentLayout(8917, 6120, c);
    EXPECT_EQ(c.get(C::Close, P::Left), 7965);
    EXPECT_EQ(c.get(C::Save, P::Left), 7965);
    EXPECT_EQ(c.get(C::SaveAs, P::Left), 7965);
    const double panel = c.get(C::Panel, P::Width);  // 8738.66 held as 8745
    EXPECT_EQ(panel, 8745);
    EXPECT_EQ(c.get(C::FindText, P::Width), 5790);
    EXPECT_EQ(c.get(C::FindFirst, P::Left), 5880);
    EXPECT_EQ(c.get(C::Replace, P::Left), 5880);
    EXPECT_EQ(c.get(C::Clear, P::Left), c.get(C::FindNext, P::Left));
}

TEST(DocumentLayout, NarrowWindowKeepsTextWidthAndComboWidthWhileLaterStepsStillRun)
{
    Controls c;
    const std::vector<int> skipped = applyDocumentLayout(1000, 6120, c);
    EXPECT_EQ(skipped, (std::vector<int>{1, 11}));
    EXPECT_EQ(c.get(C::Text, P::Width), 2000);   // step 1 skipped
    EXPECT_EQ(c.get(C::Text, P::Height), 4620);  // step 2 still ran
    EXPECT_EQ(c.get(C::Close, P::Left), 50);
    EXPECT_EQ(c.get(C::Save, P::Left), 50);
    EXPECT_EQ(c.get(C::Panel, P::Width), 980);
    // The first combo keeps its width; the second copies it; positions may go negative.
    EXPECT_EQ(c.get(C::FindText, P::Width), 5415);
    EXPECT_EQ(c.get(C::Replacement, P::Width), 5415);
    EXPECT_EQ(c.get(C::FindFirst, P::Left), -1880);
    EXPECT_EQ(c.get(C::FindNext, P::Left), -975);
    EXPECT_EQ(c.get(C::CaseSwitch, P::Left), -95);
    EXPECT_EQ(c.get(C::Replace, P::Left), -1880);
}

TEST(DocumentLayout, LowAndMinimizedWindowsSkipOnlyTheSizesThatWouldBeNegative)
{
    Controls low;
    EXPECT_EQ(applyDocumentLayout(8910, 1400, low), (std::vector<int>{2}));
    EXPECT_EQ(low.get(C::Text, P::Height), 1455);
    EXPECT_EQ(low.get(C::Panel, P::Top), 200);

    Controls minimized;
    EXPECT_EQ(applyDocumentLayout(0, 0, minimized), (std::vector<int>{1, 2, 11}));
    EXPECT_EQ(minimized.get(C::Panel, P::Top), -1200);
    EXPECT_EQ(minimized.get(C::Panel, P::Width), 0);
    EXPECT_EQ(minimized.get(C::Close, P::Left), -950);

    // Exactly zero is a valid size; the combo box (0.98 x 1200 - 2960) is not.
    Controls edge;
    EXPECT_EQ(applyDocumentLayout(1200, 1500, edge), (std::vector<int>{11}));
    EXPECT_EQ(edge.get(C::Text, P::Width), 0);
    EXPECT_EQ(edge.get(C::Text, P::Height), 0);
}

TEST(DocumentLayout, AStepItsControlRefusesIsSkippedAndTheRestFollowTheOldValue)
{
    Controls c;
    c.refuse(C::Panel, P::Width);
    EXPECT_EQ(applyDocumentLayout(8910, 6120, c), (std::vector<int>{8}));
    EXPECT_EQ(c.get(C::Panel, P::Width), 8655);
    EXPECT_EQ(c.get(C::FindText, P::Width), 5695);
    EXPECT_EQ(c.get(C::FindFirst, P::Left), 5795);
    EXPECT_EQ(c.get(C::CaseSwitch, P::Left), 7580);
}
