#pragma once
// The document window's layout as arithmetic in twips. W and H are the window's client
// width and height; the steps run in a fixed order, and a value taken from a control is
// the value that control holds after the earlier steps (so a control that rounds what it
// is given passes the rounded value on). A step that would give a negative width or
// height, or that its control refuses, is skipped: the control keeps its value and the
// next step runs.
#include <array>
#include <vector>

namespace folio::document {

enum class LayoutControl {
    Text,         // txtText01
    Close,        // cmdClose
    Save,         // cmdSave
    SaveAs,       // cmdSaveas
    Panel,        // fraFrame01
    FindText,     // cboCombo01(0), inside the panel
    Replacement,  // cboCombo01(1), inside the panel
    FindFirst,    // cmdFindFirst, inside the panel
    FindNext,     // cmdFindNext, inside the panel
    CaseSwitch,   // cmdCS, inside the panel
    Replace,      // cmdReplace, inside the panel
    Clear,        // cmdClear, inside the panel
};

enum class LayoutProperty { Left, Top, Width, Height };

// The controls as the layout sees them. set() may throw folio::RuntimeError to refuse a
// value; the step is then skipped.
class LayoutTarget {
public:
    virtual ~LayoutTarget() = default;
    virtual double get(LayoutControl control, LayoutProperty property) const = 0;
    virtual void set(LayoutControl control, LayoutProperty property, double twips) = 0;
};

struct LayoutStep {
    LayoutControl control;
    LayoutProperty property;
    // The new value, single precision, from the client size and the controls as they are.
    float (*value)(double clientWidth, double clientHeight, const LayoutTarget& controls);
};

inline constexpr int kLayoutStepCount = 21;
const std::array<LayoutStep, kLayoutStepCount>& documentLayoutSteps();

// Runs every step in order against `controls`. Returns the 1-based numbers of the steps
// that were skipped.
std::vector<int> applyDocumentLayout(double clientWidth, double clientHeight, LayoutTarget& controls);

}  // namespace folio::document
