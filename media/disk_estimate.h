// How many floppies a project's set will take, worked out before anything is
// built from what the disk set (disk_set.h) puts on them: the engine's start
// program loose on the first disk, then, one after the other and split where
// a disk is full, the archives "swintl" (deflate level 9), "Setup files", one
// per shipped component and "ComponentList" (level 6). An archive's size is
// its members' deflated sizes and its ZIP records.
//
// The deflated size of a file is measured by deflating it as the archive
// writer does (a file whose first 128 KB do not shrink is stored). Small
// files are deflated whole; of a large one, a few runs spread over the file
// are, and their ratio stands for the whole, so the count is then "about".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

class WProjectData;
class WSetupComponent;

class WDiskEstimate {
  public:
    // A file up to this size is deflated whole; a larger one in kSampleRuns
    // runs of kSampleRun bytes.
    static constexpr int64_t kWholeLimit = 512 * 1024;
    static constexpr int64_t kSampleRun = 128 * 1024;
    static constexpr int kSampleRuns = 4;
    // Bytes deflated for one estimate at most; later files take the ratio
    // found so far (the count is then "about").
    static constexpr int64_t kBudget = 48 * 1024 * 1024;

    // Starts afresh.
    void Clear();
    // The setup engine's part: the start program on disk 1 and the
    // "swintl" and "Setup files" archives, from the engine files of the
    // installation (`engineFiles`, those up to `engineRootLast` in
    // "Distrib" itself, the rest in "Distrib\Setup").
    void AddEngine(const WProjectData& project, const std::vector<std::string>& engineFiles,
                   int engineRootLast);
    // The archive of one shipped component: the files it ships, read where
    // the build reads them (an application component's from their source
    // folder, a standard component's from the installation folder).
    void AddComponent(const WProjectData& project, const WSetupComponent& component);
    // The last archive, of the component script and the log.
    void AddComponentList();

    // Disks of `capacity` bytes the set fills, placed as the disk set places
    // them; 0 for no capacity.
    int Disks(double capacity) const;
    // Whether a compressed size was sampled or taken from a ratio, not
    // measured whole.
    bool Approximate() const { return approximate_; }

    // The bytes `path` (of `size` bytes) takes deflated at `level`; `exact`
    // false when only runs of it were deflated (or it could not be read, when
    // `size` stands).
    double DeflatedSize(const std::string& path, int64_t size, int level, bool& exact);

  private:
    struct Member {
        std::string path;  // empty: no file to read, `size` stands
        std::string name;  // as the archive holds it
        int64_t size = 0;
    };
    void AddArchive(const std::string& name, const std::vector<Member>& members, int level);
    // Deflates the run of small files from `from` on that the budget holds
    // on the packing threads (see ALPackPool::DefaultThreads), and counts
    // them as DeflatedSize would one after the other: their sizes into
    // `data`, whether each was measured into `exact`. Returns the end of the
    // run, `from` when it is too short to share.
    size_t DeflateWholeRun(const std::vector<Member>& members, size_t from, int level,
                           std::vector<double>& data, std::vector<char>& exact);

    struct Archive {
        std::string fileName;  // "Setup files.cfi"
        int64_t bytes = 0;
    };
    std::vector<Archive> archives_;
    int64_t startProgram_ = 0;
    bool approximate_ = false;
    int64_t deflatedIn_ = 0;   // bytes deflated so far
    int64_t deflatedOut_ = 0;  // what they became
};

}  // namespace vantrel
