// The sample setup engine: installed as "setup32.exe" (and as the floppy
// start program "setup.exe") in the sample installation's "Distrib" folder,
// so that media built here and test runs have an engine to start. It reads
// and checks the set's scripts and shows what the setup would install; it
// never writes into the set (which may lie on a read-only disk).
//
//   setup32.exe [/nocopy] [FOLDER]
//   setup32.exe /install ROOT [/type N] [FOLDER]
//   setup32.exe /uninstall ROOT
//   setup32.exe /install [/type N]         on Windows: on this machine
//   setup32.exe /uninstall
//
// The set is FOLDER when given, else the program's own folder or, failing
// that, the current folder. /install installs it into the sandbox folder
// ROOT (see sandbox_install.h; a floppy set is unpacked first), taking the
// components of install type N (1 to 3, default 1); /uninstall removes what
// ROOT's uninstall log lists. Without ROOT (an option or nothing after it)
// they install on this machine, and remove what the log in the set's
// destination folder lists. Exit status: 0 when the set was read (and
// installed or removed), 1 when a script is missing, unreadable or fails
// verification or the install failed, 2 for a usage error.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/floppy_report.h"
#include "engine/install_report.h"
#include "engine/report_text.h"
#include "engine/sandbox_install.h"
#include "engine/set_folder.h"
#include "media/set_unpacker.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/strings.h"
#include "platform/temp_folder.h"
#include "script/set_layout.h"

namespace {

using namespace vantrel;

constexpr int kOk = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

std::string programName = "setup32.exe";

void Print(const std::string& win1252Text) {
    std::fputs(ForTerminal(win1252Text).c_str(), stdout);
}

int Fail(const std::vector<std::string>& messages) {
    for (const std::string& m : messages)
        std::fprintf(stderr, "%s: %s\n", programName.c_str(), ForTerminal(m).c_str());
    return kFailure;
}

int Usage(const std::string& message) {
    if (!message.empty())
        std::fprintf(stderr, "%s: %s\n", programName.c_str(), message.c_str());
    std::fprintf(stderr,
                 "usage: %s [/nocopy] [FOLDER]\n"
                 "       %s /install [ROOT] [/type N] [FOLDER]\n"
                 "       %s /uninstall [ROOT]\n",
                 programName.c_str(), programName.c_str(), programName.c_str());
    return kUsage;
}

void PrintLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        Print("  " + line + "\n");
}

// What the command line asks for.
struct Options {
    bool noCopy = false, install = false, uninstall = false;
    // Empty: this machine.
    std::string folder, installRoot, uninstallRoot;
    int installType = 1;
};

// Installs the set read into `report` from `setFolder` into `root` (on
// this machine when it is empty).
int Install(const WInstallReport& report, const std::string& setFolder, const std::string& root,
            int installType) {
    WSandboxInstall install(root);
    if (!install.Install(report, setFolder, installType)) {
        std::vector<std::string> problems = install.Problems();
        if (install.LogMade()) {
            problems.push_back(report.Product().GetDisplayName() +
                               " is not installed completely; " +
                               (root.empty() ? std::string("\"/uninstall\"")
                                             : "\"/uninstall " + DisplayPath(root) + "\"") +
                               " removes what was made");
        }
        return Fail(problems);
    }
    Print("Installed " + report.Product().GetDisplayName() + " " +
          (root.empty() ? std::string("on this machine") : "into " + DisplayPath(root)) +
          Format(" (install type %d)\n", installType));
    PrintLines(install.Done());
    return kOk;
}

// Removes what the install on this machine of the product in `report` made.
int UninstallHere(const WInstallReport& report) {
    WSandboxInstall install({});
    if (!install.Uninstall(report.Product().GetDestination()))
        return Fail(install.Problems());
    Print("Uninstalled " + report.Product().GetDisplayName() + " from this machine\n");
    PrintLines(install.Done());
    return kOk;
}

// What /install or /uninstall does with the set read.
int Act(const Options& options, const WInstallReport& report, const std::string& setFolder) {
    if (options.uninstall)
        return UninstallHere(report);
    return Install(report, setFolder, options.installRoot, options.installType);
}

// A floppy set is unpacked into a private folder, then installed from there.
int InstallFloppy(const WSetFolder& set, const Options& options) {
    const std::string& temp = PrivateTempFolder();
    if (temp.empty())
        return Fail({"no temporary folder to unpack the set in"});
    const std::string unpacked = JoinPath(temp, "set");
    WSetUnpacker unpacker;
    if (!unpacker.Unpack(set.Disks(), JoinPath(temp, "archives"), unpacked))
        return Fail(unpacker.Problems());
    WSetFolder inside;
    inside.Locate({unpacked});
    WInstallReport report;
    if (inside.GetKind() != WSetFolder::kScripts)
        return Fail({"the floppy set holds no Setup\\project.kvz"});
    if (!report.Read(inside))
        return Fail(report.Errors());
    return Act(options, report, unpacked);
}

std::string CurrentFolder() {
    std::error_code ec;
    std::filesystem::path cwd = std::filesystem::current_path(ec);
    std::string path;
    if (ec || !FromNative(cwd, path))
        return {};
    return path;
}

