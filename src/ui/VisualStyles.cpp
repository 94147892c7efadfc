#include "ui/VisualStyles.h"

#include <QApplication>
#include <QStyle>

namespace kelvane::ui {

bool ApplyVisualStyle(const std::string& name)
{
    // Only the plain style exists so far: the look Qt chose for this desktop when the application started.
    return QString::fromStdString(name).compare(QString::fromUtf8(PlainStyleName), Qt::CaseInsensitive) == 0;
}

} // namespace kelvane::ui
