#include "platform/logic/GapText.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

using namespace folio;

// Changes near each other, far apart, at both ends and across whole-text reads (which
// close the gap) must all give what QString::replace gives.
TEST(GapText, RandomChangesAndReadsMatchAPlainString)
{
    QRandomGenerator rnd(1234);
    QString model = QStringLiteral("0123456789abcdefghij");
    GapText text;
    text.assign(model);
    const QString alphabet = QStringLiteral("xyzXYZ\r\n\u00e9");
    for (int step = 0; step < 3000; ++step) {
        const qsizetype position = rnd.bounded(int(model.size()) + 1);
        const qsizetype removed = rnd.bounded(4) == 0 ? rnd.bounded(40) : rnd.bounded(3);
        QString inserted;
        const int length = rnd.bounded(8) == 0 ? rnd.bounded(5000) : rnd.bounded(4);
        for (int i = 0; i < length; ++i)
            inserted.append(alphabet.at(rnd.bounded(int(alphabet.size()))));
        model.replace(position, std::min(removed, model.size() - position), inserted);
        text.replace(position, removed, inserted);
        ASSERT_EQ(text.size(), model.size()) << "step " << step;
        if (rnd.bounded(10) == 0) {
            ASSERT_EQ(text.text(), model) << "step " << step;
        }
    }
    EXPECT_EQ(text.text(), model);
}

// A copy handed out stays as it was when the text changes afterwards.
TEST(GapText, AHandedOutCopyIsNotChangedByLaterChanges)
{
    GapText text;
    text.assign(QStringLiteral("hello world"));
    const QString before = text.text();
    text.replace(5, 1, u"_");
    text.replace(0, 0, u">");
    EXPECT_EQ(before, QStringLiteral("hello world"));
    EXPECT_EQ(text.text(), QStringLiteral(">hello_world"));
}
