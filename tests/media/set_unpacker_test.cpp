// Floppy sets turned back into their ship folder: disk archives expanded,
// split archives joined from their pieces, each archive expanded; and each
// way a set can be incomplete or damaged named.
#include "media/set_unpacker.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <map>
#include <random>

#include "archive/archive.h"
#include "media/disk_set.h"
#include "platform/files.h"
#include "platform/strings.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using Files = std::map<std::string, std::string>;

class SetUnpacker : public ::testing::Test {
  protected:
    void SetUp() override {
        std::mt19937 rng(7);
        big.resize(30000);
        for (char& c : big)
            c = static_cast<char>(rng());
        dir.Write("payload/bin/big.dat", big);
        dir.Write("payload/Setup/comp.kvz", "[Components]\r\n");
        WArchive archive;
        ASSERT_TRUE(
            archive.Create(6, "Comp", false, "bin\\big.dat", dir / "cfi", dir / "payload", true));
        ASSERT_TRUE(archive.Create(6, "Setup files", false, "Setup\\*.*", dir / "cfi",
                                   dir / "payload", true));
        comp = test::ReadBytes(dir / "cfi/Comp.cfi");
        setupFiles = test::ReadBytes(dir / "cfi/Setup files.cfi");
    }

    // Writes disk folders into `media`, each packed as its disk archive.
    std::vector<std::string> Disks(const std::string& media, const std::map<int, Files>& disks) {
        for (const auto& [n, files] : disks) {
            const std::string name = "disk00" + std::to_string(n);
            const std::string staging = dir / (media + "-staging/" + name);
            for (const auto& [file, bytes] : files)
                dir.Write(media + "-staging/" + name + "/" + file, bytes);
            MakeFolders(dir / (media + "/" + name));
            WArchive archive;
            EXPECT_TRUE(
                archive.Create(0, name, false, "*.cfi", dir / (media + "/" + name), staging, true));
        }
        return WSetUnpacker::DiskFolders(dir / media);
    }

    std::string Piece(int n, int count, size_t from, size_t length) const {
        return WDiskSet::ThreeDigits(n) + WDiskSet::ThreeDigits(count) + comp.substr(from, length);
    }

    test::ScratchFolder dir;
    std::string big, comp, setupFiles;
};

TEST_F(SetUnpacker, JoinsSplitArchivesAndExpandsEveryArchive) {
    const size_t half = comp.size() / 2;
    auto disks = Disks(
        "media", {{1, {{"Setup files.cfi", setupFiles}, {"~001_Comp.cfi", Piece(1, 2, 0, half)}}},
                  {2, {{"~002_Comp.cfi", Piece(2, 2, half, std::string::npos)}}}});
    ASSERT_EQ(disks.size(), 2u);
    // Disk folders in number order, whatever their case; other folders not.
    MakeFolders(dir / "media/Disk010x");
    EXPECT_EQ(WSetUnpacker::DiskFolders(dir / "media"), disks);
    EXPECT_EQ(WSetUnpacker::DiskNumberOf("DISK002"), 2);
    EXPECT_EQ(WSetUnpacker::DiskNumberOf("disk"), -1);
    EXPECT_EQ(WSetUnpacker::DiskNumberOf("disk1234567890"), -1);

    WSetUnpacker unpacker;
    ASSERT_TRUE(unpacker.Unpack(disks, dir / "work", dir / "set"))
        << Join(unpacker.Problems(), "\n");
    EXPECT_EQ(unpacker.Archives(), (std::vector<std::string>{"Comp.cfi", "Setup files.cfi"}));
    EXPECT_EQ(test::ReadBytes(dir / "set/bin/big.dat"), big);
    EXPECT_EQ(test::ReadBytes(dir / "set/Setup/comp.kvz"), "[Components]\r\n");
}

TEST_F(SetUnpacker, ADiskCopiedToAFloppysRootIsFoundByItsArchive) {
    Disks("single", {{1, {{"Setup files.cfi", setupFiles}}}});
    ASSERT_TRUE(RenameFile(dir / "single/disk001", dir / "single/A"));
    WSetUnpacker unpacker;
    ASSERT_TRUE(unpacker.Unpack({dir / "single/A"}, dir / "work", dir / "set"))
        << Join(unpacker.Problems(), "\n");
    EXPECT_EQ(test::ReadBytes(dir / "set/Setup/comp.kvz"), "[Components]\r\n");
    ASSERT_TRUE(RemoveFile(dir / "single/A/disk001.cfi"));
    EXPECT_FALSE(unpacker.Unpack({dir / "single/A"}, dir / "work2", dir / "set2"));
    EXPECT_EQ(unpacker.Problems(),
              std::vector<std::string>{dir / "single/A" + " holds no disk archive"});
}

