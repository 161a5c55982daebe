#include <QApplication>
#include <gtest/gtest.h>

// Widget tests need one QApplication for the whole run; the offscreen platform is
// chosen by the test's environment so no display is needed.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
