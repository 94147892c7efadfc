#include "ui/options/OptionsTab.h"

#include "common/StyleCatalog.h"
#include "program/ProgramData.h"
#include "ui/UserMessages.h"
#include "ui/VisualStyles.h"
#include "ui/scheduler/SelectComboItem.h"
#include "ui/scheduler/ToleranceHelp.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QTextEdit>
#include <QVBoxLayout>

namespace kelvane::ui {

TOptionsTab::TOptionsTab(const OptionsTabContext& context, QWidget* parent) : QWidget(parent), m_context(context)
{
    auto* column = new QVBoxLayout(this);
    auto* style = new QGroupBox(QStringLiteral(" Style Settings "), this);
    auto* styleLayout = new QVBoxLayout(style);
    styleLayout->addWidget(new QLabel(QStringLiteral("Select Style"), style));
    m_controls.styleBox = new QComboBox(style);
    m_controls.styleBox->setMinimumWidth(305);
    m_controls.styleBox->setEditable(false);
    styleLayout->addWidget(m_controls.styleBox, 0, Qt::AlignLeft);
    column->addWidget(style);

    auto* scheduling = new QGroupBox(QStringLiteral(" Scheduled Events Settings "), this);
    auto* schedulingLayout = new QVBoxLayout(scheduling);
    auto* toleranceRow = new QHBoxLayout;
    m_controls.toleranceSpinEdit = new QSpinBox(scheduling);
    m_controls.toleranceSpinEdit->setRange(MinToleranceSeconds, MaxToleranceSeconds);
    toleranceRow->addWidget(m_controls.toleranceSpinEdit);
    toleranceRow->addWidget(new QLabel(QStringLiteral("Tolerance adjustment (seconds)"), scheduling));
    toleranceRow->addStretch(1);
    schedulingLayout->addLayout(toleranceRow);
    m_controls.toleranceHelp = new QTextEdit(scheduling);
    schedulingLayout->addWidget(m_controls.toleranceHelp, 1);
    column->addWidget(scheduling, 1);

    // Only a pick by the user changes the style; a selection made by the program does not.
    connect(m_controls.styleBox, &QComboBox::activated, this, &TOptionsTab::styleBoxChange);
    connect(m_controls.toleranceSpinEdit, &QSpinBox::valueChanged, this,
            [this](int value) { m_context.ToleranceChanged(value); });
}

void TOptionsTab::ApplySettings()
{
    {
        const QSignalBlocker quiet(m_controls.toleranceSpinEdit);
        m_controls.toleranceSpinEdit->setValue(m_context.Data.Settings().ToleranceSeconds);
    }
    FillStyleList();
}

void TOptionsTab::FillStyleList()
{
    QComboBox* box = m_controls.styleBox;
    box->clear();
    for (const std::string& name : StyleListNames()) {
        box->addItem(QString::fromStdString(name));
    }
    // A combo box selects its first item by itself; the list shows a selection only for a known name.
    box->setCurrentIndex(-1);
    if (const std::string& skin = m_context.Data.Settings().Skin; !skin.empty()) {
        SelectComboItem(box, QString::fromStdString(skin));
    }
}

void TOptionsTab::ChangeSkin(const std::string& name)
{
    if (name.empty()) {
        return;
    }
    if (ApplyVisualStyle(name, &m_context.Messages, window())) {
        m_context.Data.Settings().Skin = name;
        SelectComboItem(m_controls.styleBox, QString::fromStdString(name));
    }
}

void TOptionsTab::styleBoxChange()
{
    ChangeSkin(m_controls.styleBox->currentText().toStdString());
}

void TOptionsTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    TabSheet3Show(m_controls.toleranceHelp);
}

} // namespace kelvane::ui
