#pragma once
// Where the reading windows put their text box and Close button for a client area of
// W x H twips. Products are single-precision, as the windows have always computed them.
#include <optional>

namespace folio::reading {

struct ReadingLayout {
    double textWidth = 0;
    double textHeight = 0;
    std::optional<double> closeLeft;  // tutorials only
};

// Tutorials: the text box W - 1200 wide and H x 0.95 high, Close at W - 950.
ReadingLayout tutorialLayout(double clientWidth, double clientHeight);
// About window: the text box W x 0.97 wide and H x 0.95 high.
ReadingLayout aboutLayout(double clientWidth, double clientHeight);

}  // namespace folio::reading
