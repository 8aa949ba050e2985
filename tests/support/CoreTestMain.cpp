// Runs GoogleTest suites inside a QCoreApplication: no display, no Widgets.
#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // A home folder of our own, so that nothing touches the user's files.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
