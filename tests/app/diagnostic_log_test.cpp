// The diagnostic log's configuration: whatever log.conf says about the file
// size, the file is capped, and at the cap it rolls over to one older copy.
#include <gtest/gtest.h>

#include <easylogging++.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "diagnostic_log.h"

namespace fs = std::filesystem;

namespace {

class DiagnosticLog : public testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/reader-diag-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
        // Where the log goes without a configuration file; the programs a
        // later test starts inherit the environment as it was.
        const char* state = std::getenv("XDG_STATE_HOME");
        saved_state = state ? std::optional<std::string>(state) : std::nullopt;
        setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
    }
    void TearDown() override
    {
        // Nothing of a later test may go into this folder.
        configure_diagnostic_log((dir / "no-such.conf").string());
        std::error_code ignored;
        fs::remove_all(dir, ignored);
        if (saved_state)
            setenv("XDG_STATE_HOME", saved_state->c_str(), 1);
        else
            unsetenv("XDG_STATE_HOME");
    }

    // A configuration that logs the bare message to `file` in the test's
    // folder, with `size_line` (if any) as its size setting.
    std::string write_conf(const std::string& size_line)
    {
        const fs::path conf = dir / "log.conf";
        std::ofstream out(conf);
        out << "* GLOBAL:\n"
            << "    FORMAT = \"%msg\"\n"
            << "    FILENAME = \"" << (dir / "diag.log").string() << "\"\n"
            << "    ENABLED = true\n"
            << "    TO_FILE = true\n"
            << "    TO_STANDARD_OUTPUT = false\n"
            << "    LOG_FLUSH_THRESHOLD = 0\n";
        if (!size_line.empty())
            out << "    " << size_line << "\n";
        return conf.string();
    }

    static std::size_t cap(el::Level level)
    {
        return el::Loggers::getLogger("default")->typedConfigurations()->maxLogFileSize(level);
    }

    fs::path dir;
    std::optional<std::string> saved_state;
};

const el::Level kLevels[] = {el::Level::Error, el::Level::Warning, el::Level::Info, el::Level::Trace,
                             el::Level::Debug};

TEST_F(DiagnosticLog, EveryFileGetsTheCapWhateverTheFileSays)
{
    // Missing, zero, above the cap, not a plain number, too long a number.
    const std::string settings[] = {"",
                                    "MAX_LOG_FILE_SIZE = 0",
                                    "MAX_LOG_FILE_SIZE = 104857600",
                                    "MAX_LOG_FILE_SIZE = 2MB",
                                    "MAX_LOG_FILE_SIZE = 64k",
                                    "MAX_LOG_FILE_SIZE = -5",
                                    "MAX_LOG_FILE_SIZE = 99999999999999999999999999"};
    for (const std::string& setting : settings) {
        SCOPED_TRACE(setting);
        const std::string conf = write_conf(setting);
        bool read = false;
        EXPECT_NO_THROW(read = configure_diagnostic_log(conf));
        EXPECT_TRUE(read);
        for (el::Level level : kLevels)
            EXPECT_EQ(cap(level), kDiagnosticLogCap) << el::LevelHelper::convertToString(level);
    }
}

TEST_F(DiagnosticLog, ASmallerCapIsKeptAndNoFileMeansDefaultsWithTheCap)
{
    EXPECT_TRUE(configure_diagnostic_log(write_conf("MAX_LOG_FILE_SIZE = 4096")));
    for (el::Level level : kLevels)
        EXPECT_EQ(cap(level), 4096u);

    EXPECT_FALSE(configure_diagnostic_log((dir / "missing.conf").string()));
    for (el::Level level : kLevels)
        EXPECT_EQ(cap(level), kDiagnosticLogCap);
}

// A day connected writes tens of millions of trace lines: they go to a file
// of their own, so the start lines and every warning stay in the main one.
TEST_F(DiagnosticLog, TraceLinesNeverPushOutTheStartLinesOrWarnings)
{
    const fs::path shipped = fs::read_symlink("/proc/self/exe").parent_path() / "log.conf";
    ASSERT_TRUE(fs::exists(shipped));
    const fs::path state = dir / "state" / "reader_host";
    for (const bool with_file : {true, false}) {
        SCOPED_TRACE(with_file ? "shipped log.conf" : "no log.conf");
        const fs::path run = dir / (with_file ? "run" : "bare");
        fs::create_directories(run);
        fs::copy_file(shipped, run / "log.conf");
        const fs::path cwd = fs::current_path();
        fs::current_path(run);
        ASSERT_EQ(configure_diagnostic_log(with_file ? "log.conf" : "none.conf"), with_file);
        write_start_lines();
        LOG(WARNING) << "port gone";
        // More than two trace files' worth, so the trace file rolls over.
        const std::string line(100, 't');
        for (unsigned long i = 0; i < 3 * kDiagnosticLogCap / line.size(); ++i)
            LOG(TRACE) << "package len = " << line;
        el::Loggers::flushAll();
        fs::current_path(cwd);

        const fs::path folder = with_file ? run : state;
        EXPECT_TRUE(fs::exists(folder / "reader_host.trace.log.old"));
        std::ifstream in(folder / "reader_host.log");
        std::vector<std::string> lines;
        for (std::string l; std::getline(in, l);)
            lines.push_back(l.substr(l.find(' ', l.find(' ') + 1) + 1));
        EXPECT_EQ(lines, (std::vector<std::string>{"ERROR -----error log start recode",
                                                   "WARNING -----warning log start recode",
                                                   "INFO -----info log start recode",
                                                   "DEBUG -----debug log start recode", "WARNING port gone"}));
    }
}

TEST_F(DiagnosticLog, AtTheCapTheFileRollsOverToOneOlderCopyLosingNothing)
{
    const std::size_t kCap = 4096;
    ASSERT_TRUE(configure_diagnostic_log(write_conf("MAX_LOG_FILE_SIZE = " + std::to_string(kCap))));
    const fs::path file = dir / "diag.log";
    const fs::path old = dir / "diag.log.old";
    const std::string padding(50, 'x');
    const std::size_t line_size = 5 + padding.size() + 1;

    const int kLines = 3000;  // about 50 times the cap
    for (int i = 0; i < kLines; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%05d", i);
        LOG(TRACE) << number << padding;
        ASSERT_TRUE(fs::exists(file)) << i;
        ASSERT_LE(fs::file_size(file), kCap + line_size) << "grew past the cap at line " << i;
    }

    ASSERT_TRUE(fs::exists(old)) << "never rolled over";
    EXPECT_LE(fs::file_size(old), kCap + line_size);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"diag.log", "diag.log.old", "log.conf"}));

    // The older copy ends where the current file begins.
    std::vector<int> numbers;
    for (const fs::path& copy : {old, file}) {
        std::ifstream in(copy);
        for (std::string line; std::getline(in, line);) {
            ASSERT_EQ(line.size(), line_size - 1) << line;
            numbers.push_back(std::stoi(line.substr(0, 5)));
        }
    }
    ASSERT_FALSE(numbers.empty());
    EXPECT_EQ(numbers.back(), kLines - 1);
    for (size_t i = 1; i < numbers.size(); ++i)
        EXPECT_EQ(numbers[i], numbers[i - 1] + 1) << "lost or doubled around line " << numbers[i - 1];
}

}  // namespace
