#include "diagnostic_log.h"

#include <easylogging++.h>

#include <cstdio>
#include <fstream>

INITIALIZE_EASYLOGGINGPP

namespace {

// The library truncates a full file; keep the previous one beside it.
void keep_previous_file(const char* filename, std::size_t)
{
    const std::string old = std::string(filename) + ".old";
    std::rename(filename, old.c_str());
}

}  // namespace

bool configure_diagnostic_log(const std::string& conf_path)
{
    el::Configurations conf;
    conf.setToDefault();
    const bool have_file = std::ifstream(conf_path).good();
    if (have_file)
        conf.parseFromFile(conf_path);

    // Whatever the file says, a log file must not grow without bound.
    const el::Level levels[] = {el::Level::Global, el::Level::Trace, el::Level::Debug,
                                el::Level::Fatal,  el::Level::Error, el::Level::Warning,
                                el::Level::Verbose, el::Level::Info};
    for (el::Level level : levels) {
        el::Configuration* size = conf.get(level, el::ConfigurationType::MaxLogFileSize);
        if (!size || std::stoul("0" + size->value()) == 0 ||
            std::stoul("0" + size->value()) > kDiagnosticLogCap)
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
}
