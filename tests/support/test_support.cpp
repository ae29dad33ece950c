#include "support/test_support.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/temp_folder.h"

namespace vantrel::test {

ScratchFolder::ScratchFolder() {
    path_ = PrivateTempPath("scratch", "");
    MakeFolders(path_);
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
}

std::string ScratchFolder::operator/(const std::string& name) const {
    return JoinPath(path_, name);
}

std::string ScratchFolder::Write(const std::string& name, const std::string& bytes) const {
    std::string p = *this / name;
    MakeFolders(FolderOf(p));
    WriteBytes(p, bytes);
    return p;
}

std::string ScratchFolder::Read(const std::string& name) const {
    return ReadBytes(*this / name);
}

std::string ReadBytes(const std::string& path) {
    std::string out;
    EXPECT_TRUE(ReadWholeFile(path, out)) << path;
    return out;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    ASSERT_TRUE(WriteFileAtomic(path, bytes)) << path;
}

void WriteMinimalComps(const ScratchFolder& dir, const std::string& installFolder) {
    for (const char* name :
         {"Distrib", "TY9_Framework", "TY9Run_Program", "Uninstall", "OnDmndBDE", "SQL_syb",
          "SQL_ssc", "SQL_ora", "SQL_mss", "SQL_inf", "SQL_int", "SQL_db"}) {
        dir.Write(installFolder + "/Comps/" + name + ".kvz", std::string("[Identification.0]\r\n") +
                                                                 name + ",111,<D>,0,0,,0," + name +
                                                                 ",,,,,,0,,,,\r\n");
    }
}

void CopyEngines(const ScratchFolder& dir, const std::string& from,
                 const std::string& installFolder) {
    for (const char* engine : {"Distrib/setup32.exe", "Distrib/Setup/setup.exe"}) {
        const std::string copy =
            dir.Write(installFolder + "/" + engine, ReadBytes(from + "/" + std::string(engine)));
        SetFilePermissions(copy, 0755);
    }
}

long long FloppyKbFor(const ScratchFolder& dir, const std::string& installFolder,
                      long long minimumKb) {
    const long long engine = FileSizeOf(dir / (installFolder + "/Distrib/Setup/setup.exe"));
    return std::max(minimumKb, (engine + 200000) / 1000 + 1);
}

std::vector<std::string> SplitShellWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\n') {
            if (inWord)
                words.push_back(std::exchange(word, std::string()));
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '\'') {
            const size_t end = text.find('\'', i + 1);
            word += text.substr(i + 1, end - i - 1);
            i = end == std::string::npos ? text.size() : end;
        } else if (c == '"') {
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                if (text[i] == '\\' && i + 1 < text.size() &&
                    std::string("$`\"\\\n").find(text[i + 1]) != std::string::npos)
                    ++i;
                word += text[i];
            }
        } else if (c == '\\' && i + 1 < text.size()) {
            word += text[++i];
        } else {
            word += c;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

ScratchRegistry::ScratchRegistry(const std::string& folder)
    : machineFile(JoinPath(folder, "machine.reg")), userFile(JoinPath(folder, "user.reg")) {
    SetRegistry(std::make_unique<RegFileStore>(machineFile, userFile));
}

ScratchRegistry::~ScratchRegistry() {
    SetRegistry(nullptr);
}

}  // namespace vantrel::test
