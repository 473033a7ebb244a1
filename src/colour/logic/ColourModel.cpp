#include "colour/logic/ColourModel.h"

namespace folio::colour {

namespace {

bool isChannel(int channel)
{
    return channel >= Red && channel <= Blue;
}

}  // namespace

QString ByteToHex(int value)
{
    if (value < 0 || value > 255)
        return QString();
    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    const QChar pair[2] = {QChar(digits[value >> 4]), QChar(digits[value & 0xF])};
    return QString(pair, 2);
}

QString decimalText(int value)
{
    return QString::number(value);
}

ColourValue channelColour(int channel, int value)
{
    switch (channel) {
    case Red: return RGB(value, 0, 0);
    case Green: return RGB(0, value, 0);
    case Blue: return RGB(0, 0, value);
    default: return RGB(0, 0, 0);
    }
}

QString channelText(int channel, int value, QStringView hex)
{
    const QString d = decimalText(value);
    switch (channel) {
    case Red: return d + ", 0, 0  /  # " + hex.toString() + " 00 00";
    case Green: return "0, " + d + " , 0  /  # 00 " + hex.toString() + " 00";
    case Blue: return "0, 0, " + d + "  /  # 00 00 " + hex.toString();
    default: return QString();
    }
}

QString mixedText(int r, int g, int b)
{
    return "R,G,B values = " + decimalText(r) + " , " + decimalText(g) + " , " + decimalText(b);
}

QString htmlText(const std::array<QString, 3>& hexCache)
{
    const QChar blank(u' ');
    return "HTML values =  # " + hexCache[Red] + blank + hexCache[Green] + blank + hexCache[Blue];
}

QStringView initialChannelText(int channel)
{
    switch (channel) {
    case Red: return kInitialRedText;
    case Green: return kInitialGreenText;
    case Blue: return kInitialBlueText;
    default: return {};
    }
}

std::optional<ColourChange> ColourModel::change(int channel, const BarValues& bars)
{
    if (!isChannel(channel))
        return std::nullopt;
    const int v = bars[channel];

    ColourChange out;
    out.channel = channel;
    out.channelBox = channelColour(channel, v);
    m_strHex[channel] = ByteToHex(v);
    out.channelText = channelText(channel, v, m_strHex[channel]);
    out.mixedBox = RGB(bars[Red], bars[Green], bars[Blue]);
    out.mixedText = mixedText(bars[Red], bars[Green], bars[Blue]);
    out.htmlText = htmlText(m_strHex);
    return out;
}

}  // namespace folio::colour
