// The archive calls the rest of the program uses: pack the files that a list
// of patterns names into a ZIP archive, and unpack an archive into a folder.
// An archive object is made with the extension its archives get (".cfi" for
// media archives); after each call it keeps the status for the caller's log.
//
// Neither call changes the process's current folder: patterns are resolved
// against the folder given, and members are written below the destination.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "archive/al_status.h"
#include "archive/zip_archive.h"

namespace vantrel {

class WArchive {
  public:
    explicit WArchive(std::string extension = ".cfi");

    // Packs into the archive `baseName` + extension in `outputFolder` (with
    // `stripExtension`, the base name loses its extension first) every file
    // that the comma-separated `patterns` name. Each pattern is a file name
    // or a wildcard ("*", "?", Windows rules, no regard to case), optionally
    // behind a relative folder ("Setup\*.*"), resolved against
    // `patternFolder`; empty patterns are skipped, and a file that an
    // earlier pattern already named is packed once. A member's name is the
    // pattern's folder part followed by the file's name ("Setup/readme.txt").
    // Members are deflated at `level` (0 .. 9). With `deleteExisting`, an
    // existing archive of that name is deleted first. Returns true on
    // success; the status tells why not.
    bool Create(int level, const std::string& baseName, bool stripExtension,
                const std::string& patterns, const std::string& outputFolder,
                const std::string& patternFolder, bool deleteExisting);

    // One member of an archive: its name in the archive ("Setup/readme.txt")
    // and the file it is packed from.
    using Member = ALZipArchive::Source;
    // The files a folder offers to patterns: their names and the files they
    // are packed from, in any order. Called with a folder's path on disk.
    using FolderLister = std::function<std::vector<Member>(const std::string& folder)>;
    // The members that the comma-separated `patterns` name, resolved against
    // `patternFolder` as Create resolves them. Each folder is listed once
    // (however many patterns, and spellings of it, name files in it),
    // through `lister`; without one, a folder offers the files in it.
    static std::vector<Member> MatchPatterns(const std::string& patterns,
                                             const std::string& patternFolder,
                                             const FolderLister& lister = {});
    // Packs `members`, in this order, into the archive `baseName` + extension
    // in `outputFolder`, as Create does with the files its patterns name.
    bool CreateFrom(int level, const std::string& baseName, const std::vector<Member>& members,
                    const std::string& outputFolder, bool deleteExisting);

    // Expands every member of the archive `fileName` in `folder` under its
    // name into `destination` (created when missing).
    bool Extract(const std::string& fileName, const std::string& folder,
                 const std::string& destination);

    const std::string& GetExtension() const { return extension_; }
    // Path of the archive of the last Create.
    const std::string& GetArchivePath() const { return archivePath_; }
    // Names of the files the last Create packed, in archive order.
    const std::vector<std::string>& GetMembers() const { return members_; }

    // Threads that deflate members (0, the default: the machine's
    // processors, or VANTREL_THREADS); the archives are the same for any.
    void SetThreads(int threads) { threads_ = threads; }
    // Told the bytes of each member packed by Create and CreateFrom; false
    // stops packing (the call fails with status kUserAbort).
    void SetProgress(ALZipArchive::Progress progress) { progress_ = std::move(progress); }

    const ALStatus& Status() const { return status_; }
    int GetStatusCode() const { return status_.GetStatusCode(); }
    // The status's detail text ("No errors" after success).
    std::string GetStatusText() const { return status_.GetStatusDetail(); }

  private:
    // The archive's path; removes an existing one when asked. False (with
    // the status set) when the old archive cannot be removed.
    bool PrepareArchive(const std::string& base, const std::string& outputFolder,
                        bool deleteExisting);
    bool Write(int level, const std::vector<Member>& members);

    std::string extension_;
    std::string archivePath_;
    std::vector<std::string> members_;
    int threads_ = 0;
    ALZipArchive::Progress progress_;
    ALStatus status_;
};

}  // namespace vantrel
