#include "tests/support/marker_holder.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::string_view marker = "IDD_CORVALE_DIALOG";

// Runs the guards of this test in a runtime directory of its own.
class InstanceGuardTest : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/corvale-guard-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_directory = pattern;
        setenv("XDG_RUNTIME_DIR", pattern, 1);
    }

    void TearDown() override { std::filesystem::remove_all(m_directory); }

    // A process that holds the marker until it is stopped.
    static pid_t startHolder(bool stay = true)
    {
        const MarkerHolder holder = startMarkerHolder(marker, stay);
        EXPECT_TRUE(holder.tookMarker);
        return holder.pid;
    }

    static void stop(pid_t child, int signal)
    {
        kill(child, signal);
        int status = 0;
        waitpid(child, &status, 0);
    }

    std::filesystem::path m_directory;
};

TEST_F(InstanceGuardTest, ASecondCopyFindsTheFirstUntilItIsKilled)
{
    const pid_t first = startHolder();
    EXPECT_TRUE(InstanceGuard(marker).anotherCopyRuns());
    EXPECT_TRUE(InstanceGuard(marker).anotherCopyRuns());
    stop(first, SIGKILL);
    EXPECT_FALSE(InstanceGuard(marker).anotherCopyRuns());
}

TEST_F(InstanceGuardTest, ACopyStartedAfterTheFirstEndedRuns)
{
    const pid_t first = startHolder(false);
    int status = 0;
    waitpid(first, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    const InstanceGuard guard(marker);
    EXPECT_FALSE(guard.anotherCopyRuns());
    // While this process holds it, another process is refused.
    const pid_t second = fork();
    if (second == 0)
        _exit(InstanceGuard(marker).anotherCopyRuns() ? 0 : 1);
    waitpid(second, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(InstanceGuardTest, OfTwoCopiesStartedAtTheSameInstantExactlyOneRuns)
{
    for (int trial = 0; trial < 50; ++trial) {
        int go[2];
        int results[2];
        ASSERT_EQ(pipe(go), 0);
        ASSERT_EQ(pipe(results), 0);
        pid_t copies[2];
        for (pid_t& copy : copies) {
            copy = fork();
            if (copy == 0) {
                close(go[1]);
                char byte = 0;
                (void)!read(go[0], &byte, 1); // both wait for the same instant
                const InstanceGuard guard(marker);
                const char runs = guard.anotherCopyRuns() ? '0' : '1';
                (void)!write(results[1], &runs, 1);
                usleep(20'000); // keep the marker while the other copy looks
                _exit(0);
            }
        }
        close(go[0]);
        close(results[1]);
        close(go[1]); // end of file releases both at once
        int running = 0;
        char runs = 0;
        while (read(results[0], &runs, 1) == 1)
            running += runs == '1';
        close(results[0]);
        for (const pid_t copy : copies)
            waitpid(copy, nullptr, 0);
        ASSERT_EQ(running, 1) << "trial " << trial;
    }
}

TEST_F(InstanceGuardTest, OtherMarkersAreIndependent)
{
    const pid_t first = startHolder();
    EXPECT_FALSE(InstanceGuard("another-program").anotherCopyRuns());
    stop(first, SIGTERM);
}

TEST_F(InstanceGuardTest, WithoutAnyUsableFolderTheProgramRunsUnguarded)
{
    std::ofstream(m_directory / "file") << "x";
    const std::vector<InstanceGuard::Folder> folders = {{m_directory / "missing", false},
                                                        {m_directory / "file" / "below", true}};
    const InstanceGuard first(marker, folders);
    EXPECT_FALSE(first.anotherCopyRuns());
    EXPECT_FALSE(InstanceGuard(marker, folders).anotherCopyRuns());
}

// What another user may plant at /tmp/corvale-<uid> before the program first starts: a folder
// of their own (only root can make one here), a file or a link; or, in a folder of this user's
// own, something in the lock file's place that cannot be opened as one. Each case starts with a
// fresh home, so that no lock file of an earlier case stands in for the one it makes.
TEST_F(InstanceGuardTest, APlantedLockFolderIsPassedOverForTheHomeFolder)
{
    using Plant = void (*)(const std::filesystem::path& place, bool& skip);
    const std::pair<const char*, Plant> cases[] = {
        {"foreign folder",
         [](const std::filesystem::path& place, bool& skip) {
             std::filesystem::create_directory(place);
             skip = chown(place.c_str(), 12345, 12345) != 0;
         }},
        {"file", [](const std::filesystem::path& place, bool&) { std::ofstream(place) << "x"; }},
        {"link to a folder",
         [](const std::filesystem::path& place, bool&) {
             std::filesystem::create_symlink(place.parent_path(), place);
         }},
        {"own folder, lock file a folder",
         [](const std::filesystem::path& place, bool&) {
             std::filesystem::create_directories(place / "IDD_CORVALE_DIALOG.lock");
         }},
        {"own folder, lock file a link",
         [](const std::filesystem::path& place, bool&) {
             std::filesystem::create_directory(place);
             std::filesystem::create_symlink(place.parent_path() / "elsewhere",
                                             place / "IDD_CORVALE_DIALOG.lock");
         }},
    };
    for (const auto& [name, plant] : cases) {
        SCOPED_TRACE(name);
        const std::filesystem::path base = m_directory / name;
        std::filesystem::create_directory(base);
        const std::filesystem::path planted = base / "planted";
        bool skip = false;
        plant(planted, skip);
        if (skip)
            continue; // a folder of another user needs root
        const std::filesystem::path home = base / "home" / ".cache" / "corvale";
        const std::vector<InstanceGuard::Folder> folders = {{planted, true}, {home, true}};
        const InstanceGuard first(marker, folders);
        EXPECT_FALSE(first.anotherCopyRuns());
        EXPECT_TRUE(std::filesystem::exists(home / "IDD_CORVALE_DIALOG.lock"));
        const pid_t second = fork();
        if (second == 0)
            _exit(InstanceGuard(marker, folders).anotherCopyRuns() ? 0 : 1);
        int status = 0;
        waitpid(second, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a second copy ran";
    }
}

TEST_F(InstanceGuardTest, TheProgramHoldsTheMarkerWhileItRuns)
{
    const pid_t program = fork();
    if (program == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execl(CORVALE_EXECUTABLE, CORVALE_EXECUTABLE, static_cast<char*>(nullptr));
        _exit(127);
    }
    bool held = false;
    for (int attempt = 0; attempt < 500 && !held; ++attempt) {
        held = InstanceGuard(marker).anotherCopyRuns();
        if (!held)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_TRUE(held);
    stop(program, SIGKILL);
    EXPECT_FALSE(InstanceGuard(marker).anotherCopyRuns());
}

} // namespace
