// Judging the display before the toolkit starts.
#include "platform/logic/DisplayCheck.h"

#include <gtest/gtest.h>

using namespace folio;

// X11 with no display named is refused; any other platform, or one of a list, is left to
// the toolkit; the command line's platform and display come before the environment's.
TEST(DisplayCheck, OnlyX11WithoutADisplayIsRefusedBeforehand)
{
    const QString refused = QStringLiteral("DISPLAY is not set");
    const struct { QStringList arguments, environment; QString expected; } table[] = {
        {{}, {}, refused},
        {{}, {"DISPLAY=:0"}, ""},
        {{}, {"WAYLAND_DISPLAY=wayland-0"}, ""},
        {{}, {"QT_QPA_PLATFORM=xcb", "WAYLAND_DISPLAY=wayland-0"}, refused},
        {{}, {"QT_QPA_PLATFORM=xcb;vnc"}, ""},
        {{"-platform", "offscreen"}, {"QT_QPA_PLATFORM=xcb"}, ""},
        {{"--platform", "xcb"}, {"QT_QPA_PLATFORM=offscreen"}, refused},
        {{"-display", ":1"}, {"QT_QPA_PLATFORM=xcb"}, ""},
        {{"file.txt", "-platform"}, {}, refused},
    };
    for (const auto& row : table) {
        QProcessEnvironment env;
        for (const QString& pair : row.environment)
            env.insert(pair.section('=', 0, 0), pair.section('=', 1));
        EXPECT_EQ(display::missingDisplay(QStringList{"tagwright-folio"} + row.arguments, env), row.expected)
            << (row.arguments + row.environment).join(' ').toStdString();
    }
}