TEST_F(SetUnpacker, NamesMissingDisksPiecesAndDamagedArchives) {
    const size_t third = comp.size() / 3;
    struct Case {
        const char* what;
        std::map<int, Files> disks;
        std::vector<std::string> problems;
    };
    const std::vector<Case> cases = {
        {"piece 1 lost: the count comes from the other pieces",
         {{1, {{"Setup files.cfi", setupFiles}}},
          {2, {{"~002_Comp.cfi", Piece(2, 3, third, third)}}},
          {3, {{"~003_Comp.cfi", Piece(3, 3, 2 * third, std::string::npos)}}}},
         {"piece 1 of Comp.cfi is missing (~001_Comp.cfi)"}},
        {"a disk gone with the piece on it",
         {{1, {{"Setup files.cfi", setupFiles}, {"~001_Comp.cfi", Piece(1, 3, 0, third)}}},
          {3, {{"~003_Comp.cfi", Piece(3, 3, 2 * third, std::string::npos)}}}},
         {"the set has no disk002", "piece 2 of Comp.cfi is missing (~002_Comp.cfi)"}},
        {"pieces that disagree on their count",
         {{1, {{"Setup files.cfi", setupFiles}, {"~001_Comp.cfi", Piece(1, 2, 0, third)}}},
          {2, {{"~002_Comp.cfi", Piece(2, 3, third, std::string::npos)}}}},
         {"~002_Comp.cfi is not a sound piece of Comp.cfi (its header is damaged)"}},
        {"a joined archive whose bytes are cut short",
         {{1, {{"Setup files.cfi", setupFiles}, {"~001_Comp.cfi", Piece(1, 2, 0, third)}}},
          {2, {{"~002_Comp.cfi", Piece(2, 2, 2 * third, std::string::npos)}}}},
         {"Comp.cfi is damaged: "}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string media = "media" + std::to_string(++n);
        WSetUnpacker unpacker;
        EXPECT_FALSE(unpacker.Unpack(Disks(media, c.disks), dir / (media + "-work"),
                                     dir / (media + "-set")));
        ASSERT_EQ(unpacker.Problems().size(), c.problems.size()) << Join(unpacker.Problems(), "\n");
        for (size_t i = 0; i < c.problems.size(); ++i)
            EXPECT_EQ(unpacker.Problems()[i].rfind(c.problems[i], 0), 0u) << unpacker.Problems()[i];
        // The rest of the set is still unpacked; the broken archive is not.
        EXPECT_TRUE(IsFile(dir / (media + "-set/Setup/comp.kvz")));
        EXPECT_FALSE(IsFile(dir / (media + "-set/bin/big.dat")));
    }

    // A disk folder without its archive.
    MakeFolders(dir / "bare/disk001");
    WSetUnpacker unpacker;
    EXPECT_FALSE(unpacker.Unpack(WSetUnpacker::DiskFolders(dir / "bare"), dir / "w", dir / "s"));
    EXPECT_EQ(unpacker.Problems(), std::vector<std::string>{dir / "bare/disk001" +
                                                            " holds no disk archive disk001.cfi"});
}

TEST_F(SetUnpacker, AnArchiveHoldingAMemberTwiceIsDamaged) {
    // Two members whose names differ only in case name one file on Windows.
    dir.Write("twice/bin/one.dat", "first");
    dir.Write("twice/bin/two.dat", "other");
    WArchive archive;
    ASSERT_TRUE(archive.Create(6, "Twice", false, "bin\\*.dat", dir / "cfi", dir / "twice", true));
    const std::string twice =
        ReplaceAll(test::ReadBytes(dir / "cfi/Twice.cfi"), "bin/two.dat", "BIN/One.dat");
    WSetUnpacker unpacker;
    EXPECT_FALSE(unpacker.Unpack(
        Disks("media", {{1, {{"Setup files.cfi", setupFiles}, {"Twice.cfi", twice}}}}),
        dir / "work", dir / "set"));
    EXPECT_EQ(unpacker.Problems(),
              std::vector<std::string>{"Twice.cfi is damaged: it holds the member BIN/One.dat "
                                       "more than once"});
    EXPECT_FALSE(unpacker.TemporaryFolderFailed());
    EXPECT_FALSE(IsFile(dir / "set/bin/one.dat"));
}

// What Scan hands a sink: each sound member's bytes by "archive:name".
struct Collected : WSetUnpacker::Sink {
    bool Begin(const std::string& archive, const std::string& name, int64_t) override {
        key = archive + ":" + name;
        files[key].clear();
        return true;
    }
    bool Data(const char* data, size_t size) override {
        files[key].append(data, size);
        return true;
    }
    void End(bool sound) override {
        if (!sound)
            files.erase(key);
    }
    std::string key;
    Files files;
};

TEST_F(SetUnpacker, ScanJoinsPiecesAsOneStreamAndNamesWhatUnpackNames) {
    const size_t half = comp.size() / 2;
    const Files first = {{"Setup files.cfi", setupFiles}, {"~001_Comp.cfi", Piece(1, 2, 0, half)}};
    const Files second = {{"~002_Comp.cfi", Piece(2, 2, half, std::string::npos)}};
    Collected sink;
    WSetUnpacker unpacker;
    EXPECT_TRUE(unpacker.Scan(Disks("split", {{1, first}, {2, second}}), sink))
        << Join(unpacker.Problems(), "\n");
    EXPECT_EQ(sink.files["Comp.cfi:bin/big.dat"], big);
    EXPECT_EQ(sink.files["Setup files.cfi:Setup/comp.kvz"], "[Components]\r\n");
    EXPECT_EQ(unpacker.Archives(), (std::vector<std::string>{"Comp.cfi", "Setup files.cfi"}));

    // Damaged sets: Scan names the faults Unpack names.
    std::string flipped = comp;
    flipped[comp.size() / 3] ^= 0x40;
    const std::map<std::string, std::map<int, Files>> damaged = {
        {"no-second-piece", {{1, first}}},
        {"bad-header", {{1, first}, {2, {{"~002_Comp.cfi", "0x2002" + comp.substr(half)}}}}},
        {"flipped", {{1, {{"Setup files.cfi", setupFiles}, {"Comp.cfi", flipped}}}}},
        {"cut", {{1, {{"Comp.cfi", comp.substr(0, comp.size() - 10)}}}}},
    };
    for (const auto& [name, disks] : damaged) {
        SCOPED_TRACE(name);
        const std::vector<std::string> folders = Disks(name, disks);
        WSetUnpacker unpacked, scanned;
        Collected none;
        EXPECT_FALSE(unpacked.Unpack(folders, dir / (name + "-w"), dir / (name + "-s")));
        EXPECT_FALSE(scanned.Scan(folders, none));
        ASSERT_FALSE(scanned.Problems().empty());
        EXPECT_EQ(scanned.Problems().front().substr(0, 20),
                  unpacked.Problems().front().substr(0, 20));
        // A member read whole before the archive's end was cut is sound
        // itself; the archive is not.
        EXPECT_EQ(none.files.count("Comp.cfi:bin/big.dat"), name == "cut" ? 1u : 0u);
        EXPECT_EQ(std::count(scanned.Archives().begin(), scanned.Archives().end(), "Comp.cfi"), 0);
    }
}

// Files may grow to `bytes` only, for the life of the object.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = saved_;
        small.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

  private:
    struct rlimit saved_ {};
    void (*previous_)(int) = nullptr;
};

