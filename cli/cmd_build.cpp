// vantrel-cli build PROJECT.zlt --media DIR [--size SIZE] [--clean]: the
// distribution media of a project file, as "Create Media" makes them: one
// folder for a CD or single disk, or numbered floppy folders.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "cli/json_writer.h"
#include "cli/project_cli.h"
#include "media/media_build.h"
#include "media/media_builder.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/interrupt_guard.h"
#include "platform/paths.h"
#include "project/project_data.h"

namespace vantrel::cli {
namespace {

// A bar redrawn in place on the terminal of stderr, as wide as the
// terminal; plain lines, one per 5 % of the work, when stderr goes to a file
// or a pipe, and with -v one for each operation too. Nothing with -q. Standard output
// keeps only the results.
class TerminalProgress : public WMediaProgress {
  public:
    TerminalProgress()
        : terminal_(StderrIsTerminal() && !Settings().verbose), quiet_(Settings().quiet) {}

    void SetOperation(const std::string& text) override {
        const bool changed = operation_ != Out(text);
        operation_ = Out(text);
        Draw(false, changed && Settings().verbose);
    }
    void SetRange(int upper) override { upper_ = upper > 0 ? upper : 1; }
    void Step() override {
        if (position_ < upper_)
            ++position_;
        Draw(false, false);
    }
    bool CancelRequested() override { return InterruptGuard::Interrupted(); }
    void ShowError(const std::string&, const std::string& text) override {
        Finish();
        std::fprintf(stderr, "vantrel-cli: %s\n", Out(text).c_str());
    }
    // Ends the bar's line.
    void Finish() {
        if (terminal_ && drawn_) {
            Draw(true, false);
            std::fputc('\n', stderr);
            drawn_ = false;
        }
    }

  private:
    int Percent() const { return static_cast<int>(100LL * position_ / upper_); }

    void Draw(bool force, bool newOperation) {
        if (quiet_)
            return;
        const int percent = Percent();
        if (!terminal_) {
            if (percent / 5 != lastPlain_ / 5 || lastPlain_ < 0 || newOperation) {
                lastPlain_ = percent;
                std::fprintf(stderr, "%3d%%  %s\n", percent, operation_.c_str());
            }
            return;
        }
        const auto now = std::chrono::steady_clock::now();
        if (!force && drawn_ && now - lastDraw_ < std::chrono::milliseconds(100))
            return;
        lastDraw_ = now;
        drawn_ = true;
        // "[####....] 100%  text", one column short of the width so that the
        // terminal never wraps the line.
        const int columns = std::max(20, TerminalColumns()) - 1;
        const int barWidth = std::clamp(columns / 4, 10, 30);
        const int filled = percent * barWidth / 100;
        const size_t textColumns = static_cast<size_t>(std::max(0, columns - barWidth - 9));
        std::string text = FitUtf8(operation_, textColumns);
        text.append(textColumns - std::min(textColumns, Utf8Length(text)), ' ');
        std::fprintf(stderr, "\r[%s%s] %3d%%  %s", std::string(filled, '#').c_str(),
                     std::string(barWidth - filled, '.').c_str(), percent, text.c_str());
        std::fflush(stderr);
    }

    static size_t Utf8Length(const std::string& text) {
        size_t n = 0;
        for (unsigned char c : text)
            n += (c & 0xC0) != 0x80;
        return n;
    }

    bool terminal_;
    bool quiet_;
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
    bool json = false;  // the plan and the result as one JSON document on stdout
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
    request.json = TakeFlag(args, "--json");
    if (int rc = RefuseUnknownOptions("build", args); rc != kOk)
        return rc;
    if (args.words.size() != 1)
        return UsageError("build", args.words.empty() ? "a project file is required"
                                                      : "one project file at a time");

