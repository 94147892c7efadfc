#include "ui/MainWindowLayout.h"

#include "settings/SettingsFile.h"
#include "ui/IntervalSpinBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeView>
#include <QVBoxLayout>

namespace kelvane::ui {
namespace {

QLabel* BoldLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QPushButton* Button(const QString& caption, QWidget* parent, QLayout* layout)
{
    auto* button = new QPushButton(caption, parent);
    layout->addWidget(button);
    return button;
}

QTreeView* ReportView(QWidget* parent)
{
    auto* view = new QTreeView(parent);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setMouseTracking(true);
    return view;
}

QWidget* ScreensaversTab(MainWindowLayout& controls)
{
    auto* tab = new QWidget;
    auto* outer = new QVBoxLayout(tab);

    auto* top = new QHBoxLayout;
    controls.findButton = Button(QStringLiteral("Find Screensavers"), tab, top);
    controls.addScreenSaverButton = Button(QStringLiteral("Add Screensaver"), tab, top);
    controls.addFolderButton = Button(QStringLiteral("Add Folders"), tab, top);
    controls.foldersMemo = new QPlainTextEdit(tab);
    controls.foldersMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    controls.foldersMemo->setMaximumHeight(80);
    top->addWidget(controls.foldersMemo, 1);
    outer->addLayout(top);

    auto* middle = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(BoldLabel(QStringLiteral("Screensaver Actions"), tab));
    controls.runButton = Button(QStringLiteral("Run"), tab, left);
    controls.setActiveButton = Button(QStringLiteral("Set: Active"), tab, left);
    controls.setNoneButton = Button(QStringLiteral("Set: None"), tab, left);
    controls.setBlankButton = Button(QStringLiteral("Set: Blank"), tab, left);
    left->addWidget(BoldLabel(QStringLiteral("Rotational Actions"), tab));
    controls.upButton = Button(QStringLiteral("Up"), tab, left);
    controls.downButton = Button(QStringLiteral("Down"), tab, left);
    controls.topButton = Button(QStringLiteral("Top"), tab, left);
    controls.bottomButton = Button(QStringLiteral("Bottom"), tab, left);
    controls.removeButton = Button(QStringLiteral("Remove"), tab, left);
    controls.autoSwitchCheckBox = new QCheckBox(QStringLiteral("Auto Rotate"), tab);
    QFont bold = controls.autoSwitchCheckBox->font();
    bold.setBold(true);
    controls.autoSwitchCheckBox->setFont(bold);
    left->addWidget(controls.autoSwitchCheckBox);
    left->addWidget(new QLabel(QStringLiteral("Interval Seconds"), tab));
    controls.IntervalBox = new IntervalSpinBox(MinRotationInterval, MaxRotationInterval, tab);
    controls.IntervalBox->setValue(86400);
    left->addWidget(controls.IntervalBox);
    left->addWidget(new QLabel(QStringLiteral("Action Type:"), tab));
    controls.ActionBox = new QComboBox(tab);
    controls.ActionBox->addItems({QStringLiteral("Run"), QStringLiteral("Activate only")});
    controls.ActionBox->setCurrentIndex(1);
    left->addWidget(controls.ActionBox);
    left->addStretch(1);
    middle->addLayout(left);

    controls.SSListBox = ReportView(tab);
    controls.SSListBox->setSelectionMode(QAbstractItemView::ExtendedSelection);
    middle->addWidget(controls.SSListBox, 1);
    outer->addLayout(middle, 1);
    return tab;
}

QWidget* EventSchedulerTab(MainWindowLayout& controls)
{
    auto* tab = new QWidget;
    auto* row = new QHBoxLayout(tab);
    auto* events = new QGroupBox(QStringLiteral("Scheduled Events"), tab);
    auto* eventsLayout = new QVBoxLayout(events);
    controls.eventListViewII = ReportView(events);
    controls.eventListViewII->setSelectionMode(QAbstractItemView::SingleSelection);
    eventsLayout->addWidget(controls.eventListViewII);
    row->addWidget(events, 1);

    auto* editor = new QGroupBox(QStringLiteral("Scheduled Event Settings"), tab);
    editor->setMinimumWidth(258);
    controls.editor = BuildEventEditPanel(editor);
    row->addWidget(editor);

    controls.logPanel = new QGroupBox(QStringLiteral("Event Log"), tab);
    controls.logPanel->setMinimumWidth(258);
    auto* logLayout = new QVBoxLayout(controls.logPanel);
    controls.logMemo = new QPlainTextEdit(controls.logPanel);
    controls.logMemo->setReadOnly(true);
    controls.logMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    logLayout->addWidget(controls.logMemo);
    row->addWidget(controls.logPanel);
    return tab;
}

QWidget* OptionsTab(MainWindowLayout& controls)
{
    auto* tab = new QWidget;
    auto* column = new QVBoxLayout(tab);
    auto* style = new QGroupBox(QStringLiteral(" Style Settings "), tab);
    auto* styleLayout = new QVBoxLayout(style);
    styleLayout->addWidget(new QLabel(QStringLiteral("Select Style"), style));
    controls.styleBox = new QComboBox(style);
    controls.styleBox->setMinimumWidth(305);
    styleLayout->addWidget(controls.styleBox, 0, Qt::AlignLeft);
    column->addWidget(style);

    auto* scheduling = new QGroupBox(QStringLiteral(" Scheduled Events Settings "), tab);
    auto* schedulingLayout = new QVBoxLayout(scheduling);
    auto* toleranceRow = new QHBoxLayout;
    controls.toleranceSpinEdit = new QSpinBox(scheduling);
    controls.toleranceSpinEdit->setRange(MinToleranceSeconds, MaxToleranceSeconds);
    toleranceRow->addWidget(controls.toleranceSpinEdit);
    toleranceRow->addWidget(new QLabel(QStringLiteral("Tolerance adjustment (seconds)"), scheduling));
    toleranceRow->addStretch(1);
    schedulingLayout->addLayout(toleranceRow);
    controls.toleranceHelp = new QTextEdit(scheduling);
    schedulingLayout->addWidget(controls.toleranceHelp, 1);
    column->addWidget(scheduling, 1);
    return tab;
}

} // namespace

MainWindowLayout BuildMainWindowLayout(QMainWindow* window)
{
    MainWindowLayout controls;
    controls.PageControl1 = new QTabWidget(window);
    controls.PageControl1->addTab(ScreensaversTab(controls), QStringLiteral("Screensavers"));
    controls.PageControl1->addTab(EventSchedulerTab(controls), QStringLiteral("Event Scheduler"));
    controls.PageControl1->addTab(OptionsTab(controls), QStringLiteral("Options"));
    window->setCentralWidget(controls.PageControl1);
    return controls;
}

} // namespace kelvane::ui
