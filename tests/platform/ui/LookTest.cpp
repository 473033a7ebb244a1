// The program's look: its icon and the focus shown where the platform's style shows none.
#include "platform/ui/FocusStyle.h"
#include "platform/ui/Icons.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace folio;

TEST(Look, TheProgramIconComesInEveryInstalledSize)
{
    QList<int> sizes;
    for (const QSize& s : icons::mainWindow().availableSizes())
        sizes << s.width() * 1000 + s.height();
    EXPECT_EQ(sizes, QList<int>({16016, 22022, 24024, 32032, 48048, 64064, 128128, 256256}));
}

TEST(Look, AFocusedScrollBarLooksFocused)
{
    FocusStyle style;
    QWidget window;
    QLineEdit other(&window);
    QScrollBar bar(Qt::Horizontal, &window);
    bar.setStyle(&style);
    bar.setFocusPolicy(Qt::StrongFocus);
    bar.setGeometry(0, 40, 200, 20);
    window.show();
    QApplication::setActiveWindow(&window);
    other.setFocus();
    const QImage unfocused = bar.grab().toImage();
    bar.setFocus();
    ASSERT_TRUE(bar.hasFocus());
    EXPECT_NE(bar.grab().toImage(), unfocused);
}
