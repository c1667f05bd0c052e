#include "platform/qt/qtfonts.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    // One application for every chart and listing drawn in this process, as the
    // program has one; test discovery runs this binary where no display may exist.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    fh::installFontSubstitutes();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
