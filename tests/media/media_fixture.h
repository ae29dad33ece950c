// A small installation and project for the media builder's tests: engine
// files in Distrib and Distrib\Setup, installation files of a standard
// component, and the application's own files in a source folder.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "elements/setup_element.h"
#include "media/media_builder.h"
#include "media/media_plan.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "project/file_elements.h"
#include "project/project_data.h"
#include "support/test_support.h"
#include "support/zip_test_util.h"

namespace vantrel::test {

// Sets an environment variable for the life of the object.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        SetEnvVar(name, value.c_str());
    }
    ~ScopedEnv() { SetEnvVar(name_, nullptr); }

  private:
    const char* name_;
};

// Records what the job reports; cancels after `cancelAfter` polls when set.
class RecordingProgress : public WMediaProgress {
  public:
    void SetOperation(const std::string& text) override { operations.push_back(text); }
    void SetRange(int upper) override { range = upper; }
    void Step() override { ++steps; }
    bool CancelRequested() override { return cancelAfter >= 0 && ++polls > cancelAfter; }
    void ShowError(const std::string& caption, const std::string& text) override {
        errors.push_back(caption + "|" + text);
    }

    std::vector<std::string> operations;
    std::vector<std::string> errors;
    int range = -1;
    int steps = 0;
    int polls = 0;
    int cancelAfter = -1;
};

class MediaFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        install = dir / "install";
        app = dir / "app";
        media = dir / "media";
        dir.Write("install/Distrib/setup32.exe", "engine start program");
        dir.Write("install/Distrib/autorun.inf", "[autorun]\r\nopen=setup32.exe\r\n");
        dir.Write("install/Distrib/Setup/setup.exe", "floppy start program");
        dir.Write("install/Distrib/Setup/Swintlen.dll", std::string(3000, 'e'));
        dir.Write("install/Distrib/Setup/Box.id", "box");
        dir.Write("install/System/shared.dll", "shared from the installation");
        dir.Write("install/Fonts/sans.ttf", "font");
        project = std::make_unique<WProjectData>();
        project->SetInstallLocationOverride(install);
        project->Reset();
        distrib = project->Components()->Add("Distrib", 0);
    }

    // A file of a standard component, found below the installation folder.
    WSetupElement* AddInstallFile(WSetupComponent* component, const std::string& sourceName,
                                  int type = kElementFile) {
        auto element = CreateElement(type);
        element->SetSourceName(sourceName);
        long long size = FileSizeOf(JoinPath(install, ReplaceSlashes(sourceName)));
        element->SetSize(size > 0 ? static_cast<double>(size) : 0.0);
        return component->AddElement(std::move(element));
    }

    // One of the application's files: written below the source folder and
    // added to "Program_files" as the files page adds it.
    WSetupElement* AddAppFile(const std::string& relative, const std::string& bytes) {
        std::string path = dir.Write("app/" + relative, bytes);
        project->DefaultFolder = app;
        return project->ProgramFilesComponent()->AddElement(
            NewFileElement(path, relative, "<D>", FileNameOf(relative)));
    }

    // What the finish page does before "Create Media".
    void Plan(const std::string& size) {
        WMediaPlan plan;
        ASSERT_TRUE(plan.ParseSize(size)) << size;
        plan.Gather(*project);
        plan.Recompute();
        ASSERT_TRUE(plan.ValidateMediaSize(*project).Ok());
        request = plan.Request(*project, media);
    }

    bool Build(RecordingProgress& progress) {
        WMediaBuilder builder(*project, request, progress);
        bool ok = builder.Run();
        logPath = builder.LogPath();
        errorText = builder.ErrorText();
        return ok;
    }

    // setup.log without its first line (the time).
    std::vector<std::string> LogLines(const std::string& path) {
        std::string text = ReadBytes(path);
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t p; (p = text.find("\r\n", start)) != std::string::npos; start = p + 2)
            lines.push_back(text.substr(start, p - start));
        EXPECT_EQ(start, text.size()) << "the log ends with CR LF";
        if (!lines.empty())
            lines.erase(lines.begin());
        return lines;
    }

    static std::string ReplaceSlashes(std::string s) {
        for (char& c : s) {
            if (c == '\\')
                c = '/';
        }
        return s;
    }

    ScratchFolder dir;
    std::string install, app, media;
    std::unique_ptr<WProjectData> project;
    WSetupComponent* distrib = nullptr;
    std::string logPath, errorText;
    // What Plan worked out for the build.
    WBuildRequest request;
};

}  // namespace vantrel::test
