#include "main/TestEnvironment.h"

#include "platform/HttpSession.h"

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv)
{
    auto home = prepareTestEnvironment();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    platform::HttpSession::shared().shutdown();
    return status;
}
