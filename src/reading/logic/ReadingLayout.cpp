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

ReadingLayout tutorialLayout(double clientWidth, double clientHeight)
{
    return ReadingLayout{clientWidth - 1200, single(double(float(clientHeight)) * 0.95), clientWidth - 950};
}

ReadingLayout aboutLayout(double clientWidth, double clientHeight)
{
    return ReadingLayout{single(double(float(clientWidth)) * 0.97), single(double(float(clientHeight)) * 0.95),
                         std::nullopt};
}

}  // namespace folio::reading
