#include "platform/win32/Win32UiFont.h"

#include "platform/win32/Win32UiFontChoice.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

#include <optional>
#include <utility>
#include <vector>

namespace kelvane::platform {
namespace {

// The controls for which Windows names a font of their own (the menus, the status bar, lists and
// headers...), each of which can name a face this system lacks.
constexpr const char* FontClasses[] = {"QMenu",
                                       "QMenuBar",
                                       "QMenuItem",
                                       "QMessageBox",
                                       "QLabel",
                                       "QTipLabel",
                                       "QStatusBar",
                                       "QMdiSubWindowTitleBar",
                                       "QDockWidgetTitle",
                                       "QPushButton",
                                       "QCheckBox",
                                       "QRadioButton",
                                       "QToolButton",
                                       "QAbstractItemView",
                                       "QListView",
                                       "QHeaderView",
                                       "QListBox",
                                       "QComboMenuItem",
                                       "QComboLineEdit",
                                       "QSmallFont",
                                       "QMiniFont",
                                       "QGroupBox",
                                       "QTabBar"};

// The font with a face this system draws as asked, at the font's own size; nothing when it already is.
std::optional<QFont> Drawable(QFont font, const std::vector<std::string>& available)
{
    const std::string drawn = QFontInfo(font).family().toStdString();
    const std::string chosen = ChooseUiFontFamily(font.family().toStdString(), drawn, available);
    if (chosen == drawn) {
        return std::nullopt;
    }
    if (chosen.empty()) {
        font.setStyleHint(QFont::SansSerif);
        font.setFamilies({});
    } else {
        font.setFamilies({QString::fromStdString(chosen)});
    }
    return font;
}

} // namespace

void UseAvailableUiFont()
{
    std::vector<std::string> available;
    for (const QString& family : QFontDatabase::families()) {
        available.push_back(family.toStdString());
    }
    // Read before the application's font changes: setting that one forgets the fonts of the classes.
    std::vector<std::pair<const char*, QFont>> classFonts;
    for (const char* name : FontClasses) {
        classFonts.emplace_back(name, QApplication::font(name));
    }
    const QFont general = QApplication::font();
    const std::optional<QFont> replaced = Drawable(general, available);
    if (replaced) {
        QApplication::setFont(*replaced);
    }
    for (const auto& [name, font] : classFonts) {
        if (const std::optional<QFont> drawable = Drawable(font, available)) {
            QApplication::setFont(*drawable, name);
        } else if (replaced && font != general) {
            QApplication::setFont(font, name); // a face of its own that draws: it stays
        }
    }
}

} // namespace kelvane::platform
