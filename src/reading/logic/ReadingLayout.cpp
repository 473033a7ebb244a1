#include "reading/logic/ReadingLayout.h"

namespace folio::reading {

namespace {
double single(double v) { return static_cast<double>(static_cast<float>(v)); }
}  // namespace

ReadingLayout tutorialLayout(double w, double h)
{
    return ReadingLayout{w - 1200, single(h * 0.95f), w - 950};
}

ReadingLayout aboutLayout(double w, double h)
{
    return ReadingLayout{single(w * 0.97f), single(h * 0.95f), std::nullopt};
}

}  // namespace folio::reading
