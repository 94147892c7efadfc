#include "ui/screensavers/ScreensaversTab.h"

#include "common/StatusBarText.h"
#include "library/ActiveScreensaver.h"
#include "program/ProgramData.h"
#include "ui/UserMessages.h"
#include "ui/Widgets.h"
#include "ui/screensavers/IconColumnDelegate.h"
#include "ui/screensavers/IntervalSpinBox.h"
#include "ui/screensavers/PreviewPane.h"
#include "ui/screensavers/ScreensaverListModel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <memory>
#include <utility>

namespace kelvane::ui {

TScreensaversTab::TScreensaversTab(const ScreensaversTabContext& context, QWidget* parent)
    : QWidget(parent), m_context(context)
{
    BuildControls();
    m_model = new ScreensaverListModel(m_context.Data.Screensavers(), m_context.Active, this, m_context.Programs);
    m_controls.SSListBox->setModel(m_model);
    connect(m_controls.SSListBox->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        UpdatePreview();
        OfferPopupItems();
    });
    m_emptyHint = new QLabel(m_context.EmptyListHint, m_controls.SSListBox->viewport());
    m_emptyHint->setAlignment(Qt::AlignCenter);
    m_emptyHint->setWordWrap(true);
    m_emptyHint->setForegroundRole(QPalette::PlaceholderText);
    m_emptyHint->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_controls.SSListBox->viewport()->installEventFilter(this);
    // Rows that come and go change the selection without telling it.
    for (const auto rowsChanged : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(m_model, rowsChanged, this, [this] {
            OfferPopupItems();
            ShowEmptyHint();
        });
    }
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        OfferPopupItems();
        ShowEmptyHint();
    });
    m_controls.SSListBox->setItemDelegateForColumn(0, new IconColumnDelegate(m_controls.SSListBox));
    m_controls.SSListBox->header()->resizeSection(0, 28);
    m_controls.SSListBox->header()->setStretchLastSection(true);
    m_switchTimer = new QTimer(this);
    m_switchTimer->setObjectName(QStringLiteral("switchTimer"));
    m_switchTimer->setInterval(60000);
    connect(m_switchTimer, &QTimer::timeout, this, &TScreensaversTab::switchTimerTimer);
    ConnectControls();
}

TScreensaversTab::~TScreensaversTab()
{
    // The model watches the core's list, which outlives the tab; the workers go before either.
    m_scans.StopAll();
    m_controls.SSListBox->setModel(nullptr);
    delete m_model;
}

