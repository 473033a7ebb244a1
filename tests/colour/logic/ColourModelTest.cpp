// The colour picker's conversions and the texts of its change procedure.
#include "colour/logic/ColourModel.h"
#include "colour/logic/ToolHelp.h"

#include <gtest/gtest.h>

using namespace folio;
using namespace folio::colour;

namespace {

using Cache = std::array<QString, 3>;

// Moves one bar and runs the change procedure, as the window does.
ColourChange moveBar(ColourModel& model, BarValues& bars, int channel, int value)
{
    bars[channel] = value;
    std::optional<ColourChange> c = model.change(channel, bars);
    EXPECT_TRUE(c.has_value());
    return c.value_or(ColourChange{});
}

}  // namespace

TEST(ColourConversions, ByteToHexAndRgb)
{
    for (int v = 0; v <= 255; ++v)
        ASSERT_EQ(ByteToHex(v), QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper()) << v;
    for (int v : {-1, 256, -32768, 32767})
        EXPECT_TRUE(ByteToHex(v).isEmpty()) << v;
    EXPECT_EQ(RGB(0, 128, 255), 0xFF8000);
}

// The window's load sequence moves each bar from 0 to 255 in turn, so the HTML text fills in
// one channel at a time: it comes from the cache of each channel's last procedure, not from
// the bars.
TEST(ColourModel, HtmlTextComesFromTheCacheNotFromTheBars)
{
    ColourModel model;
    EXPECT_EQ(model.strHex(), Cache{});
    BarValues bars{0, 0, 0};
    EXPECT_EQ(moveBar(model, bars, Red, 255).htmlText, "HTML values =  # FF  ");  // green and blue not cached yet
    moveBar(model, bars, Green, 255);
    const ColourChange blue = moveBar(model, bars, Blue, 255);
    EXPECT_EQ(model.strHex(), (Cache{"FF", "FF", "FF"}));
    EXPECT_EQ(std::tuple(blue.channelBox, blue.mixedBox, blue.channelText, blue.mixedText, blue.htmlText),
              std::tuple(RGB(0, 0, 255), RGB(255, 255, 255), QStringLiteral("0, 0, 255  /  # 00 00 FF"),
                         QStringLiteral("R,G,B values = 255 , 255 , 255"), QStringLiteral("HTML values =  # FF FF FF")));

    // Blue has moved but its procedure has not run yet: the mix follows the bars, the HTML
    // text keeps blue's last cached pair.
    bars[Blue] = 16;
    const ColourChange red = moveBar(model, bars, Red, 10);
    EXPECT_EQ(std::tuple(red.channelText, red.mixedBox, red.mixedText, red.htmlText),
              std::tuple(QStringLiteral("10, 0, 0  /  # 0A 00 00"), RGB(10, 255, 16),
                         QStringLiteral("R,G,B values = 10 , 255 , 16"), QStringLiteral("HTML values =  # 0A FF FF")));
    EXPECT_FALSE(model.change(3, bars).has_value());
    EXPECT_FALSE(model.change(-1, bars).has_value());
    EXPECT_EQ(model.strHex(), (Cache{"0A", "FF", "FF"}));
}

TEST(ColourToolHelp, HasOneEmptyLineInsideTheColourPartAndTwoBeforeTheAsciiPart)
{
    EXPECT_EQ(colourToolHelpText(),
              QStringLiteral(
                  "Colour Picker -- \r\nYou can move the indicator on any one of the scroll bars and see how the "
                  "shades of colour change. You can see corresponding values of RGB() colour function also, beside "
                  "respective colour boxes. \r\n\r\nYou can save the values and names of your favourite colour "
                  "shades in a text file or a CSV database file, for reference & ready retrieval during editing. A "
                  "sample file MyShades.csv is provided with the distribution set. The data fields in sequence are "
                  "-- Your choice name, R value, G value, B value, HTML value, HTML name of colour\r\n\r\n\r\n"
                  "ASCII Concept -- \r\nChoose any one option button and do the needful, to know more about "
                  "elements of the ASCII concept. In case of continuous loop, follow the instructions on screen."));
}
