#include "ui/VisualStyles.h"

#include "common/StyleCatalog.h"
#include "platform/DebugOutput.h"
#include "settings/fileFunc.h"
#include "support/FakePlatform.h"
#include "support/Fakes.h"
#include "support/TempDir.h"
#include "ui/RecordedMessages.h"
#include "ui/StyleLook.h"
#include "ui/TestWindow.h"
#include "ui/UserMessages.h"
#include "ui/frmMain_unit.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>

#include <gtest/gtest.h>

namespace kelvane::ui {
namespace {

class NoDebug : public platform::DebugOutput
{
public:
    void Write(std::string_view) override {}
};

using kelvane::test::RecordedMessages;

// Every warning Qt gives while it lives, except the offscreen platform's note that it cannot size
// native windows, which says nothing about a style.
class QtWarnings
{
public:
    QtWarnings() : m_previous(qInstallMessageHandler(&Record)) { Recorded().clear(); }
    ~QtWarnings() { qInstallMessageHandler(m_previous); }
    QtWarnings(const QtWarnings&) = delete;
    QtWarnings& operator=(const QtWarnings&) = delete;

    static QStringList& Recorded()
    {
        static QStringList messages;
        return messages;
    }

private:
    static void Record(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        if (type != QtDebugMsg && type != QtInfoMsg && !message.contains(QStringLiteral("propagateSizeHints"))) {
            Recorded() << message;
        }
    }
    QtMessageHandler m_previous;
};

QColor Color(Rgb rgb)
{
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

Rgb ToRgb(const QColor& color)
{
    return color.rgb() & 0xFFFFFFu;
}

class VisualStylesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ApplyVisualStyle(PlainStyleName));
        plainPalette = QApplication::palette();
        plainStyle = QApplication::style()->name();
    }
    // The application's look outlives each test: the next one starts in the plain style again.
    void TearDown() override { ApplyVisualStyle(PlainStyleName); }

    std::unique_ptr<test::TestWindow> Create()
    {
        auto window = std::make_unique<test::TestWindow>(
            dataFolder, ProgramData::Services{clock, zone, regional, platform}, [this](ProgramData& data) {
                return MainWindowContext{data,     debug,    messages, clock,    zone,
                                         regional, platform, platform, platform, platform};
            });
        window->ShowAtStart();
        return window;
    }
    // The user picks the item of that text in the style list.
    static void Pick(test::TestWindow& window, const QString& name)
    {
        QComboBox* box = window.Options().Controls().styleBox;
        const int index = box->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
        ASSERT_GE(index, 0) << name.toStdString();
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
        // The event loop hands the new palette to every widget.
        QCoreApplication::processEvents();
    }
    std::string Skin() const { return ReadIniString(settingsFile, "Settings", "Skin", "<missing>"); }
    bool PlainStyleInUse() const
    {
        return QApplication::palette() == plainPalette && QApplication::style()->name() == plainStyle &&
               qApp->styleSheet().isEmpty();
    }

    test::TempDir dir;
    std::string dataFolder = dir.path() + "/";
    std::string settingsFile = dataFolder + "settings.ini";
    NoDebug debug;
    RecordedMessages messages;
    test::FakeClock clock{EncodeDateTime({{2024, 7, 1}, {9, 0, 0, 0}})};
    test::FakeTimeZone zone = test::EasternTime2024();
    test::FakeRegionalSettings regional;
    test::FakePlatform platform;
    QPalette plainPalette;
    QString plainStyle;
};

TEST_F(VisualStylesTest, EveryStyleAppliesWithoutWarningsAndKeepsItsTextReadable)
{
    auto window = Create();
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> textOnBackground[] = {
        {QPalette::WindowText, QPalette::Window},       {QPalette::Text, QPalette::Base},
        {QPalette::Text, QPalette::AlternateBase},      {QPalette::PlaceholderText, QPalette::Base},
        {QPalette::ButtonText, QPalette::Button},       {QPalette::HighlightedText, QPalette::Highlight},
        {QPalette::ToolTipText, QPalette::ToolTipBase}, {QPalette::Link, QPalette::Base},
        {QPalette::Link, QPalette::AlternateBase},
    };
    for (const std::string& name : StyleListNames()) {
        SCOPED_TRACE(name);
        QtWarnings warnings;
        ASSERT_TRUE(ApplyVisualStyle(name));
        QCoreApplication::processEvents();
        // Painting is where a style sheet is parsed and every rule meets its widget.
        (void)window->grab();
        EXPECT_TRUE(QtWarnings::Recorded().isEmpty()) << QtWarnings::Recorded().join(u'\n').toStdString();

        const CarriedStyle* style = FindCarriedStyle(name);
        if (!style) {
            EXPECT_TRUE(PlainStyleInUse());
            continue;
        }
        EXPECT_TRUE(QStyleFactory::keys().contains(BaseStyleKey(style->Base), Qt::CaseInsensitive));
        EXPECT_EQ(qApp->styleSheet(), CarriedStyleSheet(*style));
        const QPalette palette = QApplication::palette();
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            for (const auto& [text, background] : textOnBackground) {
                EXPECT_GE(ContrastRatio(ToRgb(palette.color(group, text)), ToRgb(palette.color(group, background))),
                          MinimumTextContrast)
                    << "role " << text << " on " << background;
            }
        }
        // The open window and the labels of its status bar show the style's colours.
        EXPECT_EQ(window->palette().color(QPalette::Window), Color(style->Window.Background));
        for (const QLabel* panel : window->statusBar()->findChildren<QLabel*>()) {
            EXPECT_EQ(panel->palette().color(panel->foregroundRole()), Color(style->StatusBar.Text));
        }
    }
}

