// vantrel-cli build PROJECT.zlt --media DIR [--size SIZE] [--clean]: the
// distribution media of a project file, as "Create Media" makes them: one
// folder for a CD or single disk, or numbered floppy folders.
#include <chrono>
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "cli/project_cli.h"
#include "media/media_build.h"
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

// The terminal's side of a build: the plan printed as it is worked out, and
// a setup already in the media folder removed first (with --clean it is said
// once it is gone).
class BuildProgress : public TerminalProgress {
  public:
    BuildProgress(const std::string& media, bool clean) : media_(media), clean_(clean) {}

    void ShowPlan(const WMediaPlan& plan) override {
        std::printf("%s\n", Out(plan.SizeText()).c_str());
        if (plan.IsFloppy()) {
            std::printf("Medium: %s disks: floppy set\n%s\n", Out(SizeName(plan)).c_str(),
                        Out(plan.EstimateText()).c_str());
        } else {
            std::printf("Medium: %s: single disk or CD\n", Out(SizeName(plan)).c_str());
        }
        std::printf("%s\n", Out(plan.ComponentsText()).c_str());
        std::fflush(stdout);
    }
    ExistingSetup AskExistingSetup(const std::string&) override {
        removing_ = true;
        if (!clean_) {
            std::printf(
                "%s holds a setup already; what that set made there is removed first (files of "
                "your own stay)\n",
                Out(DisplayPath(media_)).c_str());
        }
        return ExistingSetup::kRemove;
    }
    // The builder starts only once the earlier set is gone.
    void StartAnimation() override {
        if (clean_ && removing_)
            std::printf("Removed the existing setup in %s\n", Out(DisplayPath(media_)).c_str());
        std::fflush(stdout);
    }

    static std::string SizeName(const WMediaPlan& plan) {
        return plan.Selection() == WMediaPlan::kCustomEntry
                   ? plan.CustomText() + " " + plan.CustomUnit()
                   : MediaSizeEntries[plan.Selection()].text;
    }

  private:
    std::string media_;
    bool clean_;
    bool removing_ = false;
};

// What became of the build, said on stdout or as the failure on stderr.
int Report(const WMediaBuildResult& result, const WMediaPlan& plan, const BuildRequest& request) {
    using Stage = WMediaBuildResult::Stage;
    const std::string media = Out(DisplayPath(result.mediaFolder));
    switch (result.stage) {
        case Stage::kFolder:
            if (result.folderIsFile)
                return Fail(media + " is a file, not a folder");
            return Fail(Out(result.message) + " (" + media + ")");
        case Stage::kSize: {
            const std::string message =
                Out(result.message) + " (" + Out(BuildProgress::SizeName(plan)) + ")";
            return request.haveSize ? UsageError("build", message) : Fail(message);
        }
        case Stage::kInstallation:
            return Fail(Out(result.message));
        case Stage::kExistingSetup:
            return Fail("cannot remove the existing setup in " + media +
                        (result.message.empty() ? "" : ": " + Out(result.message)));
        case Stage::kBuild:
        case Stage::kVerify:
            break;
    }
    if (result.ok) {
        std::printf("Media created in %s\n", media.c_str());
    } else if (result.cancelled) {
        Fail("the media were not created completely: cancelled: " + Out(result.cancelOutcome) +
             " (" + media + ")");
    } else {
        Fail("the media were not created completely: " + Out(result.message));
    }
    if (IsFile(result.logPath))
        std::printf("Log: %s\n", Out(DisplayPath(result.logPath)).c_str());
    return result.ok ? kOk : kFailure;
}

int RunBuild(Args& args) {
    BuildRequest request;
    if (int rc = ParseBuildArgs(args, request); rc != kOk)
        return rc;

    WProjectData project;
    if (int rc = OpenProjectForMedia(args, args.words[0], project); rc != kOk)
        return rc;

    WMediaPlan plan;
    plan.TakeFromProject(project);
    if (request.haveSize && !plan.ParseSize(request.sizeUtf8)) {
        return UsageError("build", "unknown size " + request.sizeUtf8 +
                                       " (720KB, 1.44MB, 2.88MB, 100MB, 250MB, 640MB, or a "
                                       "custom size NKB or NMB)");
    }
    // Ctrl-C stops the build after the current file (or within the member
    // being packed) and takes back what it wrote.
    BuildProgress progress(request.media, request.clean);
    WMediaBuildResult result;
    {
        InterruptGuard guard;
        WMediaBuildOptions options;
        options.mediaFolder = request.media;
        result = BuildMedia(project, plan, options, progress);
        progress.Finish();
    }
    return Report(result, plan, request);
}

Registrar reg{{"build", "build PROJECT.zlt --media DIR [--size SIZE] [--clean]",
               "create the distribution media in DIR (SIZE: 720KB, 1.44MB, 2.88MB, 100MB, 250MB, "
               "640MB, or NKB / NMB; default: the project's size)",
               &RunBuild}};

}  // namespace
}  // namespace vantrel::cli
