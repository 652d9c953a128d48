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
    ::testing::InitGoogleMock(&argc, argv);
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
