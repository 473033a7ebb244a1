#pragma once
// Shared set-up of the window suites.
#include <gtest/gtest.h>

namespace folio::test {

// What the program sets up before its first window (font substitution, ...).
void prepareApplication();

// Runs posted events and deferred deletions until none are left.
void settle();

// Base fixture for window tests: each test must leave no top-level window behind.
class WidgetTest : public ::testing::Test {
protected:
    void TearDown() override;
};

// A global check after the last test, for suites that do not use the fixture.
class NoWindowLeftBehind : public ::testing::Environment {
public:
    void TearDown() override;
};

}  // namespace folio::test
