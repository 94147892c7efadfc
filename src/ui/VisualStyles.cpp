#include "ui/VisualStyles.h"

#include "common/StyleCatalog.h"
#include "settings/SettingsFile.h"
#include "settings/fileFunc.h"
#include "ui/StyleLook.h"
#include "ui/UserMessages.h"
#include "ui/VisibleMarksStyle.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace kelvane::ui {
namespace {

// The widget style Qt chose for this desktop before any carried style replaced it: the plain style
// goes back to it.
QString PlatformStyleKey()
{
    static const QString key = QApplication::style()->name();
    return key;
}

// The widget style this program set, by the name the style factory knows it (a wrapped style does not
// carry it); empty while the one Qt chose at the start is in use.
QString& WidgetStyleInUse()
{
    static QString key;
    return key;
}

// Qt's own styles draw their marks from the palette, too faintly on dark colours: they get marks that
// stay visible. A native style (the desktop's own) draws the system's marks, and is left as it is.
bool DrawsOwnMarks(const QString& key)
{
    return key.compare(QStringLiteral("Fusion"), Qt::CaseInsensitive) == 0 ||
           key.compare(QStringLiteral("Windows"), Qt::CaseInsensitive) == 0;
}

bool SetBaseStyle(const QString& key)
{
    if (WidgetStyleInUse().compare(key, Qt::CaseInsensitive) == 0) {
        return true;
    }
    QStyle* style = QStyleFactory::create(key);
    if (!style) {
        return false;
    }
    // The application takes ownership.
    QApplication::setStyle(DrawsOwnMarks(key) ? new VisibleMarksStyle(style) : style);
    WidgetStyleInUse() = key;
    return true;
}

} // namespace

std::string StyleNotFoundText(const std::string& name)
{
    return "Style not found: " + name;
}

bool ApplyVisualStyle(const std::string& name, UserMessages* report, QWidget* parent)
{
    const QString platformKey = PlatformStyleKey();
    const CarriedStyle* carried = FindCarriedStyle(name);
    if (!carried && !IsPlainStyle(name)) {
        if (report) {
            report->ShowError(parent, QString::fromStdString(StyleNotFoundText(name)));
        }
        return false;
    }
    // The old sheet goes first, so that no widget is polished with a mix of two looks.
    qApp->setStyleSheet(QString());
    if (!carried) {
        SetBaseStyle(platformKey);
        // An empty palette resolves to the platform's own colours.
        QApplication::setPalette(QPalette());
        return true;
    }
    if (!SetBaseStyle(BaseStyleKey(carried->Base))) {
        SetBaseStyle(platformKey);
    }
    // After the widget style, which brings its own standard palette along.
    QApplication::setPalette(CarriedStylePalette(*carried));
    qApp->setStyleSheet(CarriedStyleSheet(*carried));
    return true;
}

bool ApplyStartupSkin(const IniValues& storedSettings, UserMessages& report)
{
    const std::string skin = ReadIniString(storedSettings, SettingsSection, "Skin", "");
    return ApplyVisualStyle(skin.empty() ? PlainStyleName : skin, &report);
}

} // namespace kelvane::ui
