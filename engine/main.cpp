// The sample setup engine: installed as "setup32.exe" (and as the floppy
// start program "setup.exe") in the sample installation's "Distrib" folder,
// so that media built here and test runs have an engine to start. It reads
// and checks the set's scripts and shows what the setup would install; it
// never writes anything (the set may lie on a read-only disk).
//
//   setup32.exe [/nocopy] [FOLDER]
//
// The set is FOLDER when given, else the program's own folder or, failing
// that, the current folder. Exit status: 0 when the set was read, 1 when a
// script is missing, unreadable or fails verification, 2 for a usage error.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/floppy_report.h"
#include "engine/install_report.h"
#include "engine/report_text.h"
#include "engine/set_folder.h"
#include "platform/encoding.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/strings.h"
#include "script/set_layout.h"

namespace {

using namespace vantrel;

constexpr int kOk = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

std::string programName = "setup32.exe";

void Print(const std::string& engineText) {
    std::fputs(ForTerminal(engineText).c_str(), stdout);
}

int Fail(const std::vector<std::string>& messages) {
    for (const std::string& m : messages)
        std::fprintf(stderr, "%s: %s\n", programName.c_str(), ForTerminal(m).c_str());
    return kFailure;
}

int Usage(const std::string& message) {
    if (!message.empty())
        std::fprintf(stderr, "%s: %s\n", programName.c_str(), message.c_str());
    std::fprintf(stderr, "usage: %s [/nocopy] [FOLDER]\n", programName.c_str());
    return kUsage;
}

std::string CurrentFolder() {
    std::error_code ec;
    std::filesystem::path cwd = std::filesystem::current_path(ec);
    std::string path;
    if (ec || !FromNative(cwd, path))
        return {};
    return path;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 0 && argv[0] && *argv[0])
        programName = std::filesystem::path(argv[0]).filename().string();

    bool noCopy = false;
    std::string folder;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "/?" || arg == "-h" || arg == "--help") {
            std::printf(
                "usage: %s [/nocopy] [FOLDER]\n"
                "Reads the setup set in FOLDER (else the program's own folder or the\n"
                "current folder), checks its scripts and shows what it would install.\n"
                "  /nocopy  test run: the set holds no application files\n",
                programName.c_str());
            return kOk;
        }
        if (EqualsNoCase(arg, "/nocopy") || EqualsNoCase(arg, "-nocopy")) {
            noCopy = true;
        } else if (!arg.empty() && arg[0] == '-') {
            // "/..." is a folder here unless it is one of the options above.
            return Usage("unknown option " + arg);
        } else if (folder.empty()) {
            if (!Utf8ToCp1252(arg, folder) || folder.empty())
                return Usage("the folder name " + arg + " cannot be used");
        } else {
            return Usage("more than one folder given");
        }
    }

    WSetFolder set;
    if (!folder.empty()) {
        set.Locate({AbsolutePath(folder)});
    } else {
        set.Locate({RunningProgramFolder(), CurrentFolder()});
    }

    switch (set.GetKind()) {
        case WSetFolder::kScripts: {
            WInstallReport report;
            if (!report.Read(set))
                return Fail(report.Errors());
            Print(report.Text(noCopy));
            return kOk;
        }
        case WSetFolder::kFloppy: {
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
