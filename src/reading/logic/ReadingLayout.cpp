#include "reading/logic/ReadingLayout.h"

namespace folio::reading {

namespace {
// The client size is single precision and the factor a double; the product is rounded to
// single precision when it is stored.
double single(double v) { return static_cast<double>(static_cast<float>(v)); }
}  // namespace

ReadingLayout tutorialLayout(double w, double h)
{
    return ReadingLayout{w - 1200, single(double(float(h)) * 0.95), w - 950};
}

ReadingLayout aboutLayout(double w, double h)
{
    return ReadingLayout{single(double(float(w)) * 0.97), single(double(float(h)) * 0.95), std::nullopt};
}

}  // namespace folio::reading
