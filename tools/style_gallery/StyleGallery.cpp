// Renders the main window once in every visual style and puts the pictures together into one gallery,
// so that all the looks can be compared at a glance:
//
//   kelvane_style_gallery GALLERY.png [FOLDER]
//
// With a FOLDER, each style is also saved there at full size as "<style name>.png". Runs without a
// display (the offscreen platform is chosen unless QT_QPA_PLATFORM says otherwise) and touches no file
// of the user: the window works on a temporary data folder and inert platform operations.
#include "common/StyleCatalog.h"
#include "common/SystemClock.h"
#include "platform/AutostartEntry.h"
#include "platform/DebugOutput.h"
#include "platform/ProcessesAndInput.h"
#include "platform/ScreensaverSetting.h"
#include "platform/Shell.h"
#include "platform/linux/LinuxRegionalSettings.h"
#include "platform/qt/QtIconProvider.h"
#include "platform/qt/QtTimeZone.h"
#include "program/ProgramData.h"
#include "ui/UserMessages.h"
#include "ui/VisualStyles.h"
#include "ui/frmMain_unit.h"
#include "ui/screensavers/ScreensaversTab.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QItemSelectionModel>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTreeView>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace kelvane;

constexpr int Columns = 6;
constexpr double CellScale = 0.5;
constexpr int CaptionHeight = 28;
constexpr int Gap = 12;

const char* const ShowcasePaths[] = {
    "/opt/screensavers/Aurora.scr",  "/opt/screensavers/Bubbles.scr",   "/opt/screensavers/Mystify.scr",
    "/opt/screensavers/Ribbons.scr", "/opt/screensavers/Starfield.scr", "/opt/screensavers/Text3D.scr",
};

// Every platform operation does nothing: the gallery only looks.
class InertPlatform final : public platform::ScreensaverSetting,
                            public platform::AutostartEntry,
                            public platform::Shell,
                            public platform::ProcessesAndInput,
                            public platform::DebugOutput
{
public:
    std::string ReadActiveScreensaverPath() override { return ShowcasePaths[2]; }
    Status WriteActiveScreensaverPath(const std::string&) override { return Status::Ok(); }
    Status ClearActiveScreensaverPath() override { return Status::Ok(); }
    std::string WindowsFolder() override { return "/opt/windows"; }
    Status EnableAutostart(const std::string&) override { return Status::Ok(); }
    Status DisableAutostart() override { return Status::Ok(); }
    std::optional<std::string> ReadAutostart() override { return std::nullopt; }
    bool ScreensaverFileExists(const std::string&) override { return true; }
    void RunScreensaverFile(const std::string&) override {}
    void ConfigureScreensaverFile(const std::string&) override {}
    void OpenScreensaverControlPanel() override {}
    void ShowFileProperties(const std::string&) override {}
    void ShowFileInFolder(const std::string&) override {}
    void CopyPathToClipboard(const std::string&) override {}
    std::optional<int64_t> FindProcessByExeName(const std::string&) override { return std::nullopt; }
    void SendScreensaverExitInput() override {}
    void Write(std::string_view) override {}
};

class PrintedMessages final : public ui::UserMessages
{
public:
    void ShowError(QWidget*, const QString& text) override
    {
        std::fprintf(stderr, "kelvane_style_gallery: %s\n", text.toUtf8().constData());
    }
    void ShowWarning(QWidget* parent, const QString& text) override { ShowError(parent, text); }
    void ShowMessage(QWidget* parent, const QString& text) override { ShowError(parent, text); }
    bool Confirm(QWidget*, const QString&, const QString&) override { return false; }
};

void WriteShowcaseList(const QString& dataFolder)
{
    QFile list(dataFolder + QStringLiteral("/ssList.txt"));
    if (list.open(QIODevice::WriteOnly)) {
        for (const char* path : ShowcasePaths) {
            list.write(path);
            list.write("\r\n");
        }
    }
}

QImage Gallery(const std::vector<std::pair<QString, QImage>>& shots)
{
    const QSize cell = (QSizeF(shots.front().second.size()) * CellScale).toSize();
    const int rows = static_cast<int>((shots.size() + Columns - 1) / Columns);
    QImage gallery(Gap + Columns * (cell.width() + Gap), Gap + rows * (CaptionHeight + cell.height() + Gap),
                   QImage::Format_RGB32);
    gallery.fill(Qt::white);
    QPainter painter(&gallery);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont font = painter.font();
    font.setPixelSize(18);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (size_t i = 0; i < shots.size(); ++i) {
        const int x = Gap + static_cast<int>(i % Columns) * (cell.width() + Gap);
        const int y = Gap + static_cast<int>(i / Columns) * (CaptionHeight + cell.height() + Gap);
        painter.drawText(QRect(x, y, cell.width(), CaptionHeight), Qt::AlignLeft | Qt::AlignVCenter, shots[i].first);
        painter.drawImage(QRect(QPoint(x, y + CaptionHeight), cell), shots[i].second);
        painter.drawRect(QRect(QPoint(x, y + CaptionHeight), cell).adjusted(-1, -1, 0, 0));
    }
    return gallery;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s GALLERY.png [FOLDER]\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const QString galleryFile = QString::fromLocal8Bit(argv[1]);
    const QString folder = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (!folder.isEmpty() && !QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", argv[2]);
        return 1;
    }

    QTemporaryDir dataFolder;
    if (!dataFolder.isValid()) {
        std::fprintf(stderr, "cannot create a temporary data folder\n");
        return 1;
    }
    WriteShowcaseList(dataFolder.path());

    InertPlatform platform;
    PrintedMessages messages;
    const platform::QtTimeZone zone;
    const platform::LinuxRegionalSettings regional;
    const SystemClock clock(zone);
    platform::QtIconProvider icons;
    ProgramData data(dataFolder.path().toStdString() + "/", {clock, zone, regional, icons});
    ui::TfrmMain window({data, platform, messages, clock, zone, regional, platform, platform, platform, platform});
    window.resize(1024, 700);
    window.ShowAtStart();
    // One selected row shows the selection colours beside the field's own.
    QTreeView* list = window.findChild<ui::TScreensaversTab*>()->Controls().SSListBox;
    list->selectionModel()->select(list->model()->index(1, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);

    // The status bar's panels fill on their timer's first tick; every picture shows them.
    window.RefreshStatusBar();

    std::vector<std::pair<QString, QImage>> shots;
    for (const std::string& name : StyleListNames()) {
        if (!ui::ApplyVisualStyle(name, &messages)) {
            return 1;
        }
        QApplication::processEvents();
        QImage shot = window.grab().toImage();
        const QString styleName = QString::fromStdString(name);
        if (!folder.isEmpty() && !shot.save(folder + u'/' + styleName + QStringLiteral(".png"))) {
            std::fprintf(stderr, "cannot write the picture of %s\n", name.c_str());
            return 1;
        }
        shots.emplace_back(styleName, std::move(shot));
    }
    if (!Gallery(shots).save(galleryFile)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%zu styles in %s\n", shots.size(), argv[1]);
    return 0;
}
