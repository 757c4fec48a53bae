// The diagnostic log (easylogging++, logger "default").
#pragma once

#include <string>

// Size at which a log file is rolled over; one older copy (".old") is kept,
// so the log never takes more than twice this.
constexpr unsigned long kDiagnosticLogCap = 2 * 1024 * 1024;

// Reads `conf_path` (relative to the current folder) over the library's
// defaults and applies it to every logger. Without the file the log goes to
// reader_host.log (trace lines to reader_host.trace.log) in
// diagnostic_log_default_folder(), never to the terminal. Returns whether
// the file was read.
bool configure_diagnostic_log(const std::string& conf_path = "log.conf");

// $XDG_STATE_HOME/reader_host, else ~/.local/state/reader_host.
std::string diagnostic_log_default_folder();

// The five lines that open each run's log, error to debug.
void write_start_lines();
