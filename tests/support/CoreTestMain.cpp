#include <QCoreApplication>

#include <gtest/gtest.h>

// The main of test_core: no widgets, no platform plugin; the pure logic needs none.
int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
