// vantrel-cli build PROJECT.zlt --media DIR [--size SIZE] [--clean]: the
// distribution media of a project file, as "Create Media" makes them: one
// folder for a CD or single disk, or numbered floppy folders.
#include <chrono>
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "cli/project_cli.h"
#include "media/media_builder.h"
#include "media/media_plan.h"
#include "platform/files.h"
#include "platform/interrupt_guard.h"
#include "platform/paths.h"
#include "project/project_data.h"

namespace vantrel::cli {
namespace {

// A bar redrawn in place on a terminal; plain lines, one per 5 % of the
// work, when the output goes to a file or a pipe.
class TerminalProgress : public WMediaProgress {
  public:
    TerminalProgress() : terminal_(StdoutIsTerminal()) {}

    void SetOperation(const std::string& text) override {
        operation_ = Out(text);
        Draw(false);
    }
    void SetRange(int upper) override { upper_ = upper > 0 ? upper : 1; }
    void Step() override {
        if (position_ < upper_)
            ++position_;
        Draw(false);
    }
    bool CancelRequested() override { return InterruptGuard::Interrupted(); }
    void ShowError(const std::string&, const std::string& text) override {
        Finish();
        std::fprintf(stderr, "vantrel-cli: %s\n", Out(text).c_str());
    }
    // Ends the bar's line.
    void Finish() {
        if (terminal_ && drawn_) {
            Draw(true);
            std::fputc('\n', stdout);
            std::fflush(stdout);
            drawn_ = false;
        }
    }

  private:
    int Percent() const { return static_cast<int>(100LL * position_ / upper_); }

    void Draw(bool force) {
        const int percent = Percent();
        if (!terminal_) {
            if (percent / 5 != lastPlain_ / 5 || lastPlain_ < 0) {
                lastPlain_ = percent;
                std::printf("%3d%%  %s\n", percent, operation_.c_str());
                std::fflush(stdout);
            }
            return;
        }
        const auto now = std::chrono::steady_clock::now();
        if (!force && drawn_ && now - lastDraw_ < std::chrono::milliseconds(100))
            return;
        lastDraw_ = now;
        drawn_ = true;
        constexpr int kWidth = 30;
        const int filled = percent * kWidth / 100;
        std::string text = operation_;
        if (text.size() > 60)
            text = text.substr(0, 57) + "...";
        std::printf("\r[%s%s] %3d%%  %-60s", std::string(filled, '#').c_str(),
                    std::string(kWidth - filled, '.').c_str(), percent, text.c_str());
        std::fflush(stdout);
    }

