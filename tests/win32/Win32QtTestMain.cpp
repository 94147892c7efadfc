// main() for the window tests of the Windows program: the application object and its fonts made as the
// program makes them (under Wine, with the font engine and the stand-in face the program picks).
#include "platform/PlatformServices.h"
#include "platform/win32/Win32UiFont.h"

#include <QApplication>

#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    kelvane::platform::PrepareApplicationEnvironment();
    QApplication app(argc, argv);
    kelvane::platform::UseAvailableUiFont();
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
