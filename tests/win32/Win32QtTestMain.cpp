// main() for the window tests of the Windows program: the application object made as the program
// makes it (under Wine, with the font engine the program picks).
#include "platform/PlatformServices.h"

#include <QApplication>

#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    kelvane::platform::PrepareApplicationEnvironment();
    QApplication app(argc, argv);
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