TEST_F(SetUnpacker, AFolderThatCannotBeWrittenIsNamedAndNotTheSet) {
    const size_t half = comp.size() / 2;
    auto disks = Disks(
        "media", {{1, {{"Setup files.cfi", setupFiles}, {"~001_Comp.cfi", Piece(1, 2, 0, half)}}},
                  {2, {{"~002_Comp.cfi", Piece(2, 2, half, std::string::npos)}}}});
    // A full file system where root may mount one; a file size limit
    // everywhere.
    const std::string full = dir / "full";
    MakeFolders(full);
    const bool mounted = ::geteuid() == 0 && test::RunShell("mount -t tmpfs -o size=12k tmpfs " +
                                                            test::ShellQuote(full) + " 2>&1")
                                                     .status == 0;
    struct Way {
        const char* what;
        std::string folder;
        std::string reason;
        std::function<bool(WSetUnpacker&, const std::string&)> unpack;
    };
    const std::vector<Way> ways = {
        {"a file system that fills up", full, "No space left on device",
         [&](WSetUnpacker& u, const std::string& at) {
             return u.Unpack(disks, at + "/work", at + "/set");
         }},
        {"a file size limit", dir / "limited", "File too large",
         [&](WSetUnpacker& u, const std::string& at) {
             FileSizeLimit limit(4000);
             return u.Unpack(disks, at + "/work", at + "/set");
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        if (way.folder == full && !mounted)
            continue;  // not root, or no tmpfs here
        WSetUnpacker unpacker;
        EXPECT_FALSE(way.unpack(unpacker, way.folder));
        EXPECT_TRUE(unpacker.TemporaryFolderFailed());
        ASSERT_EQ(unpacker.Problems().size(), 1u) << Join(unpacker.Problems(), "\n");
        const std::string& problem = unpacker.Problems()[0];
        EXPECT_EQ(problem.rfind("cannot write to the temporary folder " + way.folder + "/", 0), 0u)
            << problem;
        EXPECT_TRUE(EndsWith(problem, ": " + way.reason)) << problem;
        EXPECT_EQ(problem.find("damaged"), std::string::npos) << problem;
    }
    if (mounted)
        test::RunShell("umount " + test::ShellQuote(full));

    // The same set unpacks whole where there is room.
    WSetUnpacker unpacker;
    EXPECT_TRUE(unpacker.Unpack(disks, dir / "roomy/work", dir / "roomy/set"))
        << Join(unpacker.Problems(), "\n");
}

}  // namespace
}  // namespace vantrel
