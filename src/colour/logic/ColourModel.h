#pragma once
// The colour picker's model: a channel value (0-255 on each of the three bars) turned into
// colours and into the exact texts the tool window shows, decimal and HTML hexadecimal.
// The window owns one ColourModel for its lifetime; on every change or scroll of a bar it
// calls change() and applies the returned ColourChange to its boxes and labels.
#include "platform/logic/ColourValue.h"

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace folio::colour {

// Channel indexes, the same as the index of the bar in HSbar01.
inline constexpr int Red = 0;
inline constexpr int Green = 1;
inline constexpr int Blue = 2;

// Two upper-case hexadecimal digits, zero padded, for 0 to 255 ("00", "0A", "FF");
// an empty string for any other value.
QString ByteToHex(int value);

// The decimal digits of a value: no leading blank, no leading zeros ("0", "128", "-1").
QString decimalText(int value);

// The colour of a channel's own box: the channel alone, RGB(v, 0, 0) for red and so on.
// A channel index outside 0-2 gives black.
ColourValue channelColour(int channel, int value);

// A channel's text from its decimal value and its hexadecimal pair `hex`:
//   red   "D, 0, 0  /  # H 00 00"
//   green "0, D , 0  /  # 00 H 00"   (a blank before the comma after D)
//   blue  "0, 0, D  /  # 00 00 H"
// A channel index outside 0-2 gives an empty string.
QString channelText(int channel, int value, QStringView hex);

// "R,G,B values = R , G , B"
QString mixedText(int r, int g, int b);

// "HTML values =  # h0 h1 h2", built from the window's hexadecimal cache, not from the bars.
QString htmlText(const std::array<QString, 3>& hexCache);

// The texts the window shows straight after loading. They are set directly, with a
// spacing of their own, and the first change of any bar replaces them.
inline constexpr QStringView kInitialRedText = u"255, 0, 0  /  # FF 00 00";
inline constexpr QStringView kInitialGreenText = u"0, 255, 0  /  # 00 FF 00";
inline constexpr QStringView kInitialBlueText = u"0, 0, 255  /  # 00 00 FF";
inline constexpr QStringView kInitialMixedText = u"R, G, B values = 255, 255, 255";
inline constexpr QStringView kInitialHtmlText = u"HTML values = # FF FF FF";

// The initial text of a channel's label (red, green, blue); empty outside 0-2.
QStringView initialChannelText(int channel);

// Everything one change of a bar sets in the window.
struct ColourChange {
    int channel = Red;           // whose box and text change
    ColourValue channelBox = 0;  // background of that channel's box
    QString channelText;         // that channel's label
    ColourValue mixedBox = 0;    // background of the mixed box
    QString mixedText;           // the R,G,B label
    QString htmlText;            // the HTML label
};

// The three bar values, indexed by channel.
using BarValues = std::array<int, 3>;

class ColourModel {
public:
    // The change procedure for bar `channel`, run on both its change and its scroll events.
    // `bars` are the current values of all three bars; bars[channel] is the one that moved.
    // Stores the channel's new hexadecimal pair in the cache and returns what the window must
    // set. Nothing happens, and nothing is returned, for a channel index outside 0-2.
    std::optional<ColourChange> change(int channel, const BarValues& bars);

    // The hexadecimal pair of each channel as of its most recent change; all three are empty
    // until the first change of their channel.
    const std::array<QString, 3>& strHex() const { return m_strHex; }

private:
    std::array<QString, 3> m_strHex;
};

}  // namespace folio::colour
