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

// The controls, holding what they are given; optionally each value in whole pixels of 15
// twips, as a screen at 96 dots per inch does, and refusing one property.
struct Controls final : LayoutTarget {
    double get(C c, P p) const override { return values.at({c, p}); }
    void set(C c, P p, double v) override
    {
        if (refused == std::pair{c, p})
            throw RuntimeError(380, QStringLiteral("Invalid property value"));
        values[{c, p}] = wholePixels ? std::lround(v / 15.0) * 15.0 : v;
    }
    std::map<std::pair<C, P>, double> values;
    bool wholePixels = false;
    std::optional<std::pair<C, P>> refused;
};

struct Value { C control; P property; double value; };

}  // namespace

TEST(DocumentLayout, StepsMoveTheControlsAndSkipWhatWouldBeNegativeOrIsRefused)
{
    const struct { double width, height; bool wholePixels; std::optional<std::pair<C, P>> refused;
                   std::vector<int> skipped; std::vector<Value> values; } cases[] = {
        {8910, 6120, false, {}, {}, {
            {C::Text, P::Width, 7710},        {C::Text, P::Height, 4620},      {C::Close, P::Left, 7960},
            {C::Save, P::Left, 7960},         {C::SaveAs, P::Left, 7960},      {C::Panel, P::Left, 120},
            {C::Panel, P::Top, 4920},         {C::FindText, P::Left, 100},     {C::FindText, P::Top, 200},
            {C::Replacement, P::Left, 100},   {C::FindFirst, P::Top, 200},     {C::CaseSwitch, P::Top, 200},
            {C::Replacement, P::Top, 600},    {C::Panel, P::Height, 1050},  // not moved
            {C::Panel, P::Width, 8731.8f},  // 0.98 of the width in single precision, not double
            {C::FindText, P::Width, 5771.8f}, {C::Replacement, P::Width, 5771.8f}, {C::FindFirst, P::Left, 5871.8f},
            {C::FindNext, P::Left, 6776.8f},  {C::CaseSwitch, P::Left, 7656.8f}, {C::Replace, P::Left, 5871.8f},
            {C::Clear, P::Left, 6776.8f}}},
        // Later steps read what the controls hold: cmdClose is given 7967 but holds 7965, and
        // Save and Save As follow it; the panel's controls follow its width, 8738.66 held as 8745.
        {8917, 6120, true, {}, {}, {
            {C::Close, P::Left, 7965}, {C::Save, P::Left, 7965}, {C::SaveAs, P::Left, 7965},
            {C::Panel, P::Width, 8745}, {C::FindText, P::Width, 5790}, {C::FindFirst, P::Left, 5880},
            {C::Replace, P::Left, 5880}, {C::FindNext, P::Left, 6795}, {C::Clear, P::Left, 6795}}},
        // Narrow: the text keeps its width, the first combo too and the second copies it;
        // later steps still run and positions may go negative.
        {1000, 6120, false, {}, {1, 11}, {
            {C::Text, P::Width, 2000}, {C::Close, P::Left, 50}, {C::Panel, P::Width, 980},
            {C::FindText, P::Width, 5415}, {C::Replacement, P::Width, 5415}, {C::FindFirst, P::Left, -1880}}},
        {8910, 1400, false, {}, {2}, {{C::Text, P::Height, 1455}, {C::Panel, P::Top, 200}}},
        // Exactly zero is a valid size; the combo box (0.98 x 1200 - 2960) is not.
        {1200, 1500, false, {}, {11}, {{C::Text, P::Width, 0}, {C::Text, P::Height, 0}}},
        // A step its control refuses is skipped and the rest follow the old value.
        {8910, 6120, false, std::pair{C::Panel, P::Width}, {8}, {
            {C::Panel, P::Width, 8655}, {C::FindText, P::Width, 5695}, {C::FindFirst, P::Left, 5795},
            {C::CaseSwitch, P::Left, 7580}}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.width << " x " << k.height);
        // The designed values (twips) of what a step reads before any step sets it, or a case
        // checks is left alone; reading anything else fails the test.
        Controls c;
        c.values = {{{C::Text, P::Left}, 120}, {{C::Text, P::Width}, 2000}, {{C::Text, P::Height}, 1455},
                    {{C::Panel, P::Width}, 8655}, {{C::Panel, P::Height}, 1050}, {{C::FindText, P::Width}, 5415},
                    {{C::Replacement, P::Top}, 600}};
        c.wholePixels = k.wholePixels;
        c.refused = k.refused;
        EXPECT_EQ(applyDocumentLayout(k.width, k.height, c), k.skipped);
        for (const auto& e : k.values)
            EXPECT_EQ(c.get(e.control, e.property), e.value) << int(e.control) << "/" << int(e.property);
    }
}
