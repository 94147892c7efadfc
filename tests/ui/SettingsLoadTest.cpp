// The window's start reads the settings file once, by the file's own rules.
#include "ui/MainWindowFixture.h"

#include <QHeaderView>
#include <QTreeView>

#include <array>
#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

namespace kelvane::ui::test {
namespace {

// Counts the times one file of a folder is opened, as the system reports them: the folder is the test's
// own, and so is the one window that works in it.
class FileOpens
{
public:
    FileOpens(const std::string& folder, std::string name)
        : m_inotify(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), m_name(std::move(name))
    {
        // Closes are watched too: the system merges an event into the one before it when the two are
        // the same and not yet read, so two opens in a row would be reported as one.
        m_watching = m_inotify >= 0 && inotify_add_watch(m_inotify, folder.c_str(), IN_OPEN | IN_CLOSE) >= 0;
    }
    ~FileOpens()
    {
        if (m_inotify >= 0) {
            close(m_inotify);
        }
    }
    FileOpens(const FileOpens&) = delete;
    FileOpens& operator=(const FileOpens&) = delete;

    bool Watching() const { return m_watching; }

    // The opens reported so far.
    int Count()
    {
        alignas(inotify_event) std::array<char, 4096> buffer;
        ssize_t length = 0;
        while ((length = read(m_inotify, buffer.data(), buffer.size())) > 0) {
            for (ssize_t at = 0; at < length;) {
                inotify_event event;
                std::memcpy(&event, buffer.data() + at, sizeof event);
                const char* name = buffer.data() + at + sizeof event;
                if ((event.mask & IN_OPEN) != 0 && event.len > 0 && m_name == name) {
                    ++m_count;
                }
                at += static_cast<ssize_t>(sizeof event + event.len);
            }
        }
        return m_count;
    }

private:
    int m_inotify;
    std::string m_name;
    bool m_watching = false;
    int m_count = 0;
};

// What people and other programs leave in a settings file: a key given twice, a section given twice,
// names in another letter case, quotes, and keys and sections the program does not know.
constexpr char kHandEditedSettings[] = "; written by hand\r\n"
                                       "[Plugin]\r\nInterval=5\r\n"
                                       "[settings]\r\n"
                                       "interval=0x20\r\n"
                                       "Interval=999\r\n"
                                       "EventTimerTolerance = \"7\"\r\n"
                                       "FutureKey=kept\r\n"
                                       "[PosSave]\r\nLeft=5\r\nTop=6\r\nWidth=800\r\nHeight=700\r\n"
                                       "[Settings]\r\nEventTimerTolerance=99\r\nMinToTray=1\r\n"
                                       "[NormalColumnWidths]\r\nColumn1=120\r\n";

// What the window took from that file.
void ExpectTheHandEditedSettings(TestWindow& window)
{
    EXPECT_EQ(window.Data().Settings().Interval, 32) << "the first line of a key wins";
    EXPECT_EQ(window.Data().Settings().ToleranceSeconds, 7);
    EXPECT_FALSE(window.Data().Flags().MinToTray) << "a later section of the same name is not read";
    EXPECT_EQ(window.frameGeometry(), QRect(5, 6, 800, 700));
    EXPECT_EQ(window.Scheduler().Controls().eventListViewII->header()->sectionSize(1), 120);
}

TEST_F(MainWindowTest, TheStartOpensTheSettingsFileOnceAndTheExitKeepsWhatItDoesNotKnow)
{
    dir.write("settings.ini", kHandEditedSettings);
    FileOpens opens(dataFolder, "settings.ini");
    ASSERT_TRUE(opens.Watching());
    auto window = Create();
    EXPECT_EQ(opens.Count(), 1);
    ExpectTheHandEditedSettings(*window);

    window->ShowAtStart();
    window->Exit1Click();
    const std::string written = dir.read("settings.ini");
    for (const char* kept : {"[Plugin]\r\nInterval=5\r\n", "interval=32\r\nInterval=999\r\n", "FutureKey=kept\r\n",
                             "[Settings]\r\nEventTimerTolerance=99\r\nMinToTray=1\r\n"}) {
        EXPECT_NE(written.find(kept), std::string::npos) << kept << " in\n" << written;
    }
}

TEST_F(MainWindowTest, AWindowGivenTheStartsReadOfTheSettingsDoesNotOpenTheFile)
{
    dir.write("settings.ini", kHandEditedSettings);
    const IniValues stored = ReadIniValues(settingsFile);
    storedSettings = &stored;
    FileOpens opens(dataFolder, "settings.ini");
    ASSERT_TRUE(opens.Watching());
    auto window = Create();
    EXPECT_EQ(opens.Count(), 0);
    ExpectTheHandEditedSettings(*window);

    // Later loads read the file as it is then, not what the start read: the way back from the tray reads
    // the placement that the way into it wrote.
    window->ShowAtStart();
    window->setGeometry(40, 50, 900, 700);
    EXPECT_FALSE(window->close()) << "the close hides the window to the tray";
    window->BringTheWindowUp();
    EXPECT_EQ(window->geometry(), QRect(40, 50, 900, 700));
}

} // namespace
} // namespace kelvane::ui::test
