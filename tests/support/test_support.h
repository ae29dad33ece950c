// Shared helpers for the tests: a scratch folder per test and small file helpers.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace vantrel::test {

// A fresh folder under the process's private temporary folder, removed when
// the object goes away.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    const std::string& path() const { return path_; }
    // Path of `name` inside the folder (engine form).
    std::string operator/(const std::string& name) const;
    // Writes `bytes` to `name` (creating folders) and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;

  private:
    std::string path_;
};

std::string ReadBytes(const std::string& path);

// Runs `body` with the rights of an ordinary user and returns what it
// returned. As root (CI runs the tests as root, and permissions do not bite
// for root) it runs in a child process as "nobody" (65534), after `folder`
// and everything below it were given to that user and the folders above it
// made passable; otherwise it runs here. A child that does not end normally
// gives "(the unprivileged run failed)".
std::string AsUnprivileged(const std::string& folder, const std::function<std::string()>& body);

// True when a folder without write permission refuses this process new
// files: an ordinary user on a POSIX system (not root, not Windows, where
// the read-only attribute of a folder does not guard its contents).
bool FolderWritesCanBeRefused();

// Gives `path` itself to another user (nobody, 65534) where this process
// may (root on a POSIX system); false where it cannot.
bool GiveToAnotherUser(const std::string& path);

// Sets (or, with `value` null, removes) an environment variable of this
// process.
void SetEnvVar(const std::string& name, const char* value);

// The number of threads this process has now; 0 when the system does not
// tell.
int ThreadsOfThisProcess();

// Files this process writes may not grow beyond `bytes` for the life of the
// object: a write beyond fails (EFBIG) as on a full disk. Only where the
// system limits a process's file size (POSIX); Active() says whether it
// does.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    bool Active() const { return active_; }

  private:
    bool active_ = false;
    long long old_ = 0;
    void (*oldHandler_)(int) = nullptr;
};

// Output and exit status of a shell command; status is -1 when the command
// did not end normally.
struct ShellResult {
    int status = -1;
    std::string out;
    std::string err;
};
// `s` in single quotes for /bin/sh.
std::string ShellQuote(const std::string& s);
// The words of `text` as /bin/sh splits them: blanks separate, single and
// double quotes group, a backslash takes the next character as it is (no
// expansion of any kind).
std::vector<std::string> SplitShellWords(const std::string& text);
// Runs `command` with /bin/sh, capturing stdout and stderr separately.
ShellResult RunShell(const std::string& command);
// Whether /bin/sh finds the program `tool` (false where there is no POSIX
// shell).
bool HaveShellTool(const std::string& tool);
void WriteBytes(const std::string& path, const std::string& bytes);

// Writes the twelve standard component scripts, each one component without
// elements, into `installFolder`/Comps: the smallest installation on which a
// project loads its catalogue.
void WriteMinimalComps(const ScratchFolder& dir, const std::string& installFolder);
// Copies the setup engine's start programs of the installation `from`
// (Distrib/setup32.exe, Distrib/Setup/setup.exe) into `installFolder`,
// executable.
void CopyEngines(const ScratchFolder& dir, const std::string& from,
                 const std::string& installFolder);
// The floppy size, in KB, whose first disk holds the start program copied
// there and room beside it: `minimumKb` for an optimised engine, more for a
// debug or sanitizer build's.
long long FloppyKbFor(const ScratchFolder& dir, const std::string& installFolder,
                      long long minimumKb);

// Runs vantrel-cli with `arguments` (shell-quoted as needed) in `dir`, with
// hive files of its own there and `dir`/install as the installation folder,
// and nothing on its standard input. `env` is put before the command
// ("NAME=value ..."). Where there is no POSIX shell, the words are split as
// it would and the program is started directly.
ShellResult RunCliIn(const ScratchFolder& dir, const std::string& arguments,
                     const std::string& env = "");

// Installs a registry on hive files inside `folder` for the life of the object.
class ScratchRegistry {
  public:
    explicit ScratchRegistry(const std::string& folder);
    ~ScratchRegistry();
    std::string machineFile, userFile;
};

}  // namespace vantrel::test