// Reads the arguments into `options`; the exit status when the program ends
// here (help shown, or a usage error), else nothing.
std::optional<int> ParseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        // The folder or number behind an option.
        auto value = [&](std::string& out) {
            if (i + 1 >= argc || !Utf8ToCp1252(argv[i + 1], out) || out.empty())
                return false;
            ++i;
            return true;
        };
        // The root behind /install or /uninstall: none when the arguments
        // end there or an option follows.
        auto root = [&](std::string& out) {
            if (i + 1 >= argc || EqualsNoCase(argv[i + 1], "/type"))
                return true;
            return value(out);
        };
        if (arg == "/?" || arg == "-h" || arg == "--help") {
            std::printf(
                "usage: %s [/nocopy] [FOLDER]\n"
                "Reads the setup set in FOLDER (else the program's own folder or the\n"
                "current folder), checks its scripts and shows what it would install.\n"
                "  /nocopy  test run: the set holds no application files\n"
                "usage: %s /install [ROOT] [/type N] [FOLDER]\n"
                "       %s /uninstall [ROOT]\n"
                "Installs the set into the sandbox folder ROOT (Windows folders mapped\n"
                "below it, the registry in ROOT/Registry, an uninstall log), or removes\n"
                "what ROOT's uninstall log lists. N is the install type (1 to 3).\n"
                "Without ROOT, on Windows: installs the set beside the program on this\n"
                "machine, or removes it again (the log is in its destination folder).\n",
                programName.c_str(), programName.c_str(), programName.c_str());
            return kOk;
        }
        if (EqualsNoCase(arg, "/nocopy") || EqualsNoCase(arg, "-nocopy")) {
            options.noCopy = true;
        } else if (EqualsNoCase(arg, "/install")) {
            options.install = true;
            if (!root(options.installRoot))
                return Usage("/install needs a folder");
        } else if (EqualsNoCase(arg, "/uninstall")) {
            options.uninstall = true;
            if (!root(options.uninstallRoot))
                return Usage("/uninstall needs a folder");
        } else if (EqualsNoCase(arg, "/type")) {
            std::string n;
            if (!value(n) || n.size() != 1 || n[0] < '1' || n[0] > '3')
                return Usage("/type needs an install type 1, 2 or 3");
            options.installType = n[0] - '0';
        } else if (!arg.empty() && arg[0] == '-') {
            // "/..." is a folder here unless it is one of the options above.
            return Usage("unknown option " + arg);
        } else if (options.folder.empty()) {
            if (!Utf8ToCp1252(arg, options.folder) || options.folder.empty())
                return Usage("the folder name " + arg + " cannot be used");
        } else {
            return Usage("more than one folder given");
        }
    }
    return std::nullopt;
}

// /uninstall ROOT.
int UninstallSandbox(const Options& options) {
    if (!options.installRoot.empty() || !options.folder.empty() || options.noCopy)
        return Usage("/uninstall takes no other arguments");
    WSandboxInstall install(AbsolutePath(options.uninstallRoot));
    if (!install.Uninstall())
        return Fail(install.Problems());
    Print("Uninstalled from " + DisplayPath(AbsolutePath(options.uninstallRoot)) + "\n");
    PrintLines(install.Done());
    return kOk;
}

// Reads the set (or the floppy set) in the folder given or found, and shows
// it, installs it (into the sandbox or on this machine) or, on this
// machine, uninstalls it.
int RunSet(Options& options) {
    if (options.install && options.uninstall)
        return Usage("/install and /uninstall exclude each other");
    if ((options.install || options.uninstall) && options.noCopy)
        return Usage("/install and /nocopy exclude each other");
    if (options.uninstall && !options.folder.empty())
        return Usage("/uninstall takes no other arguments");
    std::string why;
    if ((options.install || options.uninstall) && options.installRoot.empty() &&
        !WSandboxInstall::CanInstallOnThisMachine(why))
        return Usage(why);
    if (!options.installRoot.empty())
        options.installRoot = AbsolutePath(options.installRoot);
    const bool act = options.install || options.uninstall;

    WSetFolder set;
    if (!options.folder.empty()) {
        set.Locate({AbsolutePath(options.folder)});
    } else {
        set.Locate({RunningProgramFolder(), CurrentFolder()});
    }

    switch (set.GetKind()) {
        case WSetFolder::kScripts: {
            WInstallReport report;
            if (!report.Read(set))
                return Fail(report.Errors());
            if (act)
                return Act(options, report, set.Root());
            Print(report.Text(options.noCopy));
            return kOk;
        }
        case WSetFolder::kFloppy: {
            if (act)
                return InstallFloppy(set, options);
            WFloppyReport report;
            bool ok = report.Read(set);
            Print(report.Text());
            return ok ? kOk : Fail(report.Errors());
        }
        case WSetFolder::kMissingScripts:
            return Fail({DisplayPath(set.Script(kProductScript)) + " is missing: " +
                         DisplayPath(set.Root()) + " is not a complete setup set"});
        case WSetFolder::kNone:
            break;
    }
    std::vector<std::string> looked;
    for (const std::string& f : set.Looked())
        looked.push_back(DisplayPath(f));
    return Fail({"no setup set found: " +
                 (looked.empty() ? std::string("no folder to look in") : Join(looked, " and ")) +
                 " hold" + (looked.size() == 1 ? "s" : "") +
                 " neither Setup\\project.kvz nor a floppy disk archive (disk001.cfi)"});
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 0 && argv[0] && *argv[0])
        programName = std::filesystem::path(argv[0]).filename().string();
    Options options;
    if (const std::optional<int> status = ParseArguments(argc, argv, options))
        return *status;
    if (options.uninstall && !options.uninstallRoot.empty())
        return UninstallSandbox(options);
    return RunSet(options);
}
