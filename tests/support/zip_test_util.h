// Helpers shared by the archive tests: running outside tools, setting time
// stamps, little-endian fields of archive bytes.
#pragma once

#include <cstdint>
#include <ctime>
#include <random>
#include <string>

#include "platform/file_handle.h"
#include "platform/files.h"
#include "support/test_support.h"

namespace vantrel::test {

struct CommandResult {
    int exitCode = -1;
    std::string output;  // stdout and stderr
};

inline std::string Quote(const std::string& text) {
    std::string q = "'";
    for (char c : text) {
        if (c == '\'') {
            q += "'\\''";
        } else {
            q += c;
        }
    }
    return q + "'";
}

// Runs `command` with the POSIX shell (the outside tools are POSIX ones).
inline CommandResult Run(const std::string& command) {
    const ShellResult r = RunShell(command + " 2>&1");
    return CommandResult{r.status, r.out + r.err};
}

// Whether the POSIX tool `tool` can be run (never where there is no POSIX
// shell).
inline bool HaveTool(const std::string& tool) {
    return HaveShellTool(tool);
}

// Sets the modification time of a file or folder, in seconds since 1970.
inline void SetMTime(const std::string& path, int64_t seconds) {
    FileHandle file;
    if (file.Open(path, FileHandle::Mode::kRead))
        file.SetModified(seconds);
}

// Sets a file's modification time to a local date and time.
inline void SetLocalTime(const std::string& path, int y, int mo, int d, int h, int mi, int s) {
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    SetMTime(path, static_cast<int64_t>(std::mktime(&tm)));
}

inline int64_t MTimeOf(const std::string& path) {
    FileInfo info;
    GetFileInfo(path, info);
    return info.modified;
}

inline uint16_t U16(const std::string& b, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(b.at(at)) |
                                 (static_cast<unsigned char>(b.at(at + 1)) << 8));
}

inline uint32_t U32(const std::string& b, size_t at) {
    return U16(b, at) | (static_cast<uint32_t>(U16(b, at + 2)) << 16);
}

inline void PutU32(std::string& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.at(at + i) = static_cast<char>((v >> (8 * i)) & 0xff);
}

inline std::string RandomBytes(size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (auto& c : s)
        c = static_cast<char>(gen() & 0xff);
    return s;
}

inline std::string TextBytes(size_t n, unsigned seed) {
    static const char* words[] = {"setup ", "file ", "disk ", "archive ", "the ", "of ", "\r\n"};
    std::mt19937 gen(seed);
    std::string s;
    while (s.size() < n)
        s += words[gen() % 7];
    s.resize(n);
    return s;
}

}  // namespace vantrel::test
