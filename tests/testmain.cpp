#include "support/threadshutdown.h"

#include <QGuiApplication>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifdef MIROVANE_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
using TestApplication = QGuiApplication;
#endif

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The suite checks the Chinese texts, and the programs it starts follow the system's first
    // language: "C" is not English, and it leaves the system's own messages untranslated.
    qputenv("LANGUAGE", "C");
    ::testing::InitGoogleMock(&argc, argv);
    int code = 0;
    {
        TestApplication app(argc, argv);
        code = RUN_ALL_TESTS();
    }
    mrv::WaitForPoolThreadsToEnd();
    return code;
}
