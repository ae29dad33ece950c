// The build log kept beside the generated scripts ("setup.log"). Each line is
// written with its own open, write, flush and close, so that the log is
// complete up to the last line even when the program stops. A job that
// writes many lines holds the file open instead (Hold): each line is then
// one write() of its own, which a killed process does not lose either (the
// system has it; neither way waits for the device).
#pragma once

#include <string>
#include <string_view>

#include "platform/file_handle.h"

namespace vantrel {

class WSetupLog {
  public:
    // The log starts at <Windows folder>\Oxbel\Setup.log, level threshold 0,
    // and truncates the file at its first opening.
    WSetupLog();

    // A non-empty `path` replaces the log path; `append` says whether the
    // first opening keeps what the file holds.
    void SetPath(std::string_view path, bool append);
    const std::string& Path() const { return path_; }
    bool Append() const { return append_; }

    // Lines below this level are not written.
    void SetLevel(int threshold) { threshold_ = threshold; }
    int Level() const { return threshold_; }

    // Writes `text` and a line break (CR LF). The first opening creates the
    // log's folder and truncates the file unless appending; later ones
    // append. False when the level is below the threshold or the file
    // cannot be opened or written.
    bool Log(std::string_view text, int level);
    // Writes whatever the threshold.
    bool Log(std::string_view text);

    // Keeps the file open from the next line until Release() or a new path.
    void Hold() { hold_ = true; }
    // Closes a held file; later lines open it for each line again.
    void Release();

    // How often the file has been opened.
    int OpenCount() const { return openCount_; }

  private:
    bool Write(std::string_view text);

    std::string path_;
    int threshold_ = 0;
    bool append_ = false;
    int openCount_ = 0;
    bool hold_ = false;
    FileHandle held_;
};

}  // namespace vantrel
