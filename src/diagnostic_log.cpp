#include "diagnostic_log.h"

#include <easylogging++.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

INITIALIZE_EASYLOGGINGPP

namespace {

// A size setting the library will honour as given: a plain decimal number
// from 1 to the cap. Anything else (empty, 0, a unit suffix, a sign, too
// many digits) the library would read as "no limit", or not at all.
bool size_within_cap(std::string value)
{
    const auto first = value.find_first_not_of(" \t");
    const auto last = value.find_last_not_of(" \t");
    value = first == std::string::npos ? std::string() : value.substr(first, last - first + 1);
    if (value.empty() || value.size() > 12 || value.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const unsigned long long size = std::stoull(value);
    return size != 0 && size <= kDiagnosticLogCap;
}

// The library truncates a full file; keep the previous one beside it.
void keep_previous_file(const char* filename, std::size_t)
{
    const std::string old = std::string(filename) + ".old";
    std::rename(filename, old.c_str());
}

// Without a configuration file: the files the shipped one names, in the
// user's state folder, and nothing on the terminal.
void set_builtin_defaults(el::Configurations& conf)
{
    const std::string dir = diagnostic_log_default_folder();
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
    conf.setGlobally(el::ConfigurationType::Format, "%datetime %level %msg");
    conf.setGlobally(el::ConfigurationType::ToFile, "true");
    conf.setGlobally(el::ConfigurationType::ToStandardOutput, "false");
    conf.setGlobally(el::ConfigurationType::SubsecondPrecision, "3");
    conf.setGlobally(el::ConfigurationType::LogFlushThreshold, "0");
    conf.setGlobally(el::ConfigurationType::Filename, dir + "/reader_host.log");
    conf.set(el::Level::Trace, el::ConfigurationType::Filename, dir + "/reader_host.trace.log");
    conf.set(el::Level::Trace, el::ConfigurationType::LogFlushThreshold, "1000");
}

}  // namespace

std::string diagnostic_log_default_folder()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && *state == '/')
        return std::string(state) + "/reader_host";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.local/state/reader_host";
}

bool configure_diagnostic_log(const std::string& conf_path)
{
    el::Configurations conf;
    conf.setToDefault();
    const bool have_file = std::ifstream(conf_path).good();
    if (have_file)
        conf.parseFromFile(conf_path);
    else
        set_builtin_defaults(conf);

    // Whatever the file says, a log file must not grow without bound.
    const el::Level levels[] = {el::Level::Global, el::Level::Trace, el::Level::Debug,
                                el::Level::Fatal,  el::Level::Error, el::Level::Warning,
                                el::Level::Verbose, el::Level::Info};
    for (el::Level level : levels) {
        el::Configuration* size = conf.get(level, el::ConfigurationType::MaxLogFileSize);
        if (!size || !size_within_cap(size->value()))
            conf.set(level, el::ConfigurationType::MaxLogFileSize, std::to_string(kDiagnosticLogCap));
    }

    el::Loggers::addFlag(el::LoggingFlag::StrictLogFileSizeCheck);
    el::Helpers::installPreRollOutCallback(keep_previous_file);
    el::Loggers::reconfigureAllLoggers(conf);
    return have_file;
}

void write_start_lines()
{
    LOG(ERROR) << "-----error log start recode";
    LOG(WARNING) << "-----warning log start recode";
    LOG(INFO) << "-----info log start recode";
    LOG(TRACE) << "-----trace log start recode";
    LOG(DEBUG) << "-----debug log start recode";
    // On disk at once, whatever the buffering of the level's file.
    el::Loggers::flushAll();
}
