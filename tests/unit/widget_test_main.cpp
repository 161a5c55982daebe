#include <QApplication>
#include <gtest/gtest.h>

// Widget tests need one QApplication for the whole run. They run on the offscreen platform
// unless the environment chooses another, so no display is needed (also when the build
// lists the tests, which runs this program without the tests' environment).
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
