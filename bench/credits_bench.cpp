// The about box's credits scrolling for a while (10 s by default; the first argument sets the seconds):
// the process's CPU time against the wall time, beside the same window standing still for the same
// time, and the spacing of the ticks and of the frames painted. Runs offscreen unless a display is
// set; under an X server (xvfb-run) the figures include handing each frame to the server.
#include "platform/BuildStamp.h"
#include "platform/RegionalSettings.h"
#include "platform/TimeZone.h"
#include "platform/WebBrowser.h"
#include "ui/QtTickSource.h"
#include "ui/about/Credits.h"
#include "ui/about/about_frmU.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

class Utc final : public kelvane::TimeZone
{
public:
    kelvane::OffsetPeriod PeriodAt(int64_t) const override { return {}; }
};

class UsRegional final : public kelvane::RegionalSettings
{
public:
    kelvane::RegionalFormats Read() const override { return {}; }
};

class FixedStamp final : public kelvane::platform::BuildStamp
{
public:
    std::optional<int64_t> BuildTime() override { return 1700000000; }
};

class NoBrowser final : public kelvane::platform::WebBrowser
{
public:
    std::optional<int64_t> OpenWebAddress(const std::string&) override { return std::nullopt; }
};

// The real timer, with the moment of every tick written down.
class RecordingTicks final : public kelvane::ui::TickSource
{
public:
    explicit RecordingTicks(std::vector<Clock::time_point>& record) : m_record(record) {}
    void SetHandler(std::function<void()> tick) override
    {
        m_timer.SetHandler([this, tick = std::move(tick)] {
            m_record.push_back(Clock::now());
            tick();
        });
    }
    void SetInterval(int milliseconds) override { m_timer.SetInterval(milliseconds); }
    int Interval() const override { return m_timer.Interval(); }
    void Start() override { m_timer.Start(); }
    void Stop() override { m_timer.Stop(); }
    bool IsRunning() const override { return m_timer.IsRunning(); }

private:
    kelvane::ui::QtTickSource m_timer;
    std::vector<Clock::time_point>& m_record;
};

class PaintTimes final : public QObject
{
public:
    explicit PaintTimes(std::vector<Clock::time_point>& record) : m_record(record) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            m_record.push_back(Clock::now());
        }
        return false;
    }

private:
    std::vector<Clock::time_point>& m_record;
};

// Runs the event loop for the given time and gives the CPU seconds it took.
double RunFor(double seconds)
{
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    const double start = CpuSeconds();
    loop.exec();
    return CpuSeconds() - start;
}

void PrintSpacing(const char* what, const std::vector<Clock::time_point>& times, double nominalMs)
{
    if (times.size() < 3) {
        std::printf("%s: too few to tell\n", what);
        return;
    }
    std::vector<double> gaps;
    for (size_t i = 1; i < times.size(); ++i) {
        gaps.push_back(std::chrono::duration<double, std::milli>(times[i] - times[i - 1]).count());
    }
    double sum = 0;
    for (const double gap : gaps) {
        sum += gap;
    }
    const double mean = sum / static_cast<double>(gaps.size());
    double squares = 0;
    for (const double gap : gaps) {
        squares += (gap - mean) * (gap - mean);
    }
    std::sort(gaps.begin(), gaps.end());
    const auto at = [&](double q) { return gaps[static_cast<size_t>(q * static_cast<double>(gaps.size() - 1))]; };
    std::printf("%s: %zu, spacing mean %.3f ms (nominal %.0f), std dev %.3f ms, p1 %.3f, median %.3f, p99 %.3f, "
                "max %.3f ms\n",
                what, times.size(), mean, nominalMs, std::sqrt(squares / static_cast<double>(gaps.size())), at(0.01),
                at(0.5), at(0.99), gaps.back());
}

} // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    Utc zone;
    UsRegional regional;
    FixedStamp stamp;
    NoBrowser browser;
    const kelvane::ui::AboutContext context{browser, stamp, zone, regional};

    std::vector<Clock::time_point> ticks;
    std::vector<Clock::time_point> frames;
    kelvane::ui::TfrmAbout about(context, nullptr, std::make_unique<RecordingTicks>(ticks));
    kelvane::ui::TezCredits* credits = about.ezCredits1();
    credits->SetPauseOnMouseOver(false); // wherever the pointer rests, the text keeps moving
    PaintTimes paints(frames);
    credits->installEventFilter(&paints);
    about.show();

    credits->SetAnimate(false);
    RunFor(1.0); // shown, painted and settled
    const double idleCpu = RunFor(seconds);

    credits->SetAnimate(true);
    RunFor(1.0); // the first lines drawn into their pictures
    ticks.clear();
    frames.clear();
    const auto start = Clock::now();
    const double scrollingCpu = RunFor(seconds);
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();

    std::printf("platform %s, %.1f s measured\n", qPrintable(QGuiApplication::platformName()), wall);
    std::printf("standing still: CPU %.3f s = %.2f%% of one core\n", idleCpu, 100.0 * idleCpu / wall);
    std::printf("scrolling:      CPU %.3f s = %.2f%% of one core; %.2f s of CPU per minute of scrolling\n",
                scrollingCpu, 100.0 * scrollingCpu / wall, scrollingCpu * 60.0 / wall);
    std::printf("ticks %zu of %.0f expected at %u ms\n", ticks.size(), wall * 1000.0 / credits->Interval(),
                credits->Interval());
    PrintSpacing("ticks", ticks, credits->Interval());
    PrintSpacing("frames", frames, credits->Interval());
    return 0;
}
