#include "support/test_support.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/temp_folder.h"

namespace vantrel::test {

ScratchFolder::ScratchFolder() {
    path_ = PrivateTempPath("scratch", "");
    MakeFolders(path_);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

std::string ScratchFolder::operator/(const std::string& name) const { return JoinPath(path_, name); }

std::string ScratchFolder::Write(const std::string& name, const std::string& bytes) const {
    std::string p = *this / name;
    MakeFolders(FolderOf(p));
    WriteBytes(p, bytes);
    return p;
}

std::string ScratchFolder::Read(const std::string& name) const { return ReadBytes(*this / name); }

std::string ReadBytes(const std::string& path) {
    std::string out;
    EXPECT_TRUE(ReadWholeFile(path, out)) << path;
    return out;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    ASSERT_TRUE(WriteFileAtomic(path, bytes)) << path;
}

ScratchRegistry::ScratchRegistry(const std::string& folder)
    : machineFile(JoinPath(folder, "machine.reg")), userFile(JoinPath(folder, "user.reg")) {
    SetRegistry(std::make_unique<RegFileStore>(machineFile, userFile));
}

ScratchRegistry::~ScratchRegistry() { SetRegistry(nullptr); }

}  // namespace vantrel::test
