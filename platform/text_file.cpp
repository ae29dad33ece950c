#include "platform/text_file.h"

#include <cerrno>
#include <cstring>

#include "platform/file_checks.h"
#include "platform/files.h"
#include "platform/files_native.h"
#include "platform/paths.h"

namespace vantrel {

TextReader::~TextReader() {
    Close();
}

void TextReader::Close() {
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
}

bool TextReader::Open(std::string_view path, std::string* error) {
    Close();
    if (!IsFile(path)) {
        if (error)
            *error = DisplayPath(path) + ": " + NotAFileReason(path);
        return false;
    }
    file_ = OpenCFile(path, "rb");
    if (!file_) {
        if (error)
            *error = ErrnoText(path);
        return false;
    }
    buffer_.resize(1 << 16);
    pos_ = end_ = 0;
    bytesRead_ = 0;
    eof_ = sawTrailingBreak_ = finalDelivered_ = failed_ = false;
    return true;
}

bool TextReader::Fill() {
    if (eof_ || !file_)
        return false;
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    pos_ = 0;
    if (end_ == 0) {
        if (std::ferror(file_))
            failed_ = true;
        eof_ = true;
        return false;
    }
    return true;
}

bool TextReader::ReadLine(std::string& line) {
    line.clear();
    if (!file_)
        return false;
    bool any = false;
    for (;;) {
        if (pos_ == end_ && !Fill())
            break;
        any = true;
        const char* start = buffer_.data() + pos_;
        const void* nl = std::memchr(start, '\n', end_ - pos_);
        if (nl) {
            size_t n = static_cast<const char*>(nl) - start;
            line.append(start, n);
            pos_ += n + 1;
            bytesRead_ += n + 1;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            sawTrailingBreak_ = true;
            return true;
        }
        line.append(start, end_ - pos_);
        bytesRead_ += end_ - pos_;
        pos_ = end_;
        sawTrailingBreak_ = false;
    }
    if (any && !line.empty()) {
        if (line.back() == '\r' && !crLfOnly_)
            line.pop_back();
        sawTrailingBreak_ = false;
        finalDelivered_ = true;
        return true;
    }
    // End of file right after a line break (or an empty file).
    if (finalEmptyLine_ && sawTrailingBreak_ && !finalDelivered_ && !failed_) {
        finalDelivered_ = true;
        return true;
    }
    return false;
}

TextWriter::~TextWriter() {
    if (file_)
        std::fclose(file_);
}

bool TextWriter::Open(std::string_view path, std::string* error) {
    if (file_)
        std::fclose(file_);
    failed_ = false;
    path_ = std::string(path);
    FileInfo info;
    if (GetFileInfo(path, info, false) && info.isFolder) {
        file_ = nullptr;
        if (error)
            *error = DisplayPath(path) + ": is a folder, not a file";
        return false;
    }
    // A symbolic link at the name is replaced by the new file, never written
    // through.
    file_ = OpenCFileReplacingLink(path);
    if (!file_) {
        if (error)
            *error = ErrnoText(path);
        return false;
    }
    return true;
}

void TextWriter::Write(std::string_view text) {
    if (!file_ || failed_)
        return;
    pending_.append(text);
    if (pending_.size() >= (1 << 16)) {
        if (std::fwrite(pending_.data(), 1, pending_.size(), file_) != pending_.size()) {
            failed_ = true;
            errno_ = errno;
        }
        pending_.clear();
    }
}

void TextWriter::WriteLine(std::string_view text) {
    Write(text);
    Write("\r\n");
}

bool TextWriter::Close(std::string* error) {
    if (!file_)
        return false;
    if (!failed_ && !pending_.empty() &&
        std::fwrite(pending_.data(), 1, pending_.size(), file_) != pending_.size()) {
        failed_ = true;
        errno_ = errno;
    }
    pending_.clear();
    if (!failed_ && std::fflush(file_) != 0) {
        failed_ = true;
        errno_ = errno;
    }
    if (std::fclose(file_) != 0 && !failed_) {
        failed_ = true;
        errno_ = errno;
    }
    file_ = nullptr;
    if (failed_ && error)
        *error = DisplayPath(path_) + ": " + std::strerror(errno_);
    return !failed_;
}

bool ReadTextLines(std::string_view path, std::vector<std::string>& lines, std::string* error) {
    lines.clear();
    TextReader r;
    if (!r.Open(path, error))
        return false;
    std::string line;
    while (r.ReadLine(line))
        lines.push_back(line);
    if (r.Failed()) {
        if (error)
            *error = ErrnoText(path);
        return false;
    }
    return true;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines, bool finalBreak) {
    std::string r;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i)
            r += "\r\n";
        r += lines[i];
    }
    if (finalBreak && !lines.empty())
        r += "\r\n";
    return r;
}

std::string ToCrLf(std::string_view text) {
    std::string r;
    r.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            r += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            r += "\r\n";
        } else {
            r += c;
        }
    }
    return r;
}

std::string FromCrLf(std::string_view text) {
    std::string r;
    r.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        r += text[i];
    }
    return r;
}

}  // namespace vantrel
