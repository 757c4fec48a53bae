// The screen a test runs on never outlives the script that starts it: a
// signal to the script alone ends the test and its X server at once.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <dirent.h>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

namespace {

// True once `done` holds, false when it has not within ten seconds.
bool within_seconds(const std::function<bool()>& done)
{
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// A process's state letter and parent, from /proc; 0 when it is gone.
char state_of(pid_t pid, pid_t* parent = nullptr)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(in, line) || line.rfind(')') == std::string::npos)
        return 0;
    std::istringstream rest(line.substr(line.rfind(')') + 1));
    char state = 0;
    pid_t ppid = 0;
    rest >> state >> ppid;
    if (parent)
        *parent = ppid;
    return state;
}

bool gone(pid_t pid)
{
    const char state = state_of(pid);
    return state == 0 || state == 'Z' || state == 'X';
}

// The X server the script started.
pid_t server_of(pid_t script)
{
    DIR* proc = opendir("/proc");
    pid_t found = 0;
    while (dirent* entry = proc ? readdir(proc) : nullptr) {
        const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
        pid_t parent = 0;
        std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
        std::string name;
        if (pid > 0 && state_of(pid, &parent) && parent == script && std::getline(comm, name) && name == "Xvfb")
            found = pid;
    }
    if (proc)
        closedir(proc);
    return found;
}

TEST(OwnDisplay, NeitherTheTestNorItsScreenOutlivesTheScript)
{
    const struct {
        const char* what;
        int signal;  // 0: the test ends by itself, with status 3
        int status;  // the script's: its exit code, or -signal
    } cases[] = {
        {"the test's own end", 0, 3},
        {"TERM", SIGTERM, 143},
        {"INT", SIGINT, 130},
        {"KILL", SIGKILL, -SIGKILL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        char folder[] = "/tmp/own_display_testXXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        const std::string ready = std::string(folder) + "/test_pid";
        // The test writes its pid once the screen is up, then waits for
        // the go-ahead (a file) or a signal.
        const std::string go = std::string(folder) + "/go";
        const std::string body = "echo $$ > " + ready + ".new && mv " + ready + ".new " + ready +
                                 "; while [ ! -e " + go + " ]; do sleep 0.01; done; exit 3";
        const pid_t script = fork();
        ASSERT_GE(script, 0);
        if (script == 0) {
            // A shell cannot trap a signal ignored when it starts, as INT is
            // in a background job.
            signal(SIGINT, SIG_DFL);
            execl(OWN_DISPLAY_SCRIPT, OWN_DISPLAY_SCRIPT, "/bin/sh", "-c", body.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        pid_t test = 0;
        ASSERT_TRUE(within_seconds([&] { return (std::ifstream(ready) >> test) && test > 0; }));
        const pid_t server = server_of(script);
        EXPECT_GT(server, 0);

        if (c.signal)
            kill(script, c.signal);
        else
            std::ofstream(go).put('\n');
        int status = 0;
        const bool ended = within_seconds([&] { return waitpid(script, &status, WNOHANG) == script; });
        EXPECT_TRUE(ended) << "the script runs on";
        EXPECT_EQ(WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status), c.status);
        EXPECT_TRUE(within_seconds([&] { return gone(test); })) << "the test runs on";
        EXPECT_TRUE(within_seconds([&] { return server <= 0 || gone(server); })) << "the X server runs on";

        // Whatever a failing script left behind goes, so that nothing
        // outlives this test either.
        for (pid_t pid : {test, server, script})
            if (pid > 0 && !gone(pid))
                kill(pid, SIGKILL);
        if (!ended)
            waitpid(script, nullptr, 0);
        std::remove(ready.c_str());
        std::remove(go.c_str());
        rmdir(folder);
    }
}

}  // namespace
