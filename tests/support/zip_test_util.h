// Helpers shared by the archive tests: running outside tools, setting time
// stamps, little-endian fields of archive bytes.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <random>
#include <string>

#include "platform/paths.h"

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

inline CommandResult Run(const std::string& command) {
    CommandResult r;
    FILE* p = ::popen((command + " 2>&1").c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        r.output.append(buf, n);
    int status = ::pclose(p);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

inline bool HaveTool(const std::string& tool) {
    return Run("command -v " + tool + " >/dev/null").exitCode == 0;
}

// Sets a file's modification time to a local date and time.
inline void SetLocalTime(const std::string& path, int y, int mo, int d, int h, int mi, int s) {
    struct tm tm {};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    time_t t = mktime(&tm);
    struct timespec times[2] = {{t, 0}, {t, 0}};
    ::utimensat(AT_FDCWD, ToNative(path).c_str(), times, 0);
}

inline time_t MTimeOf(const std::string& path) {
    struct stat st {};
    ::stat(ToNative(path).c_str(), &st);
    return st.st_mtime;
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
