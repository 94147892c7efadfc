#include "app/Startup.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kelvane {
namespace {

using platform::InstanceRequest;

class FakeInstancePlatform : public platform::PathsAndInstance
{
public:
    std::string appData;
    platform::InstanceLock lock{platform::InstanceLock::State::Taken, {}};
    std::vector<InstanceRequest> posted;

    std::string AppDataFolder() override { return appData; }
    std::string ExecutableFolder() override { return "/opt/kelvane/"; }
    platform::InstanceLock AcquireInstanceLock() override { return lock; }
    void PostInstanceRequest(InstanceRequest request) override { posted.push_back(request); }
    void ListenForInstanceRequests(std::function<void(InstanceRequest)>) override {}
};

TEST(CommandLine, OnlyAnExactFirstArgumentAsksForExit)
{
    const std::pair<std::vector<std::string>, bool> cases[] = {
        {{}, false},         {{"/CLOSE"}, true},   {{"/CLOSE", "ignored"}, true},
        {{"/close"}, false}, {{"/CLOSE "}, false}, {{"x", "/CLOSE"}, false},
    };
    for (const auto& [arguments, close] : cases) {
        EXPECT_EQ(IsCloseRequest(arguments), close) << testing::PrintToString(arguments);
    }
}

TEST(LanguageFile, BesideTheExecutableElseInTheInstallationsDataFolder)
{
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("bin"));
    std::filesystem::create_directories(dir.file("share/kelvane"));
    const std::string bin = dir.file("bin") + "/";
    EXPECT_EQ(LanguageFilePath(bin), bin + "language.json") << "neither: the error names the usual place";
    dir.write("share/kelvane/language.json", "{}");
    EXPECT_EQ(LanguageFilePath(bin), bin + "../share/kelvane/language.json");
    dir.write("bin/language.json", "{}");
    EXPECT_EQ(LanguageFilePath(bin), bin + "language.json");
}

TEST(InstanceSteps, WhoRunsAndWhatIsPosted)
{
    using State = platform::InstanceLock::State;
    const struct
    {
        State lock;
        std::vector<std::string> arguments;
        bool runs;
        std::vector<InstanceRequest> posted;
        bool fatal = false;
    } cases[] = {
        {State::Taken, {}, true, {}},
        {State::Taken, {"/CLOSE"}, false, {}},
        {State::HeldElsewhere, {}, false, {InstanceRequest::Show}},
        {State::HeldElsewhere, {"/CLOSE"}, false, {InstanceRequest::Exit}},
        {State::HeldElsewhere, {"/Close"}, false, {InstanceRequest::Show}},
        // Never an end without a word: no lock at all stops the start with its reason.
        {State::Unavailable, {}, false, {}, true},
        {State::Unavailable, {"/CLOSE"}, false, {}, true},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        FakeInstancePlatform platform;
        platform.appData = dir.path();
        platform.lock = {c.lock, c.fatal ? "why" : ""};
        const StartupOutcome outcome = RunInstanceSteps(c.arguments, platform);
        EXPECT_EQ(outcome.RunProgram, c.runs);
        EXPECT_EQ(outcome.FatalProblem, c.fatal ? std::optional<std::string>("why") : std::nullopt);
        EXPECT_EQ(platform.posted, c.posted);
        const char sep = static_cast<char>(std::filesystem::path::preferred_separator);
        EXPECT_EQ(outcome.DataFolder, dir.path() + sep + "Quillfen" + sep + "Kelvane" + sep);
    }
}

TEST(InstanceSteps, CreatesEveryMissingLevelOfTheDataFolder)
{
    test::TempDir dir;
    FakeInstancePlatform platform;
    platform.appData = dir.path() + "/deep/er";
    const StartupOutcome outcome = RunInstanceSteps({}, platform);
    EXPECT_FALSE(outcome.DataFolderError.has_value());
    EXPECT_TRUE(std::filesystem::is_directory(outcome.DataFolder));
}

TEST(InstanceSteps, AFolderThatCannotBeMadeIsReportedButTheProgramRuns)
{
    test::TempDir dir;
    dir.write("Quillfen", "a file where the vendor folder belongs");
    FakeInstancePlatform platform;
    platform.appData = dir.path();
    const StartupOutcome outcome = RunInstanceSteps({}, platform);
    EXPECT_TRUE(outcome.RunProgram);
    ASSERT_TRUE(outcome.DataFolderError.has_value());
    EXPECT_NE(outcome.DataFolderError->find(outcome.DataFolder), std::string::npos) << *outcome.DataFolderError;
}

} // namespace
} // namespace kelvane