void TScreensaversTab::BuildControls()
{
    ScreensaversControls& c = m_controls;
    auto* outer = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    c.findButton = AddButton(QStringLiteral("F&ind Screensavers"), this, top);
    c.addScreenSaverButton = AddButton(QStringLiteral("&Add Screensaver"), this, top);
    c.addFolderButton = AddButton(QStringLiteral("A&dd Folders"), this, top);
    c.foldersMemo = new QPlainTextEdit(this);
    c.foldersMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    c.foldersMemo->setMaximumHeight(80);
    top->addWidget(c.foldersMemo, 1);
    outer->addLayout(top);

    auto* middle = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(BoldLabel(QStringLiteral("Screensaver Actions"), this));
    c.runButton = AddButton(QStringLiteral("&Run"), this, left);
    c.setActiveButton = AddButton(QStringLiteral("Set: A&ctive"), this, left);
    c.setNoneButton = AddButton(QStringLiteral("Set: &None"), this, left);
    c.setBlankButton = AddButton(QStringLiteral("Set: &Blank"), this, left);
    left->addWidget(BoldLabel(QStringLiteral("Rotational Actions"), this));
    c.upButton = AddButton(QStringLiteral("&Up"), this, left);
    c.downButton = AddButton(QStringLiteral("Do&wn"), this, left);
    c.topButton = AddButton(QStringLiteral("To&p"), this, left);
    c.bottomButton = AddButton(QStringLiteral("Botto&m"), this, left);
    c.removeButton = AddButton(QStringLiteral("R&emove"), this, left);
    c.autoSwitchCheckBox = new QCheckBox(QStringLiteral("Aut&o Rotate"), this);
    QFont bold = c.autoSwitchCheckBox->font();
    bold.setBold(true);
    c.autoSwitchCheckBox->setFont(bold);
    left->addWidget(c.autoSwitchCheckBox);
    auto* intervalLabel = new QLabel(QStringLiteral("Inter&val Seconds"), this);
    left->addWidget(intervalLabel);
    c.IntervalBox = new IntervalSpinBox(MinRotationInterval, MaxRotationInterval, this);
    intervalLabel->setBuddy(c.IntervalBox);
    c.IntervalBox->setValue(86400);
    left->addWidget(c.IntervalBox);
    auto* actionLabel = new QLabel(QStringLiteral("Action T&ype:"), this);
    left->addWidget(actionLabel);
    c.ActionBox = new QComboBox(this);
    actionLabel->setBuddy(c.ActionBox);
    c.ActionBox->addItems({QStringLiteral("Run"), QStringLiteral("Activate only")});
    c.ActionBox->setCurrentIndex(1);
    left->addWidget(c.ActionBox);
    left->addStretch(1);
    middle->addLayout(left);

    c.SSListBox = ReportView(this);
    c.SSListBox->setSelectionMode(QAbstractItemView::ExtendedSelection);
    middle->addWidget(c.SSListBox, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(BoldLabel(QStringLiteral("Preview"), this));
    c.Preview = new PreviewPane(m_context.Preview, m_context.PreviewOwnWindowNote, this);
    right->addWidget(c.Preview);
    right->addStretch(1);
    middle->addLayout(right);
    outer->addLayout(middle, 1);

    c.SSPopupMenu = new QMenu(this);
    c.SSFileItems = AddScreensaverFileItems(c.SSPopupMenu, QStringLiteral("&Run Selected Screensaver"),
                                            QStringLiteral("Set &Active Selected Screensaver"));
    c.SSPopupMenu->addSeparator();
    c.DeleteSelected = c.SSPopupMenu->addAction(QStringLiteral("&Delete Selected From this list"));
    c.SelectAll = c.SSPopupMenu->addAction(QStringLiteral("Select A&ll"));
}

void TScreensaversTab::ConnectControls()
{
    const ScreensaversControls& c = m_controls;
    ScreensaverList& list = m_context.Data.Screensavers();
    connect(c.findButton, &QPushButton::clicked, this, &TScreensaversTab::findButtonClick);
    connect(c.addFolderButton, &QPushButton::clicked, this, [this] {
        if (m_exiting) {
            return;
        }
        const QString folder = QFileDialog::getExistingDirectory(this);
        if (!folder.isEmpty()) {
            ScanAddedFolder(QDir::toNativeSeparators(folder).toStdString());
        }
    });
    connect(c.addScreenSaverButton, &QPushButton::clicked, this, [this] {
        const QStringList files =
            QFileDialog::getOpenFileNames(this, QString(), QString(), QStringLiteral("Screensaver files (*.scr)"));
        std::vector<std::string> paths;
        for (const QString& file : files) {
            paths.push_back(QDir::toNativeSeparators(file).toStdString());
        }
        AddScreensaverFiles(paths);
    });
    connect(c.foldersMemo, &QPlainTextEdit::textChanged, this, [this] {
        const QStringList lines = m_controls.foldersMemo->toPlainText().split(u'\n');
        std::vector<std::string>& folderLines = m_context.Data.FolderLines();
        folderLines.clear();
        for (const QString& line : lines) {
            folderLines.push_back(line.toStdString());
        }
    });

    const auto run = [this](SelectionNeed need) {
        if (const auto path = PathForAction(need, SelectedPaths())) {
            m_context.Active.RunScreensaverFile(*path);
        }
    };
    connect(c.runButton, &QPushButton::clicked, this, [run] { run(SelectionNeed::AtLeastOne); });
    connect(c.SSListBox, &QAbstractItemView::doubleClicked, this, [run] { run(SelectionNeed::AtLeastOne); });
    connect(c.setActiveButton, &QPushButton::clicked, this, [this] {
        if (const auto path = PathForAction(SelectionNeed::ExactlyOne, SelectedPaths())) {
            m_context.Active.ActivateScreensaver(*path);
        }
    });
    connect(c.setNoneButton, &QPushButton::clicked, this, [this] { m_context.Active.SetNone(); });
    connect(c.setBlankButton, &QPushButton::clicked, this, [this] { m_context.Active.SetBlank(); });

    const auto listOperation = [this, &list](void (ScreensaverList::*operation)()) {
        return [this, &list, operation] {
            SyncSelectionToList();
            (list.*operation)();
            ShowSelection();
        };
    };
    connect(c.upButton, &QPushButton::clicked, this, listOperation(&ScreensaverList::MoveSelectedUp));
    connect(c.downButton, &QPushButton::clicked, this, listOperation(&ScreensaverList::MoveSelectedDown));
    connect(c.topButton, &QPushButton::clicked, this, listOperation(&ScreensaverList::MoveSelectedToTop));
    connect(c.bottomButton, &QPushButton::clicked, this, listOperation(&ScreensaverList::MoveSelectedToBottom));
    connect(c.removeButton, &QPushButton::clicked, this, listOperation(&ScreensaverList::DeleteSelectedRows));
    // The keyboard's way to the same: Delete removes as "Remove" does, Enter runs as a double click does.
    m_listKeys = {listOperation(&ScreensaverList::DeleteSelectedRows), [run] { run(SelectionNeed::AtLeastOne); }};
    c.SSListBox->installEventFilter(this);

    connect(c.autoSwitchCheckBox, &QCheckBox::toggled, this, [this](bool on) {
        m_context.Data.Settings().SwitchEnabled = on;
        on ? m_switchTimer->start() : m_switchTimer->stop();
        m_context.RotationChanged();
    });
    // Every text the box passes through counts, an emptied one as 0, so a value below the least one is
    // told and refused rather than silently corrected.
    c.IntervalBox->WatchEveryValue(this, [this](qint64 seconds) { IntervalBoxChange(seconds); });
    // A refused value does not outlive its editing: the box shows the interval in force again.
    connect(c.IntervalBox, &QAbstractSpinBox::editingFinished, this, [this] {
        if (IntervalSpinBox::TextValue(m_controls.IntervalBox->text()) < MinRotationInterval) {
            m_controls.IntervalBox->setValue(m_context.Data.Settings().Interval);
            IntervalBoxChange(m_context.Data.Settings().Interval);
        }
    });
    connect(c.ActionBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_context.Data.Settings().Action = index == 0 ? RotationAction::Run : RotationAction::ActivateOnly;
    });

    // The popup: every action but "Select All" and "Delete Selected" works on exactly one selected row.
    c.SSListBox->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(c.SSListBox, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        m_controls.SSPopupMenu->popup(m_controls.SSListBox->viewport()->mapToGlobal(at));
    });
    ConnectScreensaverFileItems(
        this, c.SSFileItems, [this] { return PathForAction(SelectionNeed::ExactlyOne, SelectedPaths()); },
        m_context.DesktopShell, m_context.Active);
    connect(c.DeleteSelected, &QAction::triggered, this, listOperation(&ScreensaverList::DeleteSelectedRows));
    connect(c.SelectAll, &QAction::triggered, this, [this] { m_controls.SSListBox->selectAll(); });
    OfferPopupItems();
    ShowEmptyHint();
}

