// The main window's side of the visual styles: the style list on the "Options" tab and the change of
// style it makes.
#include "common/StyleCatalog.h"
#include "ui/SelectComboItem.h"
#include "ui/UserMessages.h"
#include "ui/VisualStyles.h"
#include "ui/frmMain_unit.h"

#include <QComboBox>

namespace kelvane::ui {

void TfrmMain::ConnectStyleBox()
{
    m_controls.styleBox->setEditable(false);
    // Only a pick by the user changes the style; a selection made by the program does not.
    connect(m_controls.styleBox, &QComboBox::activated, this, &TfrmMain::styleBoxChange);
}

void TfrmMain::FillStyleList()
{
    QComboBox* box = m_controls.styleBox;
    box->clear();
    for (const std::string& name : StyleListNames()) {
        box->addItem(QString::fromStdString(name));
    }
    // A combo box selects its first item by itself; the list shows a selection only for a known name.
    box->setCurrentIndex(-1);
    if (!m_settings.Skin.empty()) {
        SelectComboItem(box, QString::fromStdString(m_settings.Skin));
    }
}

void TfrmMain::ChangeSkin(const std::string& name)
{
    if (name.empty()) {
        return;
    }
    if (ApplyVisualStyle(name, &m_context.Messages, this)) {
        m_settings.Skin = name;
        SelectComboItem(m_controls.styleBox, QString::fromStdString(name));
    }
}

void TfrmMain::styleBoxChange()
{
    ChangeSkin(m_controls.styleBox->currentText().toStdString());
}

} // namespace kelvane::ui
