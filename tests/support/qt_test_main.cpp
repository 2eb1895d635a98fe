#include <QApplication>
#include <QStyleFactory>

#include <gtest/gtest.h>

// Widget tests need one QApplication for the whole binary; Fusion makes
// button background colours come from the palette, as in the real program.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
