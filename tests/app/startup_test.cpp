// The built program started as an operator starts it, in a folder of its
// own, with the shipped log.conf and without one. The program draws on the
// test's display (run under xvfb-run -a).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path bin_dir()
{
    return fs::read_symlink("/proc/self/exe").parent_path();
}

bool wait_until(const std::function<bool()>& done, int timeout_ms)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return done();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// A fresh folder under /tmp, removed with the object.
class TempDir {
public:
    TempDir()
    {
        char name[] = "/tmp/reader-start-XXXXXX";
        if (mkdtemp(name))
            path_ = name;
    }
    ~TempDir()
    {
        std::error_code ignored;
        if (!path_.empty())
            fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

std::vector<std::string> read_lines(const fs::path& file)
{
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> names_in(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    return names;
}

// reader_host running in `work`, with its own home folder and its output
// in `output`; ended with SIGTERM when the object goes.
class Program {
public:
    Program(const fs::path& work, const fs::path& home, const fs::path& output)
    {
        const std::string exe = (bin_dir() / "reader_host").string();
        pid_ = fork();
        if (pid_ == 0) {
            if (chdir(work.c_str()) != 0)
                _exit(126);
            setenv("HOME", home.c_str(), 1);
            setenv("NO_AT_BRIDGE", "1", 1);
            const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd >= 0) {
                dup2(fd, 1);
                dup2(fd, 2);
                close(fd);
            }
            execl(exe.c_str(), "reader_host", static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~Program() { stop(); }

    pid_t pid() const { return pid_; }

    bool alive()
    {
        if (pid_ <= 0 || exited_)
            return false;
        if (waitpid(pid_, &status_, WNOHANG) == pid_)
            exited_ = true;
        return !exited_;
    }

    std::string how_it_ended() const
    {
        if (!exited_)
            return "still running";
        if (WIFEXITED(status_))
            return "exited with " + std::to_string(WEXITSTATUS(status_));
        if (WIFSIGNALED(status_))
            return "killed by signal " + std::to_string(WTERMSIG(status_));
        return "ended";
    }

    void stop()
    {
        if (!alive())
            return;
        kill(pid_, SIGTERM);
        if (!wait_until([&] { return !alive(); }, 5000)) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status_, 0);
            exited_ = true;
        }
    }

private:
    pid_t pid_ = -1;
    bool exited_ = false;
    int status_ = 0;
};

bool have_display()
{
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}

// Without xdotool the window is taken on trust from the process being alive.
bool have_xdotool()
{
    return std::system("command -v xdotool >/dev/null 2>&1") == 0;
}

bool window_shown(pid_t pid)
{
    const std::string cmd = "xdotool search --all --onlyvisible --pid " + std::to_string(pid) +
                            " --name '^UHF RFID Reader V1.76.8$' >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

std::string tail_of(const fs::path& file)
{
    const std::vector<std::string> lines = read_lines(file);
    std::ostringstream out;
    for (size_t i = lines.size() > 20 ? lines.size() - 20 : 0; i < lines.size(); ++i)
        out << lines[i] << "\n";
    return out.str();
}

// The five start lines, in their order: level and text.
const std::pair<const char*, const char*> kStartLines[] = {
    {"ERROR", "-----error log start recode"},     {"WARNING", "-----warning log start recode"},
    {"INFO", "-----info log start recode"},       {"TRACE", "-----trace log start recode"},
    {"DEBUG", "-----debug log start recode"},
};

bool ends_with(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(StartUp, WritesTheFiveStartLinesFirstAndInOrder)
{
    ASSERT_TRUE(have_display()) << "needs a display: run under xvfb-run -a";
    TempDir work, home;
    fs::copy_file(bin_dir() / "log.conf", work.path() / "log.conf");
    const fs::path output = home.path() / "output.txt";

    Program program(work.path(), home.path(), output);
    // The shipped configuration names one log file in the current folder.
    fs::path log;
    const bool written = wait_until(
        [&] {
            for (const auto& entry : fs::directory_iterator(work.path()))
                if (entry.path().filename() != "log.conf" && read_lines(entry.path()).size() >= 5) {
                    log = entry.path();
                    return true;
                }
            return false;
        },
        20000);
    ASSERT_TRUE(written) << "no log file with five lines; the program " << program.how_it_ended() << "\n"
                         << tail_of(output);

    const std::vector<std::string> lines = read_lines(log);
    for (size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const std::string want = std::string(kStartLines[i].first) + " " + kStartLines[i].second;
        EXPECT_TRUE(ends_with(lines[i], " " + want)) << "line \"" << lines[i] << "\", wanted \"..." << want << "\"";
    }
    // Written once per run.
    int start_lines = 0;
    for (const std::string& line : read_lines(log))
        start_lines += line.find("log start recode") != std::string::npos;
    EXPECT_EQ(start_lines, 5);

    if (have_xdotool()) {
        EXPECT_TRUE(wait_until([&] { return window_shown(program.pid()); }, 20000)) << "no main window";
    }
    EXPECT_TRUE(program.alive()) << program.how_it_ended() << "\n" << tail_of(output);
}

TEST(StartUp, StartsWithoutLogConfAndWritesNothingIntoItsFolder)
{
    ASSERT_TRUE(have_display()) << "needs a display: run under xvfb-run -a";
    TempDir work, home;
    const fs::path output = home.path() / "output.txt";

    Program program(work.path(), home.path(), output);
    if (have_xdotool()) {
        EXPECT_TRUE(wait_until([&] { return window_shown(program.pid()); }, 20000)) << "no main window";
    }
    // Whatever start-up does, it has done it within two seconds.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    ASSERT_TRUE(program.alive()) << program.how_it_ended() << "\n" << tail_of(output);
    EXPECT_TRUE(names_in(work.path()).empty()) << "the program wrote " << names_in(work.path()).front();

    // The library's defaults send the start lines to the standard output.
    std::vector<std::string> starts;
    for (const std::string& line : read_lines(output))
        if (line.find("log start recode") != std::string::npos)
            starts.push_back(line);
    ASSERT_EQ(starts.size(), 5u) << tail_of(output);
    for (size_t i = 0; i < 5; ++i)
        EXPECT_TRUE(ends_with(starts[i], kStartLines[i].second)) << starts[i];
}

}  // namespace
