// The project-file loader: any file opens or is refused with a reason, and
// leaves nothing behind in the private temporary folder. A project that
// opens saves; the saved file opens again and saves to the same members:
// save, open and save keep every value.
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "archive/al_entry.h"
#include "archive/zip_reader.h"
#include "fuzz/fuzz_support.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/temp_folder.h"
#include "project/project_data.h"
#include "project/project_file.h"
#include "scriptfile/script_header.h"

using namespace vantrel;

namespace {

std::string g_install;

// The members of a saved project file, extracted, with the project script's
// header block (its time stamp) left out.
std::string MembersOf(const std::string& archive, const std::string& folder) {
    ALZipReader reader(archive);
    ALEntryList list;
    FUZZ_CHECK(reader.ReadDirectory(list) == 0, archive);
    FUZZ_CHECK(reader.Extract(list, folder) == 0, archive);
    std::string all;
    for (const std::string& name : fuzz::TreeBelow(folder)) {
        std::string text;
        FUZZ_CHECK(ReadWholeFile(JoinPath(folder, name), text), name);
        const std::string end = std::string("[") + WScriptHeader::kEndName + "]";
        if (name == "project.kvz" && text.find(end) != std::string::npos)
            text = text.substr(text.find(end));
        all += "--- " + name + "\n" + text + "\n";
    }
    return all;
}

std::unique_ptr<WProjectData> NewProject() {
    auto p = std::make_unique<WProjectData>();
    p->SetInstallLocationOverride(g_install);
    p->Reset();
    return p;
}

std::string SaveAs(WProjectData& project, const std::string& path) {
    std::string error, written;
    FUZZ_CHECK(WriteProjectFile(project, path, &error, &written), error);
    return written;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A sample installation with no components and a registry of our own,
    // removed at exit.
    struct Base {
        std::string path =
            (std::filesystem::temp_directory_path() / "vantrel-fuzz-install-XXXXXX").string();
        Base() { FUZZ_CHECK(::mkdtemp(path.data()) != nullptr, path); }
        ~Base() { RemoveTree(path); }
    };
    static Base base;
    g_install = JoinPath(base.path, "install");
    FUZZ_CHECK(MakeFolders(JoinPath(g_install, "Comps")), g_install);
    FUZZ_CHECK(MakeFolders(JoinPath(g_install, "MySetup")), g_install);
    SetRegistry(std::make_unique<RegFileStore>(JoinPath(base.path, "machine.reg"),
                                               JoinPath(base.path, "user.reg")));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string scratch = fuzz::CleanScratchFolder();
    const std::string input = JoinPath(scratch, "in.zlt");
    fuzz::WriteInput(input, fuzz::AsText(data, size));
    const auto tempBefore = fuzz::TreeBelow(PrivateTempFolder());

    auto opened = NewProject();
    std::string error;
    const bool ok = LoadProjectFile(*opened, input, &error);
    FUZZ_CHECK(fuzz::TreeBelow(PrivateTempFolder()) == tempBefore, "left in the temporary folder");
    if (!ok) {
        FUZZ_CHECK(!error.empty(), "refused without a reason");
        return 0;
    }

    const std::string first = SaveAs(*opened, JoinPath(scratch, "first.zlt"));
    auto again = NewProject();
    FUZZ_CHECK(LoadProjectFile(*again, first, &error), error);
    const std::string second = SaveAs(*again, JoinPath(scratch, "second.zlt"));
    const std::string a = MembersOf(first, JoinPath(scratch, "first"));
    const std::string b = MembersOf(second, JoinPath(scratch, "second"));
    FUZZ_CHECK(a == b, "saved again differently:\n" + a + "\n=====\n" + b);
    FUZZ_CHECK(fuzz::TreeBelow(PrivateTempFolder()) == tempBefore, "left in the temporary folder");
    return 0;
}
