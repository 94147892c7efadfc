#include "platform/win32/Win32ScreensaverPreview.h"

#include "common/FileNames.h"
#include "platform/qt/QtScreensaverPreview.h"
#include "platform/win32/Win32Wine.h"

namespace kelvane::platform {
namespace {

// No preview in the pane: the screensaver shows only when it runs in its own window.
class OwnWindowOnly final : public ScreensaverPreview
{
public:
    bool Start(const std::string&, uint64_t) override { return false; }
    void Stop() override {}
    bool Running() const override { return false; }
    std::optional<int64_t> ProcessId() const override { return std::nullopt; }
    bool ShowsInPane() const override { return false; }
};

} // namespace

std::shared_ptr<ScreensaverPreview> MakePanePreview()
{
    return std::make_shared<QtScreensaverPreview>([](const std::string& path, uint64_t window) {
        if (!EndsWithScr(path)) {
            return QStringList();
        }
        return QStringList{QString::fromStdString(path), QStringLiteral("/p"), QString::number(window)};
    });
}

std::shared_ptr<ScreensaverPreview> MakeWin32ScreensaverPreview()
{
    if (RunningUnderWine()) {
        return std::make_shared<OwnWindowOnly>();
    }
    return MakePanePreview();
}

} // namespace kelvane::platform