    if (!Win1252Arg(mediaUtf8, request.media, "the media folder name"))
        return kFailure;
    request.media = WMediaPlan::CleanMediaFolder(request.media);
    if (!request.media.empty())
        request.media = AbsolutePath(request.media);
    return kOk;
}

// What a build did, for the JSON document.
struct BuildReport {
    std::string sizeName;  // "1.44 MB", "700 KB"
    bool planned = false;  // the plan was made
    bool created = false;
    bool cancelled = false;
    std::string error;  // UTF-8
    std::string log;    // the log file, UTF-8 display path
};

// The disk folders of a built set with their files and bytes (the media
// folder itself for a single disk).
void WriteDisks(JsonWriter& j, const WMediaPlan& plan, const std::string& media) {
    std::vector<std::string> folders;
    if (plan.IsFloppy()) {
        for (const std::string& name : ListFolder(media, false, true)) {
            if (WMediaBuilder::IsDiskFolderName(name))
                folders.push_back(JoinPath(media, name));
        }
    } else if (IsFolder(media)) {
        folders.push_back(media);
    }
    j.BeginArray();
    for (const std::string& folder : folders) {
        int64_t files = 0;
        double bytes = 0;
        std::vector<std::string> pending{folder};
        while (!pending.empty()) {
            const std::string at = pending.back();
            pending.pop_back();
            for (const std::string& name : ListFolder(at, true, true)) {
                const std::string path = JoinPath(at, name);
                if (IsFolder(path)) {
                    pending.push_back(path);
                } else {
                    ++files;
                    bytes += static_cast<double>(std::max(0LL, FileSizeOf(path)));
                }
            }
        }
        j.BeginObject().Key("folder").String(Out(DisplayPath(folder)));
        j.Key("files").Number(files).Key("bytes").Number(bytes).EndObject();
    }
    j.EndArray();
}

// The stable "vantrel-build" JSON document: the plan and the result.
std::string BuildJson(const WProjectData& project, const WMediaPlan& plan,
                      const BuildRequest& request, const BuildReport& report) {
    JsonWriter j;
    j.BeginObject().Key("format").String("vantrel-build").Key("version").Number(int64_t{1});
    j.Key("project").String(Out(DisplayPath(project.ProjectFile)));
    j.Key("media").String(Out(DisplayPath(request.media)));
    j.Key("plan");
    if (report.planned) {
        j.BeginObject();
        j.Key("fileSetBytes").Number(plan.FileSetSize());
        j.Key("medium").String(Out(report.sizeName));
        j.Key("mediumBytes").Number(plan.Capacity());
        j.Key("floppySet").Bool(plan.IsFloppy());
        j.Key("estimatedDisks").Number(int64_t{plan.IsFloppy() ? plan.EstimatedDisks() : 1});
        j.Key("components").BeginArray();
        for (const std::string& c : plan.ShippingComponents())
            j.String(Out(c));
        j.EndArray().EndObject();
    } else {
        j.Null();
    }
    j.Key("result").BeginObject();
    j.Key("created").Bool(report.created);
    j.Key("cancelled").Bool(report.cancelled);
    j.Key("error").StringOrNull(report.error);
    j.Key("log").StringOrNull(report.log);
    j.Key("disks");
    if (report.created)
        WriteDisks(j, plan, request.media);
    else
        j.BeginArray().EndArray();
    j.EndObject().EndObject();
    return j.Text();
}

// The terminal's side of a build: the plan printed as it is worked out, and
// a setup already in the media folder removed first (with --clean it is said
// once it is gone).
class BuildProgress : public TerminalProgress {
  public:
    BuildProgress(const std::string& media, bool clean, bool json)
        : media_(media), clean_(clean), json_(json) {}

    // The plan was worked out (and shown, unless the JSON document says it).
    bool Planned() const { return planned_; }

    void ShowPlan(const WMediaPlan& plan) override {
        planned_ = true;
        if (json_)
            return;
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
            Say(Out(DisplayPath(media_)) +
                " holds a setup already; what that set made there is removed first (files of "
                "your own stay)");
        }
        return ExistingSetup::kRemove;
    }
    // The builder starts only once the earlier set is gone.
    void StartAnimation() override {
        if (clean_ && removing_)
            Say("Removed the existing setup in " + Out(DisplayPath(media_)));
        std::fflush(stdout);
    }

    static std::string SizeName(const WMediaPlan& plan) {
        return plan.Selection() == WMediaPlan::kCustomEntry
                   ? plan.CustomText() + " " + plan.CustomUnit()
                   : MediaSizeEntries[plan.Selection()].text;
    }

