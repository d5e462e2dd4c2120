#pragma once

// Included by the test programs of widget code: creates the QApplication before the first test
// and deletes it after the last, on the offscreen platform unless another is asked for, so the
// tests run without a display.
#include <QApplication>

#include <gtest/gtest.h>

namespace testsupport {

class WidgetApplication : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application_ = new QApplication(argc_, argv_);
    }

    void TearDown() override
    {
        delete application_;
        application_ = nullptr;
    }

private:
    int argc_ = 1;
    char name_[16] = "quillo-tests";
    char* argv_[2] = {name_, nullptr};
    QApplication* application_ = nullptr;
};

// One per test program, however many files include this.
inline ::testing::Environment* const widgetApplication =
    ::testing::AddGlobalTestEnvironment(new WidgetApplication);

} // namespace testsupport
