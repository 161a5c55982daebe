#include <QApplication>
#include <gtest/gtest.h>

// Widget tests need one QApplication for the whole run. They run on the offscreen platform
// unless the environment chooses another, so that neither the test run nor the listing of
// the tests at build time needs a display.
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