  private:
    // A line for the user: on stdout, or as a note on stderr when stdout
    // carries the JSON document.
    void Say(const std::string& line) const {
        if (json_)
            Note(line);
        else
            std::printf("%s\n", line.c_str());
    }

    std::string media_;
    bool clean_;
    bool json_;
    bool planned_ = false;
    bool removing_ = false;
};

// What became of the build: said on stdout, or kept in `report` for the JSON
// document; a failure goes to stderr either way.
int Report(const WMediaBuildResult& result, const WMediaPlan& plan, const BuildRequest& request,
           BuildReport& report) {
    using Stage = WMediaBuildResult::Stage;
    const std::string media = Out(DisplayPath(result.mediaFolder));
    auto fail = [&report](const std::string& message) {
        report.error = message;
        return Fail(message);
    };
    switch (result.stage) {
        case Stage::kFolder:
            if (result.folderIsFile)
                return fail(media + " is a file, not a folder");
            return fail(Out(result.message) + " (" + media + ")");
        case Stage::kSize: {
            report.error = Out(result.message) + " (" + Out(BuildProgress::SizeName(plan)) + ")";
            return request.haveSize ? UsageError("build", report.error) : Fail(report.error);
        }
        case Stage::kInstallation:
            return fail(Out(result.message));
        case Stage::kExistingSetup:
            return fail("cannot remove the existing setup in " + media +
                        (result.message.empty() ? "" : ": " + Out(result.message)));
        case Stage::kBuild:
        case Stage::kVerify:
            break;
    }
    report.created = result.ok;
    report.cancelled = result.cancelled;
    if (result.ok) {
        if (!request.json)
            std::printf("Media created in %s\n", media.c_str());
    } else if (result.cancelled) {
        fail("the media were not created completely: cancelled: " + Out(result.cancelOutcome) +
             " (" + media + ")");
    } else {
        fail("the media were not created completely: " + Out(result.message));
    }
    if (IsFile(result.logPath)) {
        report.log = Out(DisplayPath(result.logPath));
        if (!request.json)
            std::printf("Log: %s\n", report.log.c_str());
    }
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
    BuildReport report;
    plan.TakeFromProject(project);
    int rc = kOk;
    if (request.haveSize && !plan.ParseSize(request.sizeUtf8)) {
        report.error = "unknown size " + request.sizeUtf8 +
                       " (720KB, 1.44MB, 2.88MB, 100MB, 250MB, 640MB, or a custom size NKB or "
                       "NMB)";
        rc = UsageError("build", report.error);
    } else {
        // Ctrl-C stops the build after the current file (or within the member
        // being packed) and takes back what it wrote.
        BuildProgress progress(request.media, request.clean, request.json);
        WMediaBuildResult result;
        {
            InterruptGuard guard;
            WMediaBuildOptions options;
            options.mediaFolder = request.media;
            result = BuildMedia(project, plan, options, progress);
            progress.Finish();
        }
        report.planned = progress.Planned();
        if (report.planned)
            report.sizeName = BuildProgress::SizeName(plan);
        rc = Report(result, plan, request, report);
    }
    // The document also when the build was refused: CI reads why.
    if (request.json)
        std::fputs(BuildJson(project, plan, request, report).c_str(), stdout);
    return rc;
}

Registrar reg{{"build", "build PROJECT.zlt --media DIR [--size SIZE] [--clean] [--json]",
               "create the distribution media in DIR (SIZE: 720KB, 1.44MB, 2.88MB, 100MB, 250MB, "
               "640MB, or NKB / NMB; default: the project's size); the progress goes to stderr",
               &RunBuild,
               "  --media DIR    the folder that receives the media (required)\n"
               "  --size SIZE    720KB, 1.44MB, 2.88MB, 100MB, 250MB, 640MB, or NKB / NMB\n"
               "  --clean        remove a setup already in DIR first, and say so\n"
               "  --json         the plan and the result as one JSON document on stdout\n"
               "                 (format \"vantrel-build\"); messages stay on stderr\n"}};

}  // namespace
}  // namespace vantrel::cli
