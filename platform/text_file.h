// Line-oriented text files as the setup engine reads them: 8-bit bytes,
// every line break written as CR LF, CR stripped again on reading.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class TextReader {
  public:
    TextReader() = default;
    ~TextReader();
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    // Opens an existing regular file; false (with `error`) otherwise.
    bool Open(std::string_view path, std::string* error = nullptr);
    // Next line without its LF and without a CR before it. With
    // `finalEmptyLine`, a file whose last line ends in a line break yields
    // one further empty line (the way a line-by-line reader with a fixed
    // buffer sees it); without, it does not.
    bool ReadLine(std::string& line);
    void SetFinalEmptyLine(bool on) { finalEmptyLine_ = on; }
    // With `crLfOnly`, a CR is dropped only as part of a CR LF pair: a last
    // line without a line break keeps a CR at its end, so that every byte
    // but the line breaks arrives (a checksum over the lines counts it).
    void SetCrLfOnly(bool on) { crLfOnly_ = on; }
    // Bytes consumed so far (for progress reports).
    uint64_t BytesRead() const { return bytesRead_; }
    bool Failed() const { return failed_; }
    void Close();

  private:
    bool Fill();
    FILE* file_ = nullptr;
    std::vector<char> buffer_;
    size_t pos_ = 0, end_ = 0;
    uint64_t bytesRead_ = 0;
    bool eof_ = false;
    bool sawTrailingBreak_ = false;
    bool finalEmptyLine_ = false;
    bool crLfOnly_ = false;
    bool finalDelivered_ = false;
    bool failed_ = false;
};

class TextWriter {
  public:
    TextWriter() = default;
    ~TextWriter();
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    // Creates or truncates the file; a symbolic link at `path` is replaced
    // by a new file (its target is left alone).
    bool Open(std::string_view path, std::string* error = nullptr);
    void Write(std::string_view text);
    // `text` followed by CR LF.
    void WriteLine(std::string_view text);
    void LineBreak() { Write("\r\n"); }
    // Flushes and closes; false when any write failed (disk full, ...).
    bool Close(std::string* error = nullptr);
    bool IsOpen() const { return file_ != nullptr; }

  private:
    FILE* file_ = nullptr;
    std::string path_;
    std::string pending_;
    bool failed_ = false;
    int errno_ = 0;
};

// Whole-file helpers built on the two classes above.
bool ReadTextLines(std::string_view path, std::vector<std::string>& lines,
                   std::string* error = nullptr);
// Lines joined by CR LF; a CR LF after the last line when `finalBreak`.
std::string JoinLinesCrLf(const std::vector<std::string>& lines, bool finalBreak);
// Text with every line break (LF, CR LF or a lone CR) made CR LF.
std::string ToCrLf(std::string_view text);
// Text with every CR LF made LF.
std::string FromCrLf(std::string_view text);

}  // namespace vantrel
