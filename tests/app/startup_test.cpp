// The built program started as an operator starts it, in a folder of its
// own, with the shipped log.conf and without one. The program draws on the
// test's display (run under xvfb-run -a).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <cstring>
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
    // `display` replaces the test's own display when not empty.
    Program(const fs::path& work, const fs::path& home, const fs::path& output,
            const std::string& display = std::string())
        : work_(work), home_(home), output_(output), display_(display)
    {
        start();
    }
    ~Program() { stop(); }

    // Under heavy load the X server now and then turns a new connection
    // away: a program that could not reach the display at all is started
    // again, a few times at most. Whether it is up is for `shown` to say.
    bool wait_shown(const std::function<bool()>& shown, int timeout_ms)
    {
        return wait_until(
            [&] {
                if (shown())
                    return true;
                if (!alive() && restarts_ < 3 && read_all(output_).find("initialize GTK") != std::string::npos) {
                    ++restarts_;
                    exited_ = false;
                    start();
                }
                return false;
            },
            timeout_ms);
    }

private:
    static std::string read_all(const fs::path& file)
    {
        std::ifstream in(file);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    void start()
    {
        const fs::path& work = work_;
        const fs::path& home = home_;
        const fs::path& output = output_;
        const std::string& display = display_;
        const std::string exe = (bin_dir() / "reader_host").string();
        pid_ = fork();
        if (pid_ == 0) {
            if (chdir(work.c_str()) != 0)
                _exit(126);
            // Without a log.conf the logs go under this home, whatever the
            // test runner's own environment names.
            setenv("HOME", home.c_str(), 1);
            unsetenv("XDG_STATE_HOME");
            if (!display.empty())
                setenv("DISPLAY", display.c_str(), 1);
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

    fs::path work_, home_, output_;
    std::string display_;
    int restarts_ = 0;

public:
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

bool have_xdotool()
{
    return std::system("command -v xdotool >/dev/null 2>&1") == 0;
}

std::string run_output(const std::string& cmd)
{
    std::string out;
    if (FILE* pipe = popen(cmd.c_str(), "r")) {
        char buf[256];
        while (fgets(buf, sizeof buf, pipe))
            out += buf;
        pclose(pipe);
    }
    return out;
}

std::string xdotool_main_window(pid_t pid, const std::string& action, const std::string& display = "")
{
    const std::string env = display.empty() ? "" : "DISPLAY=" + display + " ";
    return run_output(env + "xdotool search --all --onlyvisible --pid " + std::to_string(pid) +
                      " --name '^UHF RFID Reader V1.76.8$' " + action + " 2>/dev/null");
}

bool window_shown(pid_t pid, const std::string& display = "")
{
    return !xdotool_main_window(pid, "", display).empty();
}

// The main window's place and size as xdotool reports them (no window
// manager: no decorations); all -1 until it is shown.
struct Geometry {
    int x = -1, y = -1, width = -1, height = -1;
};

Geometry window_geometry(pid_t pid, const std::string& display)
{
    Geometry g;
    std::istringstream in(xdotool_main_window(pid, "getwindowgeometry --shell", display));
    for (std::string line; std::getline(in, line);) {
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = line.substr(0, eq);
        const int value = std::atoi(line.c_str() + eq + 1);
        if (key == "X")
            g.x = value;
        else if (key == "Y")
            g.y = value;
        else if (key == "WIDTH")
            g.width = value;
        else if (key == "HEIGHT")
            g.height = value;
    }
    return g;
}

// A virtual screen of its own size, for as long as the object lives.
class Screen {
public:
    Screen(int width, int height)
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            const std::string geometry = std::to_string(width) + "x" + std::to_string(height) + "x24";
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", geometry.c_str(), "-nolisten",
                   "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        // The server writes its display number once it accepts clients.
        char number[16] = {};
        size_t got = 0;
        while (got < sizeof number - 1) {
            const ssize_t n = read(fds[0], number + got, sizeof number - 1 - got);
            if (n <= 0 || number[got + n - 1] == '\n') {
                got += n > 0 ? static_cast<size_t>(n) : 0;
                break;
            }
            got += static_cast<size_t>(n);
        }
        close(fds[0]);
        if (got > 0)
            display_ = ":" + std::string(number, std::strlen(number) - (number[got - 1] == '\n' ? 1 : 0));
    }
    ~Screen()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

std::string tail_of(const fs::path& file)
{
    const std::vector<std::string> lines = read_lines(file);
    std::ostringstream out;
    for (size_t i = lines.size() > 20 ? lines.size() - 20 : 0; i < lines.size(); ++i)
        out << lines[i] << "\n";
    return out.str();
}

// The lines of `file` from the level word on (the time stamp cut off).
std::vector<std::string> entries_of(const fs::path& file)
{
    std::vector<std::string> entries;
    for (const std::string& line : read_lines(file)) {
        const auto level = line.find(' ', line.find(' ') + 1);
        entries.push_back(level == std::string::npos ? line : line.substr(level + 1));
    }
    return entries;
}

const std::vector<std::string> kMainStart = {"ERROR -----error log start recode",
                                             "WARNING -----warning log start recode",
                                             "INFO -----info log start recode",
                                             "DEBUG -----debug log start recode"};
const std::vector<std::string> kTraceStart = {"TRACE -----trace log start recode"};

// The five start lines once each, in order: four in the main log, the trace
// line first in the trace log. And nothing from GTK on the terminal.
void expect_start(const fs::path& folder, const fs::path& output)
{
    EXPECT_EQ(entries_of(folder / "reader_host.log"), kMainStart);
    const std::vector<std::string> trace = entries_of(folder / "reader_host.trace.log");
    EXPECT_EQ(std::vector<std::string>(trace.begin(), trace.begin() + std::min<size_t>(1, trace.size())), kTraceStart);
    for (const std::string& line : read_lines(output))
        EXPECT_EQ(line.find("Gtk"), std::string::npos) << line;
}

TEST(StartUp, WritesTheFiveStartLinesFirstAndInOrder)
{
    ASSERT_TRUE(have_display()) << "needs a display: run under xvfb-run -a";
    ASSERT_TRUE(have_xdotool()) << "the window checks need xdotool";
    TempDir work, home;
    fs::copy_file(bin_dir() / "log.conf", work.path() / "log.conf");
    const fs::path output = home.path() / "output.txt";

    Program program(work.path(), home.path(), output);
    EXPECT_TRUE(program.wait_shown([&] { return window_shown(program.pid()); }, 20000)) << "no main window";
    ASSERT_TRUE(program.alive()) << program.how_it_ended() << "\n" << tail_of(output);
    expect_start(work.path(), output);
}

TEST(StartUp, WithoutLogConfLogsIntoTheUsersStateFolderAndKeepsTheTerminalQuiet)
{
    ASSERT_TRUE(have_display()) << "needs a display: run under xvfb-run -a";
    ASSERT_TRUE(have_xdotool()) << "the window checks need xdotool";
    TempDir work, home;
    const fs::path output = home.path() / "output.txt";

    Program program(work.path(), home.path(), output);
    EXPECT_TRUE(program.wait_shown([&] { return window_shown(program.pid()); }, 20000)) << "no main window";
    ASSERT_TRUE(program.alive()) << program.how_it_ended() << "\n" << tail_of(output);
    EXPECT_TRUE(names_in(work.path()).empty()) << "the program wrote " << names_in(work.path()).front();
    expect_start(home.path() / ".local" / "state" / "reader_host", output);
    EXPECT_TRUE(read_lines(output).empty()) << tail_of(output);
}

// On a laptop screen the window still fits, log included (the pages
// scroll); on a large one it opens whole, centred.
TEST(StartUp, TheWindowOpensOnScreenWhateverTheScreenSize)
{
    ASSERT_TRUE(have_xdotool()) << "the window checks need xdotool";
    const struct {
        int width, height;
    } screens[] = {{1366, 768}, {1920, 1080}};
    for (const auto& screen : screens) {
        SCOPED_TRACE(std::to_string(screen.width) + "x" + std::to_string(screen.height));
        Screen display(screen.width, screen.height);
        ASSERT_FALSE(display.display().empty()) << "no Xvfb";
        TempDir work, home;
        const fs::path output = home.path() / "output.txt";
        Program program(work.path(), home.path(), output, display.display());
        Geometry g;
        ASSERT_TRUE(program.wait_shown(
            [&] {
                g = window_geometry(program.pid(), display.display());
                return g.width > 0;
            },
            40000))
            << program.how_it_ended() << "\n" << tail_of(output);
        EXPECT_GE(g.x, 0);
        EXPECT_GE(g.y, 0);
        EXPECT_LE(g.x + g.width, screen.width);
        EXPECT_LE(g.y + g.height, screen.height);
        EXPECT_NEAR(g.x, screen.width - g.x - g.width, 2);
        if (screen.height >= 1080) {
            EXPECT_NEAR(g.y, screen.height - g.y - g.height, 2);
        }
    }
}

}  // namespace
