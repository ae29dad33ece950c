// Starting other programs: the registry editor, the database engine's
// administrator, the setup engine of a test run.
//
// Programs are given as engine paths. A program name without a folder is
// searched on PATH. A program named "*.exe" that cannot be executed on this
// host is started through "wine" when wine is on PATH; otherwise it counts as
// not started. Arguments are engine (Windows-1252) text and reach the program
// in the file system's encoding.
//
// Each call exists in two forms: with a command-line text, split into
// arguments with the quoting rules of Windows command lines (see
// SplitCommandLine), and with the arguments already split.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// Windows command-line splitting: blanks and tabs separate arguments; double
// quotes group text with blanks ("a b" is one argument, "" an empty one); a
// doubled quote inside quotes is a literal quote; 2n backslashes before a
// quote give n backslashes and the quote acts, 2n+1 give n backslashes and a
// literal quote; other backslashes are kept as they are ("C:\dir\x").
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The native argument vector that would be started for `program`: the
// executable found (or wine followed by the program) and the arguments. Empty
// when the program cannot be started (missing, not executable, an ".exe"
// without wine).
std::vector<std::string> ResolveLaunch(std::string_view program,
                                       const std::vector<std::string>& arguments);

// The folder of the running program file (engine path); empty when unknown.
std::string RunningProgramFolder();
// The most memory the running program has held in RAM at once, in KiB (0
// when unknown).
long PeakResidentKiB();
// The login name of the user the program runs as, in the system's encoding
// (not converted); $USER when the user database does not know the user, and
// empty when neither names one.
std::string UserLoginName();
// The user's home folder: $HOME, else the password database's entry for the
// effective user (HOME is unset under some service managers and `env -i`);
// empty when neither names one.
std::string UserHomeFolder();

// Starts the program in a session of its own and returns at once; the
// process is reaped in the background. True when it started.
bool RunDetached(std::string_view program, std::string_view arguments);
bool RunDetachedArgs(std::string_view program, const std::vector<std::string>& arguments);

// Starts the program and blocks until it ends. True when it started; then
// `exitCode` (when given) receives its exit status, or 128 + the signal
// number when a signal ended it (-1 when it did not start).
bool RunAndWait(std::string_view program, std::string_view arguments, int* exitCode = nullptr);
bool RunAndWaitArgs(std::string_view program, const std::vector<std::string>& arguments,
                    int* exitCode = nullptr);

// Like RunAndWait, but what the program writes to its standard output and
// error is collected into `output` (bytes as written) instead of going to
// this program's.
bool RunAndCapture(std::string_view program, std::string_view arguments, std::string& output,
                   int* exitCode = nullptr);

// Like RunAndWait, but while the program runs, waits for it 1 ms at a time
// and calls PumpMessage() between the waits so that a user interface keeps
// repainting.
bool RunAndPump(std::string_view program, std::string_view arguments, int* exitCode = nullptr);
bool RunAndPumpArgs(std::string_view program, const std::vector<std::string>& arguments,
                    int* exitCode = nullptr);

}  // namespace vantrel
