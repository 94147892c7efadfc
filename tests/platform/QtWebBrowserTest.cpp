#include "platform/qt/QtWebBrowser.h"

#include <gtest/gtest.h>

namespace kelvane::platform {
namespace {

// The tests run on Qt's offscreen platform, which has no handler for web addresses; whether a desktop
// one starts cannot be seen from here. A failure must come back as an error code, never as success.
TEST(QtWebBrowserTest, AnAddressNothingCanOpenGivesAnErrorCode)
{
    QtWebBrowser browser;
    EXPECT_EQ(browser.OpenWebAddress("https://www.quillfen.example/help.kelvane.html"), QtWebBrowser::NoHandlerError);
    EXPECT_EQ(browser.OpenWebAddress("not an address at all\x01"), QtWebBrowser::NoHandlerError);
}

} // namespace
} // namespace kelvane::platform
