#pragma once
// The intro window's texts and places (twips), and its caption built from the version.
#include <QString>
#include <span>

namespace folio::intro {

struct LabelDef {
    int index;  // Label2(index)
    const char* text;
    int left, top, width, height;
    double points;
    bool bold;
};

// Label2(0) to Label2(16), in the order they stand on the window.
std::span<const LabelDef> labels();

inline constexpr const char* kProductName = "Tagwright  Folio";

// "Version = 1 - 5 - 2" for major 1, minor 5, revision 2.
QString caption(int major, int minor, int revision);

}  // namespace folio::intro
