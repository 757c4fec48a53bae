// The diagnostic log (easylogging++, logger "default").
#pragma once

#include <string>

// Size at which a log file is rolled over; one older copy (".old") is kept,
// so the log never takes more than twice this.
constexpr unsigned long kDiagnosticLogCap = 2 * 1024 * 1024;

// Reads `conf_path` (relative to the current folder) over the library's
// defaults and applies it to every logger. A missing file keeps the
// defaults. Returns whether the file was read.
bool configure_diagnostic_log(const std::string& conf_path = "log.conf");

// The five lines that open each run's log, error to debug.
void write_start_lines();
