// Every caption of the three tabs fits its control at the window's first size, in the face the
// system gives: none is cut ("Close Cn", "Action Typ").
#include "ui/CaptionsFit.h"

#include "ui/MainWindowFixture.h"
#include "ui/PageControl.h"

#include <QCoreApplication>

namespace kelvane::ui::test {
namespace {

std::string Join(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += "\n  " + line;
    }
    return text;
}

class CaptionsFitTest : public MainWindowTest, public testing::WithParamInterface<bool>
{};

// With the event log shown, the scheduler's list and editor share the width with a third panel.
TEST_P(CaptionsFitTest, NoCaptionOfAnyTabIsCutAtTheFirstSize)
{
    ASSERT_TRUE(WriteIniBool(settingsFile, "Settings", "LogIsOn", GetParam()).ok());
    auto window = Create();
    window->ShowAtStart();
    QCoreApplication::processEvents();
    ASSERT_EQ(window->frameGeometry().size(), QSize(1024, 780)) << "the first start's size";
    auto* tabs = window->findChild<TPageControl*>();
    ASSERT_NE(tabs, nullptr);
    for (int tab = 0; tab < tabs->count(); ++tab) {
        SCOPED_TRACE(tabs->tabText(tab).toStdString());
        tabs->setCurrentIndex(tab);
        QCoreApplication::processEvents();
        const std::vector<std::string> cut = CutCaptions(tabs->currentWidget());
        EXPECT_TRUE(cut.empty()) << "in " << QFontInfo(tabs->currentWidget()->font()).family().toStdString()
                                 << Join(cut);
    }
}

INSTANTIATE_TEST_SUITE_P(EventLog, CaptionsFitTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& shown) { return shown.param ? "Shown" : "Hidden"; });

// The check itself finds a cut caption: a button, a label and a column too narrow for their texts.
TEST(CaptionsFit, FindsCaptionsTooWideForTheirControls)
{
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("A rather long caption"), &window);
    auto* label = new QLabel(QStringLiteral("Another long caption"), &window);
    auto* box = new QCheckBox(QStringLiteral("Long enough to be cut"), &window);
    button->setGeometry(0, 0, 40, 30);
    label->setGeometry(0, 40, 40, 20);
    box->setGeometry(0, 70, 40, 20);
    window.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(CutCaptions(&window).size(), 3u) << Join(CutCaptions(&window));
    for (QWidget* widget : {static_cast<QWidget*>(button), static_cast<QWidget*>(label), static_cast<QWidget*>(box)}) {
        widget->resize(widget->sizeHint().width() + 10, widget->height());
    }
    EXPECT_TRUE(CutCaptions(&window).empty()) << Join(CutCaptions(&window));
}

} // namespace
} // namespace kelvane::ui::test
