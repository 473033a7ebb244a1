#include "document/logic/DocumentLayout.h"

#include "platform/logic/RuntimeError.h"

namespace folio::document {

namespace {

using C = LayoutControl;
using P = LayoutProperty;

// Sizes are single-precision numbers, as the window has always held them.
float single(double v)
{
    return static_cast<float>(v);
}
float W(double w)
{
    return single(w);
}
float H(double h)
{
    return single(h);
}
float held(const LayoutTarget& t, C c, P p)
{
    return single(t.get(c, p));
}

// The panel's width, as held after step 8.
float panelWidth(const LayoutTarget& t)
{
    return held(t, C::Panel, P::Width);
}

}  // namespace

const std::array<LayoutStep, kLayoutStepCount>& documentLayoutSteps()
{
    static const std::array<LayoutStep, kLayoutStepCount> steps{{
        {C::Text, P::Width, [](double w, double, const LayoutTarget&) { return W(w) - 1200.0f; }},
        {C::Text, P::Height, [](double, double h, const LayoutTarget&) { return H(h) - 1500.0f; }},
        {C::Close, P::Left, [](double w, double, const LayoutTarget&) { return W(w) - 950.0f; }},
        {C::Save, P::Left, [](double, double, const LayoutTarget& t) { return held(t, C::Close, P::Left); }},
        {C::SaveAs, P::Left, [](double, double, const LayoutTarget& t) { return held(t, C::Close, P::Left); }},
        {C::Panel, P::Left, [](double, double, const LayoutTarget& t) { return held(t, C::Text, P::Left); }},
        {C::Panel, P::Top, [](double, double h, const LayoutTarget&) { return H(h) - 1200.0f; }},
        // A single-precision width times the double factor, rounded back to single precision.
        {C::Panel, P::Width, [](double w, double, const LayoutTarget&) { return single(double(W(w)) * 0.98); }},
        {C::FindText, P::Left, [](double, double, const LayoutTarget&) { return 100.0f; }},
        {C::FindText, P::Top, [](double, double, const LayoutTarget&) { return 200.0f; }},
        {C::FindText, P::Width, [](double, double, const LayoutTarget& t) { return panelWidth(t) - 2960.0f; }},
        {C::Replacement, P::Left, [](double, double, const LayoutTarget& t) { return held(t, C::FindText, P::Left); }},
        {C::Replacement, P::Width,
         [](double, double, const LayoutTarget& t) { return held(t, C::FindText, P::Width); }},
        {C::FindFirst, P::Left, [](double, double, const LayoutTarget& t) { return panelWidth(t) - 2860.0f; }},
        {C::FindFirst, P::Top, [](double, double, const LayoutTarget& t) { return held(t, C::FindText, P::Top); }},
        {C::FindNext, P::Left, [](double, double, const LayoutTarget& t) { return panelWidth(t) - 1955.0f; }},
        {C::FindNext, P::Top, [](double, double, const LayoutTarget& t) { return held(t, C::FindText, P::Top); }},
        {C::CaseSwitch, P::Left, [](double, double, const LayoutTarget& t) { return panelWidth(t) - 1075.0f; }},
        {C::CaseSwitch, P::Top, [](double, double, const LayoutTarget& t) { return held(t, C::FindText, P::Top); }},
        {C::Replace, P::Left, [](double, double, const LayoutTarget& t) { return held(t, C::FindFirst, P::Left); }},
        {C::Clear, P::Left, [](double, double, const LayoutTarget& t) { return held(t, C::FindNext, P::Left); }},
    }};
    return steps;
}

std::vector<int> applyDocumentLayout(double clientWidth, double clientHeight, LayoutTarget& controls)
{
    std::vector<int> skipped;
    const auto& steps = documentLayoutSteps();
    for (int i = 0; i < kLayoutStepCount; ++i) {
        const LayoutStep& step = steps[i];
        const float value = step.value(clientWidth, clientHeight, controls);
        const bool isSize = step.property == P::Width || step.property == P::Height;
        if (isSize && value < 0) {
            skipped.push_back(i + 1);
            continue;
        }
        try {
            controls.set(step.control, step.property, value);
        } catch (const RuntimeError&) {
            skipped.push_back(i + 1);
        }
    }
    return skipped;
}

}  // namespace folio::document
