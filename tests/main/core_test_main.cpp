#include "main/TestEnvironment.h"

#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv)
{
    auto home = prepareTestEnvironment();
    QCoreApplication app(argc, argv);
    platform::setResourceDirectory(QStringLiteral(QUORVEX_SOURCE_DIR "/src/Resources"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
