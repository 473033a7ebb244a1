#pragma once
// Shared set-up of the window suites.
#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace folio::test {

// Runs posted events and deferred deletions until none are left.
inline void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// Fails the test if a top-level window is still shown.
inline void expectNoWindowLeft()
{
    settle();
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            names << QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(w->metaObject()->className()), w->windowTitle());
    EXPECT_TRUE(names.isEmpty()) << "windows left open: " << names.join(QStringLiteral(", ")).toStdString();
}

// Base fixture for window tests: each test must leave no top-level window behind.
class WidgetTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        expectNoWindowLeft();
        for (QWidget* w : QApplication::topLevelWidgets())
            w->deleteLater();
        settle();
    }
};

// A global check after the last test, for suites that do not use the fixture.
class NoWindowLeftBehind : public ::testing::Environment {
public:
    void TearDown() override { expectNoWindowLeft(); }
};

}  // namespace folio::test