bool TScreensaversTab::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_controls.SSListBox->viewport() && event->type() == QEvent::Resize) {
        m_emptyHint->setGeometry(m_controls.SSListBox->viewport()->rect().adjusted(8, 0, -8, 0));
    }
    if (watched == m_controls.SSListBox && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            switch (key->key()) {
            case Qt::Key_Delete:
                m_listKeys.Delete();
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                m_listKeys.Enter();
                return true;
            default:
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TScreensaversTab::ShowEmptyHint()
{
    m_emptyHint->setVisible(m_model->rowCount() == 0 && !m_context.EmptyListHint.isEmpty());
}

void TScreensaversTab::OfferPopupItems()
{
    const qsizetype selected = m_controls.SSListBox->selectionModel()->selectedRows().size();
    OfferScreensaverFileItems(m_controls.SSFileItems, selected == 1);
    m_controls.DeleteSelected->setEnabled(selected > 0);
    m_controls.SelectAll->setEnabled(m_model->rowCount() > 0);
}

void TScreensaversTab::ShowLoadedLists()
{
    m_controls.foldersMemo->setPlainText(JoinLines(m_context.Data.FolderLines()));
    m_rotation = {-1, static_cast<int32_t>(m_context.Data.Screensavers().Count())};
}

void TScreensaversTab::ApplySettings()
{
    const ProgramSettings& settings = m_context.Data.Settings();
    // The stored value (already within the arrows' range as the settings are read) goes into the box,
    // and then through the box's rules, so that a stored maximum warns as a typed one does.
    const bool switchEnabled = settings.SwitchEnabled;
    {
        const QSignalBlocker quiet(m_controls.IntervalBox);
        m_controls.IntervalBox->setValue(settings.Interval);
    }
    IntervalBoxChange(m_controls.IntervalBox->value());
    m_controls.ActionBox->setCurrentIndex(settings.Action == RotationAction::Run ? 0 : 1);
    m_controls.autoSwitchCheckBox->setChecked(switchEnabled);
    switchEnabled ? m_switchTimer->start() : m_switchTimer->stop();
}

std::string TScreensaversTab::RotationStatus() const
{
    // The interval in force, which is the box's value except while a refused one is being typed.
    const ProgramSettings& settings = m_context.Data.Settings();
    return RotationStatusText(settings.SwitchEnabled, std::to_string(settings.Interval));
}

void TScreensaversTab::IntervalBoxChange(int64_t seconds)
{
    const IntervalChange change = kelvane::IntervalBoxChange(seconds);
    if (change.Status) {
        m_context.ShowMessage(QString::fromStdString(*change.Status));
        m_intervalRefused = QString::fromStdString(*change.Status);
    } else if (!m_intervalRefused.isEmpty()) {
        m_context.WithdrawMessage(std::exchange(m_intervalRefused, {}));
    }
    if (change.TimerMs) {
        m_context.Data.Settings().Interval = static_cast<int32_t>(*change.TimerMs / 1000);
        if (m_switchTimer->interval() != *change.TimerMs) {
            m_switchTimer->setInterval(*change.TimerMs);
        }
        m_context.RotationChanged();
    }
    if (change.Warning) {
        m_context.Messages.ShowWarning(this, QString::fromStdString(*change.Warning));
    }
}

void TScreensaversTab::switchTimerTimer()
{
    RotationStep(m_rotation, m_context.Data.Screensavers().Paths(), m_context.Data.Settings().Action, m_context.Active);
}

void TScreensaversTab::AddScreensaverFiles(const std::vector<std::string>& paths)
{
    size_t leftOut = 0;
    for (const std::string& path : paths) {
        if (m_context.Data.Screensavers().AddScreensaverRow(path) == ScreensaverList::Addition::CannotKeep) {
            ++leftOut;
        }
    }
    if (leftOut > 0) {
        m_context.ShowMessage(QString::fromStdString(LeftOutOfListText(leftOut)));
    }
}

ScanSteps TScreensaversTab::MakeScanSteps()
{
    // The files of this scan that the list could not take; scans side by side count their own.
    const auto leftOut = std::make_shared<size_t>(0);
    return {[this] {
                QApplication::setOverrideCursor(Qt::WaitCursor);
                m_controls.findButton->setEnabled(false);
            },
            [this, leftOut](const std::vector<std::string>& paths) {
                // One batch of found files, one repaint: the panel names the last of them.
                m_context.ShowMessage(QStringLiteral("Processing: ") + QString::fromStdString(paths.back()));
                *leftOut += m_context.Data.Screensavers().AddScreensaverRows(paths);
            },
            [this, leftOut] {
                m_controls.findButton->setEnabled(true);
                QApplication::restoreOverrideCursor();
                m_isProcessing = false;
                m_context.Active.GetActiveScreenSaverForDisplay();
                if (*leftOut > 0) {
                    m_context.ShowMessage(QString::fromStdString("Active: " + m_context.Active.ActiveScreensaverText() +
                                                                 " - " + LeftOutOfListText(*leftOut)));
                }
            }};
}

void TScreensaversTab::findButtonClick()
{
    if (m_isProcessing || m_exiting) {
        return;
    }
    if (m_scans.Start(m_context.Data.FolderLines(), MakeScanSteps(), m_criticalSection)) {
        m_isProcessing = true;
    }
}

void TScreensaversTab::ScanAddedFolder(const std::string& folder)
{
    if (m_exiting) {
        return; // the folder dialog outlived an exit request: the lists are written already
    }
    // The folder text stays the one source of the folder lines: the folder joins it as its last line,
    // taking the place of an empty last line.
    QPlainTextEdit* memo = m_controls.foldersMemo;
    const QString text = memo->toPlainText();
    QTextCursor end(memo->document());
    end.movePosition(QTextCursor::End);
    end.insertText((text.isEmpty() || text.endsWith(u'\n') ? QString() : QStringLiteral("\n")) +
                   QString::fromStdString(folder));
    if (m_scans.Start({folder}, MakeScanSteps(), m_criticalSection)) {
        m_isProcessing = true;
    }
}

void TScreensaversTab::LoadFromDiskFileClick()
{
    const QStringList files =
        QFileDialog::getOpenFileNames(this, QString(), QString(), QStringLiteral("Text file (*.txt)"));
    if (files.isEmpty()) {
        return;
    }
    std::vector<std::string> paths;
    for (const QString& file : files) {
        paths.push_back(file.toStdString());
    }
    m_context.Data.Screensavers().ImportListFiles(paths);
}

void TScreensaversTab::ExportToDiskFileClick()
{
    const QString file = QFileDialog::getSaveFileName(this, QString(), QString(), QStringLiteral("Save as (*.txt)"),
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
    if (file.isEmpty()) {
        return;
    }
    if (const Status saved = m_context.Data.Screensavers().SaveListToFile(file.toStdString()); !saved) {
        m_context.Messages.ShowError(this, QString::fromStdString(saved.message()));
    }
}

int TScreensaversTab::PickRowForNewEvent()
{
    const ScreensaverList& list = m_context.Data.Screensavers();
    if (list.Count() == 0) {
        return -1;
    }
    if (SelectedPaths().empty()) {
        m_controls.SSListBox->selectionModel()->select(m_model->index(0, 0),
                                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    SyncSelectionToList();
    const std::vector<size_t> selected = list.SelectedRows();
    return static_cast<int>(selected.empty() ? 0 : selected.front());
}

void TScreensaversTab::PrepareForExit()
{
    m_exiting = true;
    m_switchTimer->stop();
}

void TScreensaversTab::StopScans()
{
    m_scans.StopAll();
}

void TScreensaversTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    UpdatePreview();
}

void TScreensaversTab::hideEvent(QHideEvent* event)
{
    // Never left running where nobody sees it.
    m_controls.Preview->Stop();
    QWidget::hideEvent(event);
}

void TScreensaversTab::UpdatePreview()
{
    const QModelIndexList rows = m_controls.SSListBox->selectionModel()->selectedRows();
    const ScreensaverList& list = m_context.Data.Screensavers();
    if (!isVisible() || rows.size() != 1 || static_cast<size_t>(rows.front().row()) >= list.Count()) {
        m_controls.Preview->Stop();
        return;
    }
    m_controls.Preview->ShowFile(list.Rows()[static_cast<size_t>(rows.front().row())].Path);
}

void TScreensaversTab::SyncSelectionToList()
{
    ScreensaverList& list = m_context.Data.Screensavers();
    for (size_t row = 0; row < list.Count(); ++row) {
        list.SetSelected(row, false);
    }
    for (const QModelIndex& index : m_controls.SSListBox->selectionModel()->selectedRows()) {
        list.SetSelected(static_cast<size_t>(index.row()), true);
    }
}

void TScreensaversTab::ShowSelection()
{
    QItemSelection selection;
    for (const size_t row : m_context.Data.Screensavers().SelectedRows()) {
        selection.select(m_model->index(static_cast<int>(row), 0), m_model->index(static_cast<int>(row), 1));
    }
    m_controls.SSListBox->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

std::vector<std::string> TScreensaversTab::SelectedPaths()
{
    SyncSelectionToList();
    const ScreensaverList& list = m_context.Data.Screensavers();
    std::vector<std::string> paths;
    for (const size_t row : list.SelectedRows()) {
        paths.push_back(list.Rows()[row].Path);
    }
    return paths;
}

} // namespace kelvane::ui
