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

// The window's load sequence: each bar from 0 to 255, one after the other.
ColourModel loadedModel(BarValues& bars)
{
    ColourModel model;
    bars = {0, 0, 0};
    for (int channel : {Red, Green, Blue})
        moveBar(model, bars, channel, 255);
    return model;
}

}  // namespace

TEST(ColourConversions, ByteToHexAndRgb)
{
    for (int v = 0; v <= 255; ++v) {
        const QString hex = ByteToHex(v);
        ASSERT_EQ(hex.size(), 2) << v;
        EXPECT_EQ(hex, hex.toUpper()) << v;
        EXPECT_EQ(hex.toInt(nullptr, 16), v) << v;
    }
    for (int v : {-1, 256, -32768, 32767})
        EXPECT_TRUE(ByteToHex(v).isEmpty()) << v;

    const ColourValue c = RGB(0, 128, 255);
    EXPECT_EQ(c & 0xFF, 0);
    EXPECT_EQ((c >> 8) & 0xFF, 128);
    EXPECT_EQ((c >> 16) & 0xFF, 255);
    EXPECT_EQ(RGB(255, 255, 255), 16777215);
}

TEST(ColourModel, LoadSequenceFillsTheCacheOneChannelAtATime)
{
    ColourModel model;
    EXPECT_EQ(model.strHex(), Cache{});

    BarValues bars{0, 0, 0};
    const ColourChange red = moveBar(model, bars, Red, 255);
    EXPECT_EQ(red.channelBox, RGB(255, 0, 0));
    EXPECT_EQ(red.htmlText, "HTML values =  # FF  ");  // green and blue not cached yet

    moveBar(model, bars, Green, 255);
    const ColourChange blue = moveBar(model, bars, Blue, 255);
    EXPECT_EQ(model.strHex(), (Cache{"FF", "FF", "FF"}));
    EXPECT_EQ(blue.channelBox, RGB(0, 0, 255));
    EXPECT_EQ(blue.mixedBox, RGB(255, 255, 255));
    EXPECT_EQ(blue.channelText, "0, 0, 255  /  # 00 00 FF");
    EXPECT_EQ(blue.mixedText, "R,G,B values = 255 , 255 , 255");
    EXPECT_EQ(blue.htmlText, "HTML values =  # FF FF FF");
}

TEST(ColourModel, HtmlTextComesFromTheCacheNotFromTheBars)
{
    BarValues bars;
    ColourModel model = loadedModel(bars);

    // Blue has moved but its procedure has not run yet: the mix follows the bars, the HTML
    // text keeps blue's last cached pair.
    bars[Blue] = 16;
    const ColourChange red = moveBar(model, bars, Red, 10);
    EXPECT_EQ(red.channelText, "10, 0, 0  /  # 0A 00 00");
    EXPECT_EQ(red.mixedBox, RGB(10, 255, 16));
    EXPECT_EQ(red.mixedText, "R,G,B values = 10 , 255 , 16");
    EXPECT_EQ(red.htmlText, "HTML values =  # 0A FF FF");

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