TEST_F(VisualStylesTest, APickInTheListRestylesEveryOpenWindowAtOnce)
{
    auto window = Create();
    QDialog other;
    other.show();
    const CarriedStyle& dark = *FindCarriedStyle("Windows10 Dark");

    Pick(*window, QStringLiteral("Windows10 Dark"));
    EXPECT_EQ(window->Data().Settings().Skin, "Windows10 Dark");
    EXPECT_EQ(window->Options().Controls().styleBox->currentText(), QStringLiteral("Windows10 Dark"));
    for (const QWidget* open : {static_cast<QWidget*>(window.get()), static_cast<QWidget*>(&other)}) {
        EXPECT_EQ(open->palette().color(QPalette::Window), Color(dark.Window.Background));
        EXPECT_EQ(open->palette().color(QPalette::Highlight), Color(dark.Selection.Background));
    }

    Pick(*window, QStringLiteral("Windows"));
    EXPECT_TRUE(PlainStyleInUse()) << "back to the platform's own look";
    EXPECT_EQ(other.palette(), plainPalette);
    EXPECT_EQ(window->Data().Settings().Skin, "Windows");
    EXPECT_TRUE(messages.errors.isEmpty());
}

TEST_F(VisualStylesTest, TheChoiceSurvivesARestart)
{
    auto window = Create();
    EXPECT_EQ(window->Options().Controls().styleBox->count(), 37);
    EXPECT_EQ(window->Options().Controls().styleBox->currentText(), QStringLiteral("Windows"))
        << "the first start's style";
    Pick(*window, QStringLiteral("Luna"));
    window->Exit1Click();
    window.reset();
    EXPECT_EQ(Skin(), "Luna");

    // The next process starts in the plain style and reads the choice before its window exists.
    ApplyVisualStyle(PlainStyleName);
    EXPECT_TRUE(ApplyStartupSkin(ReadIniValues(settingsFile), messages));
    window = Create();
    EXPECT_EQ(window->palette().color(QPalette::Window), Color(FindCarriedStyle("Luna")->Window.Background));
    EXPECT_EQ(window->Options().Controls().styleBox->currentText(), QStringLiteral("Luna"));
    EXPECT_TRUE(messages.errors.isEmpty());
}

TEST_F(VisualStylesTest, TheStoredNameDecidesTheStartingLook)
{
    const struct
    {
        const char* settings;
        const char* look; // nullptr: the plain style
        const char* error;
        int selected; // the style list's selected row, -1 for none
        const char* writtenBack;
    } cases[] = {
        {"", nullptr, nullptr, 29, "Windows"},
        {"[Settings]\r\nSkin=\r\n", nullptr, nullptr, -1, ""},
        {"[Settings]\r\nSkin=Carbon\r\n", "Carbon", nullptr, 5, "Carbon"},
        // Applied whatever the letter case, but the list selects exact names only.
        {"[Settings]\r\nSkin=windows10 dark\r\n", "Windows10 Dark", nullptr, -1, "windows10 dark"},
        {"[Settings]\r\nSkin=Marble\r\n", nullptr, "Style not found: Marble", -1, "Marble"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings);
        ApplyVisualStyle(PlainStyleName);
        messages.errors.clear();
        dir.write("settings.ini", c.settings);

        EXPECT_EQ(ApplyStartupSkin(ReadIniValues(settingsFile), messages), c.error == nullptr);
        EXPECT_EQ(messages.errors, c.error ? QStringList{QString::fromUtf8(c.error)} : QStringList{});
        if (c.look) {
            EXPECT_EQ(QApplication::palette(), CarriedStylePalette(*FindCarriedStyle(c.look)));
        } else {
            EXPECT_TRUE(PlainStyleInUse());
        }
        auto window = Create();
        EXPECT_EQ(window->Options().Controls().styleBox->currentIndex(), c.selected);
        window->Exit1Click();
        EXPECT_EQ(Skin(), c.writtenBack) << "the stored name is kept as it was";
    }
}

TEST_F(VisualStylesTest, AFailedChangeKeepsTheStyleInUse)
{
    auto window = Create();
    Pick(*window, QStringLiteral("Carbon"));
    const QPalette carbon = QApplication::palette();

    window->Options().ChangeSkin("Marble");
    EXPECT_EQ(messages.errors, QStringList{QStringLiteral("Style not found: Marble")});
    window->Options().ChangeSkin("");
    EXPECT_EQ(messages.errors.size(), 1) << "an empty name is no change and no error";
    EXPECT_EQ(window->Data().Settings().Skin, "Carbon");
    EXPECT_EQ(window->Options().Controls().styleBox->currentText(), QStringLiteral("Carbon"));
    EXPECT_EQ(QApplication::palette(), carbon);
    EXPECT_EQ(qApp->styleSheet(), CarriedStyleSheet(*FindCarriedStyle("Carbon")));
}

} // namespace
} // namespace kelvane::ui
