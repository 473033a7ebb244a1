#include "shell/logic/IntroTexts.h"

namespace folio::intro {

namespace {
// The first five lines read down the product name: T, a, g, w, then Folio.
// clang-format off
constexpr LabelDef kLabels[] = {
    {0, "T  -  Tags for HTML (web page) files", 1080, 720, 5775, 375, 12, false},
    {1, "a  -  autorun INF (CD autorun.inf) files", 1080, 1080, 5775, 375, 12, false},
    {2, "g  -  INI (configuration setting) files also", 1080, 1440, 5775, 375, 12, false},
    {3, "w  -  words in plain TEXT files", 1080, 1800, 5775, 375, 12, false},
    {4, "Folio  -  your editing pad for all of them", 1080, 2280, 5775, 375, 12, false},
    {5, "You can insert, edit and save important lines in any of these files.", 120, 2880, 7695, 255, 9.75, false},
    {6, "For example, ", 120, 3120, 7695, 255, 9.75, false},
    {9, "1]", 120, 3480, 255, 255, 9.75, false},
    {7, "You can include separate keywords for separate web pages on the same web site whereas,  your present web-site generation wizard may not allow you to do so !", 480, 3480, 7335, 495, 9.75, false},
    {10, "2]", 120, 4080, 255, 255, 9.75, false},
    {8, "You can open multiple files simultaneously to view and / or edit their contents.", 480, 4080, 7335, 255, 9.75, false},
    {11, "3]", 120, 4440, 255, 255, 9.75, false},
    {12, "You can do many more things with these files, by using an in-built Tutorial provided with this program.", 480, 4440, 7335, 495, 9.75, false},
    {13, "4]", 120, 5040, 255, 255, 9.75, false},
    {14, "You now have a ", 480, 5040, 1455, 255, 9.75, false},
    {15, " Colour  Picker ", 2000, 4995, 1815, 330, 12, true},
    {16, " too, with Tagwright Folio.", 3840, 5040, 2415, 255, 9.75, false},
};
// clang-format on
}  // namespace

std::span<const LabelDef> labels()
{
    return kLabels;
}

QString caption(int major, int minor, int revision)
{
    return QStringLiteral("Version = %1 - %2 - %3").arg(major).arg(minor).arg(revision);
}

}  // namespace folio::intro
