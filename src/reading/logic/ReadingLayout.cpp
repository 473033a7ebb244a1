#include "reading/logic/ReadingLayout.h"

namespace folio::reading {

namespace {
// The client size is single precision and the factor a double; the product is rounded to
// single precision when it is stored.
// (Stored through a volatile: g++ 12 at -O2 otherwise drops the rounding once it
// vectorises the two products.)
double single(double v)
{
    volatile float stored = static_cast<float>(v);
    return stored;
}
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
