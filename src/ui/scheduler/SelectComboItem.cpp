#include "ui/scheduler/SelectComboItem.h"

#include <QComboBox>
#include <QString>

namespace kelvane::ui {

void SelectComboItem(QComboBox* box, const QString& text)
{
    for (int i = 0; i < box->count(); ++i) {
        if (box->itemText(i) == text) {
            box->setCurrentIndex(i);
            return;
        }
    }
    box->setCurrentIndex(-1);
}

} // namespace kelvane::ui
