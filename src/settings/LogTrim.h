// Trimming a log to its lines newer than a cut-off (a local day count).
//
// A trim drops only the oldest part of a log: each dated line at or before the cut-off together with
// the undated lines that follow it (continuations, copied link logs). It stops at the first line
// dated after the cut-off, at a line whose date does not parse (such a line is never a reason to
// drop anything after it), and at undated lines with no dated line before them. What is left replaces
// the file in one step (ReplaceFile), so a failed trim leaves the log as it was; a log with nothing
// left is deleted. Both trims hold the log-file lock (LogFile.h) and open the log with deny-write
// sharing; when another program holds it, the log is left for the next trim.
#pragma once

#include "platform/FileSystem.h"

#include <string>

namespace varnel {

// The event log: lines dated before "|".
Result<void> TrimEventLog(IFileSystem& fs, const std::string& path, double cutoff);

// A custom or status log: its first line is a header that is always kept (unless the log is deleted
// for having no data left); lines are dated before a tab or "|". A missing log needs no trim.
Result<void> TrimCustomLog(IFileSystem& fs, const std::string& path, double cutoff);

}  // namespace varnel