    bool terminal_;
    bool drawn_ = false;
    int upper_ = 1;
    int position_ = 0;
    int lastPlain_ = -1;
    std::string operation_;
    std::chrono::steady_clock::time_point lastDraw_{};
};

// What the command line asks for.
struct BuildRequest {
    std::string media;     // the media folder, absolute
    std::string sizeUtf8;  // --size as typed
    bool haveSize = false;
    bool clean = false;
};

// Reads the options and the media folder; the project file is left in
// args.words. kOk, or the exit status after a message.
int ParseBuildArgs(Args& args, BuildRequest& request) {
    bool missing = false;
    std::string mediaUtf8;
    if (!TakeOption(args, "--media", mediaUtf8, &missing) || mediaUtf8.empty()) {
        return UsageError("build", missing ? "--media needs a folder" : "--media DIR is required");
    }
    request.haveSize = TakeOption(args, "--size", request.sizeUtf8, &missing);
    if (missing)
        return UsageError("build", "--size needs a size");
    request.clean = TakeFlag(args, "--clean");
    for (const std::string& word : args.words) {
        if (!word.empty() && word[0] == '-')
            return UsageError("build", "unknown option " + word);
    }
    if (args.words.size() != 1)
        return UsageError("build", args.words.empty() ? "a project file is required"
                                                      : "one project file at a time");

    if (!EngineArg(mediaUtf8, request.media, "the media folder name"))
        return kFailure;
    request.media = WMediaPlan::CleanMediaFolder(request.media);
    if (!request.media.empty())
        request.media = AbsolutePath(request.media);
    return kOk;
}

// The plan for the project's files and the chosen medium, printed, and the
// medium size checked. kOk, or the exit status after a message.
int PlanBuild(WProjectData& project, const BuildRequest& request, WMediaPlan& plan) {
    plan.TakeFromProject(project);
    if (request.haveSize && !plan.ParseSize(request.sizeUtf8)) {
        return UsageError("build", "unknown size " + request.sizeUtf8 +
                                       " (720KB, 1.44MB, 2.88MB, 100MB, 250MB, 640MB, or a "
                                       "custom size NKB or NMB)");
    }
    plan.Gather(project);
    plan.Recompute(project);
    const std::string sizeName = plan.Selection() == WMediaPlan::kCustomEntry
                                     ? plan.CustomText() + " " + plan.CustomUnit()
                                     : MediaSizeEntries[plan.Selection()].text;
    std::printf("%s\n", Out(plan.SizeText()).c_str());
    if (plan.IsFloppy()) {
        std::printf("Medium: %s disks: floppy set\n%s\n", Out(sizeName).c_str(),
                    Out(plan.EstimateText()).c_str());
    } else {
        std::printf("Medium: %s: single disk or CD\n", Out(sizeName).c_str());
    }
    std::printf("%s\n", Out(plan.ComponentsText()).c_str());
    std::fflush(stdout);

    const WMediaCheck size = plan.ValidateMediaSize(project);
    if (!size.Ok()) {
        const std::string message = Out(size.message) + " (" + Out(sizeName) + ")";
        return request.haveSize ? UsageError("build", message) : Fail(message);
    }
    return kOk;
}

// The media folder's checks, and an existing setup in it removed (--clean)
// or reported. kOk, or kFailure after a message.
int PrepareMediaFolder(const WMediaPlan& plan, const BuildRequest& request) {
    const std::string& media = request.media;
    const WMediaCheck folder = plan.CheckMediaFolder(media);
    if (!folder.Ok())
        return Fail(Out(folder.message) + " (" + Out(DisplayPath(media)) + ")");
    if (IsFile(media))
        return Fail(Out(DisplayPath(media)) + " is a file, not a folder");
    if (!WMediaPlan::HasExistingSetup(media))
        return kOk;
    if (request.clean) {
        if (!WMediaPlan::ClearFolder(media))
            return Fail("cannot remove the existing setup in " + Out(DisplayPath(media)));
        std::printf("Removed the existing setup in %s\n", Out(DisplayPath(media)).c_str());
    } else {
        std::printf(
            "%s holds a setup already; what that set made there is removed first (files of "
            "your own stay)\n",
            Out(DisplayPath(media)).c_str());
    }
    return kOk;
}

// Runs the media builder with a progress bar; Ctrl-C stops it after the
// current file (or within the member being packed) and takes back what it
// wrote. kOk, or kFailure after a message.
int WriteMedia(WProjectData& project, const std::string& media) {
    TerminalProgress progress;
    bool ok;
    std::string logPath, error;
    {
        InterruptGuard guard;
        WMediaBuilder builder(project, progress);
        ok = builder.Run();
        progress.Finish();
        logPath = builder.LogPath();
        error = builder.ErrorText();
        if (builder.Cancelled())
            error = "cancelled: " + builder.CancelOutcome() + " (" + DisplayPath(media) + ")";
    }
    if (ok) {
        std::printf("Media created in %s\n", Out(DisplayPath(media)).c_str());
    } else {
        Fail("the media were not created completely: " + Out(error));
    }
    if (IsFile(logPath))
        std::printf("Log: %s\n", Out(DisplayPath(logPath)).c_str());
    return ok ? kOk : kFailure;
}

int RunBuild(Args& args) {
    BuildRequest request;
    if (int rc = ParseBuildArgs(args, request); rc != kOk)
        return rc;

    WProjectData project;
    if (int rc = OpenProjectForMedia(args, args.words[0], project); rc != kOk)
        return rc;

    WMediaPlan plan;
    if (int rc = PlanBuild(project, request, plan); rc != kOk)
        return rc;
    if (int rc = PrepareMediaFolder(plan, request); rc != kOk)
        return rc;
    plan.HandOver(project, request.media);
    return WriteMedia(project, request.media);
}

Registrar reg{{"build", "build PROJECT.zlt --media DIR [--size SIZE] [--clean]",
               "create the distribution media in DIR (SIZE: 720KB, 1.44MB, 2.88MB, 100MB, 250MB, "
               "640MB, or NKB / NMB; default: the project's size)",
               &RunBuild}};

}  // namespace
}  // namespace vantrel::cli
