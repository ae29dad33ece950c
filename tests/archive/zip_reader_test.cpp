// Reading archives: round trips, archives made by Info-ZIP and Python, and
// damaged or hostile input, which must fail with its status and write nothing
// outside the destination.
#include "archive/zip_reader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "archive/al_entry.h"
#include "archive/al_file.h"
#include "archive/al_memory.h"
#include "archive/archive.h"
#include "archive/zip_archive.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "support/test_support.h"
#include "support/zip_test_util.h"

namespace vantrel {
namespace {

using test::ScratchFolder;

// Names of everything below `folder`, recursively, "a/b" form, sorted.
std::vector<std::string> Tree(const std::string& folder, const std::string& prefix = "") {
    std::vector<std::string> out;
    for (const auto& name : ListFolder(folder, true, true)) {
        out.push_back(prefix + name);
        std::string path = JoinPath(folder, name);
        FileInfo info;
        if (GetFileInfo(path, info, false) && info.isFolder) {
            for (auto& sub : Tree(path, prefix + name + "/"))
                out.push_back(sub);
        }
    }
    return out;
}

class ZipReaderTest : public ::testing::Test {
  protected:
    // An archive of one stored-level member `name` with `content`. Names that
    // ZipEntryName would change are written over a placeholder of equal
    // length, the way a hostile archive would carry them.
    std::string MakeArchive(const std::string& name, const std::string& content,
                            const std::string& file = "one.zip", int level = 0) {
        std::string placeholder(name.size(), 'q');
        std::string src = dir_.Write("members/" + placeholder, content);
        ALEntryList list(ALEngineFactory::Deflate(level));
        list.Add(std::make_unique<ALFile>(placeholder, src));
        std::string path = dir_ / file;
        ALZipArchive zip(path);
        EXPECT_EQ(0, zip.Create(list)) << zip.Status().GetStatusDetail();
        std::string bytes = test::ReadBytes(path);
        for (size_t at; (at = bytes.find(placeholder)) != std::string::npos;) {
            bytes.replace(at, name.size(), name);
        }
        test::WriteBytes(path, bytes);
        RemoveTree(dir_ / "members");
        return path;
    }

    // Extracts `archive` into dest/ and returns the status code.
    int ExtractAll(const std::string& archive, std::string* detail = nullptr) {
        WArchive a;
        bool ok = a.Extract(FileNameOf(archive), FolderOf(archive), dest());
        if (detail)
            *detail = a.GetStatusText();
        EXPECT_EQ(ok, a.GetStatusCode() == 0);
        return a.GetStatusCode();
    }

    std::string dest() const { return dir_ / "out/dest"; }

    ScratchFolder dir_;
};

TEST_F(ZipReaderTest, RoundTripKeepsBytesTimesAndReadOnly) {
    std::string src = dir_ / "src";
    dir_.Write("src/text.txt", test::TextBytes(400000, 7));
    dir_.Write("src/random.bin", test::RandomBytes(700000, 8));
    dir_.Write("src/empty.dat", "");
    dir_.Write("src/Sub/nested.txt", "nested\r\n");
    std::string ro = dir_.Write("src/ro.txt", "keep me");
    test::SetLocalTime(dir_ / "src/text.txt", 1999, 12, 31, 23, 59, 58);
    SetFilePermissions(ro, 0444);
    for (int level : {0, 6, 9}) {
        WArchive archive(".zip");
        ASSERT_TRUE(archive.Create(level, "rt", false, "*.*,Sub\\*.*", dir_.path(), src, true));
        RemoveTree(dest());
        ASSERT_TRUE(archive.Extract("rt.zip", dir_.path(), dest())) << archive.GetStatusText();
        EXPECT_EQ(Tree(src), Tree(dest())) << level;
        for (const char* f : {"text.txt", "random.bin", "empty.dat", "Sub/nested.txt", "ro.txt"}) {
            EXPECT_EQ(test::ReadBytes(JoinPath(src, f)), test::ReadBytes(JoinPath(dest(), f))) << f;
        }
        EXPECT_EQ(test::MTimeOf(dir_ / "src/text.txt"), test::MTimeOf(dest() + "/text.txt"));
        FileInfo info;
        ASSERT_TRUE(GetFileInfo(dest() + "/ro.txt", info));
        EXPECT_EQ(0u, info.permissions & 0222);
    }
    // Extracting again replaces the files, read-only ones included.
    WArchive again(".zip");
    EXPECT_TRUE(again.Extract("rt.zip", dir_.path(), dest())) << again.GetStatusText();
}

TEST_F(ZipReaderTest, ReadsInfoZipArchives) {
    if (!test::HaveTool("zip"))
        GTEST_SKIP() << "zip missing";
    dir_.Write("src/Setup/readme.txt", test::TextBytes(50000, 9));
    dir_.Write("src/Setup/data.bin", test::RandomBytes(100000, 10));
    dir_.Write("src/top.txt", "top\r\n");
    dir_.Write("src/empty.dat", "");
    std::string src = test::Quote(ToNative(dir_ / "src").string());
    for (const char* option : {"-0", "-6", "-9"}) {
        std::string zip = dir_ / (std::string("info") + option + ".zip");
        auto r = test::Run("cd " + src + " && zip -q -r " + option + " " +
                           test::Quote(ToNative(zip).string()) + " .");
        ASSERT_EQ(0, r.exitCode) << r.output;

        ALZipReader reader(zip);
        ALEntryList list;
        ASSERT_EQ(0, reader.ReadDirectory(list)) << reader.Status().GetStatusDetail();
        ASSERT_NE(nullptr, list.Find("Setup/readme.txt"));
        EXPECT_EQ(option == std::string("-0") ? 0 : 8, list.Find("Setup/readme.txt")->zipMethod);
        ASSERT_NE(nullptr, list.Find("Setup/"));  // zip records folders too

        RemoveTree(dest());
        ASSERT_EQ(0, ExtractAll(zip)) << option;
        EXPECT_EQ(Tree(dir_ / "src"), Tree(dest())) << option;
        for (const char* f : {"Setup/readme.txt", "Setup/data.bin", "top.txt", "empty.dat"}) {
            EXPECT_EQ(test::ReadBytes(JoinPath(dir_ / "src", f)),
                      test::ReadBytes(JoinPath(dest(), f)));
        }
    }
}

TEST_F(ZipReaderTest, DamagedArchivesFailWithTheirStatus) {
    std::string good = MakeArchive("readme.txt", test::TextBytes(3000, 11), "good.zip");
    std::string bytes = test::ReadBytes(good);
    std::string detail;

    // Truncated, empty, or with a comment too long to scan past.
    test::WriteBytes(dir_ / "cut.zip", bytes.substr(0, bytes.size() / 2));
    EXPECT_EQ(al::kInvalidArchive, ExtractAll(dir_ / "cut.zip", &detail));
    EXPECT_EQ("Can't locate end of central directory in ZIP file " + (dir_ / "cut.zip"), detail);
    test::WriteBytes(dir_ / "zero.zip", "");
    EXPECT_EQ(al::kInvalidArchive, ExtractAll(dir_ / "zero.zip"));
    test::WriteBytes(dir_ / "comment.zip", bytes + std::string(66001, 'c'));
    EXPECT_EQ(al::kInvalidArchive, ExtractAll(dir_ / "comment.zip", &detail));
    EXPECT_EQ("Can't locate end of central directory in ZIP file " + (dir_ / "comment.zip"),
              detail);

    // An end record whose signature straddles two scan blocks is found.
    test::WriteBytes(dir_ / "short.zip", bytes + std::string(236, 'c'));
    EXPECT_EQ(0, ExtractAll(dir_ / "short.zip"));
    RemoveTree(dest());

    size_t cd = test::U32(bytes, bytes.size() - 22 + 16);
    std::string badSig = bytes;
    badSig[cd + 2] = 'X';
    test::WriteBytes(dir_ / "badcd.zip", badSig);
    EXPECT_EQ(al::kInvalidArchive, ExtractAll(dir_ / "badcd.zip", &detail));
    EXPECT_EQ("Bad record in central directory of ZIP file " + (dir_ / "badcd.zip"), detail);

    std::string pastEnd = bytes;  // local header offset beyond the directory
    test::PutU32(pastEnd, cd + 42, 0x7fff0000);
    test::WriteBytes(dir_ / "offset.zip", pastEnd);
    EXPECT_EQ(al::kInvalidArchive, ExtractAll(dir_ / "offset.zip"));
    std::string tooLong = bytes;  // compressed size beyond the directory
    test::PutU32(tooLong, cd + 20, test::U32(bytes, cd + 20) + 100);
    test::WriteBytes(dir_ / "size.zip", tooLong);
    EXPECT_EQ(al::kInvalidArchive, ExtractAll(dir_ / "size.zip"));
    std::string dirPast = bytes;  // directory beyond the end record
    test::PutU32(dirPast, bytes.size() - 22 + 16, static_cast<uint32_t>(bytes.size()));
    test::WriteBytes(dir_ / "dir.zip", dirPast);
    EXPECT_EQ(al::kInvalidArchive, ExtractAll(dir_ / "dir.zip"));
    std::string badLocal = bytes;
    badLocal[1] = 'X';
    test::WriteBytes(dir_ / "local.zip", badLocal);
    EXPECT_EQ(al::kInvalidArchive, ExtractAll(dir_ / "local.zip", &detail));
    EXPECT_EQ("readme.txt: Bad local header in ZIP file " + (dir_ / "local.zip"), detail);

    EXPECT_EQ(std::vector<std::string>{}, Tree(dest()));

    // Not an archive at all.
    EXPECT_EQ(al::kCantOpenFile, ExtractAll(dir_ / "missing.zip", &detail));
    EXPECT_EQ("File open failure.  Open of " + (dir_ / "missing.zip") + " returned errno = 2",
              detail);
    MakeFolders(dir_ / "folder.zip");
    EXPECT_EQ(al::kCantOpenFile, ExtractAll(dir_ / "folder.zip"));
}

TEST_F(ZipReaderTest, CorruptDataNeverReplacesAGoodFile) {
    std::string content = test::TextBytes(3000, 12);
    std::string stored = MakeArchive("readme.txt", content, "stored.zip", 0);
    std::string bytes = test::ReadBytes(stored);
    bytes[30 + 10 + 5 + 100] ^= 0x55;  // inside the stored block's payload
    test::WriteBytes(stored, bytes);
    dir_.Write("out/dest/readme.txt", "good old file");

    std::string detail;
    EXPECT_EQ(al::kCrcError, ExtractAll(stored, &detail));
    EXPECT_EQ(0u, detail.find("readme.txt: CRC32 was supposed to be ")) << detail;
    EXPECT_EQ("good old file", dir_.Read("out/dest/readme.txt"));
    EXPECT_EQ(std::vector<std::string>{"readme.txt"}, Tree(dest()));  // no temporary left

    // Damaged deflate data: the engine or the CRC check catches it.
    std::string deflated = MakeArchive("readme.txt", content, "deflated.zip", 6);
    bytes = test::ReadBytes(deflated);
    for (size_t i = 45; i < 60; ++i)
        bytes[i] = static_cast<char>(0xff);
    test::WriteBytes(deflated, bytes);
    EXPECT_NE(0, ExtractAll(deflated));
    EXPECT_EQ("good old file", dir_.Read("out/dest/readme.txt"));
    EXPECT_EQ(std::vector<std::string>{"readme.txt"}, Tree(dest()));

    // A member larger than the size its record claims is cut off, not written.
    std::string big = MakeArchive("readme.txt", content, "big.zip", 6);
    bytes = test::ReadBytes(big);
    size_t cd = test::U32(bytes, bytes.size() - 22 + 16);
    test::PutU32(bytes, cd + 24, 10);
    test::WriteBytes(big, bytes);
    EXPECT_EQ(al::kInvalidArchive, ExtractAll(big, &detail));
    EXPECT_EQ("readme.txt: Member expands to more than its recorded 10 bytes", detail);
    EXPECT_EQ("good old file", dir_.Read("out/dest/readme.txt"));
}

TEST_F(ZipReaderTest, FolderInTheWayOfAFile) {
    std::string zip = MakeArchive("readme.txt", "text");
    MakeFolders(dest() + "/readme.txt/inner");
    std::string detail;
    EXPECT_EQ(al::kRenameError, ExtractAll(zip, &detail));
    EXPECT_EQ("readme.txt: Error deleting readme.txt before renaming ~al~000.tmp.  errno = 21",
              detail);
    EXPECT_EQ((std::vector<std::string>{"readme.txt", "readme.txt/inner"}), Tree(dest()));
}

TEST_F(ZipReaderTest, NamesThatLeaveTheDestinationAreRefused) {
    const char* names[] = {
        "../escape.txt", "/abs.txt",  "C:\\x.txt", "C:x.txt", "\\\\server\\share\\x.txt",
        "a/../../x.txt", "..\\up.txt"};
    for (const char* name : names) {
        std::string zip = MakeArchive(name, "evil");
        std::string detail;
        EXPECT_EQ(al::kInvalidArchive, ExtractAll(zip, &detail)) << name;
        EXPECT_EQ(std::string(name) + ": Name leads outside the destination folder; not expanded",
                  detail);
        EXPECT_EQ(std::vector<std::string>{}, Tree(dest())) << name;
        EXPECT_EQ(std::vector<std::string>{"dest"}, Tree(dir_ / "out")) << name;
        EXPECT_FALSE(PathExists("/abs.txt"));
    }
    // Harmless dots are not refused.
    std::string ok = MakeArchive("./a/./b.txt", "fine");
    EXPECT_EQ(0, ExtractAll(ok));
    EXPECT_EQ("fine", dir_.Read("out/dest/a/b.txt"));
}

TEST_F(ZipReaderTest, SymbolicLinksInTheDestinationAreNotFollowed) {
    MakeFolders(dir_ / "outside");
    dir_.Write("outside/target.txt", "outside");
    MakeFolders(dest());
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directory_symlink(ToNative(dir_ / "outside"), ToNative(dest() + "/link"), ec);
    ASSERT_FALSE(ec) << ec.message();
    fs::create_symlink(ToNative(dir_ / "outside/target.txt"), ToNative(dest() + "/file.txt"), ec);
    ASSERT_FALSE(ec) << ec.message();

    std::string detail;
    EXPECT_EQ(al::kCantOpenFile, ExtractAll(MakeArchive("link/x.txt", "evil"), &detail));
    EXPECT_EQ("link/x.txt: File creation failure.  Open of link returned errno = 20", detail);
    EXPECT_EQ(std::vector<std::string>{"target.txt"}, Tree(dir_ / "outside"));

    // A link at the member's own name is replaced, its target left alone.
    EXPECT_EQ(0, ExtractAll(MakeArchive("file.txt", "inside")));
    EXPECT_EQ("outside", dir_.Read("outside/target.txt"));
    FileInfo info;
    ASSERT_TRUE(GetFileInfo(dest() + "/file.txt", info, false));
    EXPECT_TRUE(info.isFile);
    EXPECT_EQ("inside", dir_.Read("out/dest/file.txt"));
}

TEST_F(ZipReaderTest, UnknownMethodsAndEncryptionAreReported) {
    std::string bytes = test::ReadBytes(MakeArchive("a.txt", "abc"));
    size_t cd = test::U32(bytes, bytes.size() - 22 + 16);
    std::string method = bytes;
    method[cd + 10] = 12;  // bzip2
    test::WriteBytes(dir_ / "m.zip", method);
    std::string detail;
    EXPECT_EQ(al::kUnknownCompressionType, ExtractAll(dir_ / "m.zip", &detail));
    EXPECT_EQ("a.txt: Attempt to decompress without a decompressor", detail);
    std::string crypt = bytes;
    crypt[cd + 8] = 1;
    test::WriteBytes(dir_ / "c.zip", crypt);
    EXPECT_EQ(al::kMissingCryptoEngine, ExtractAll(dir_ / "c.zip"));
    EXPECT_EQ(std::vector<std::string>{}, Tree(dest()));
}

// Archives made by other tools, kept in tests/archive/data (its
// make_reference_archives.sh made them), so that these cases run where
// Info-ZIP and Python are missing: Info-ZIP's deflated (with extra fields),
// stored and streamed archives and Python's, one with a UTF-8 name and a
// comment, one written to a pipe. Streamed members carry a data descriptor
// and no CRC or compressed size in their local header.
TEST_F(ZipReaderTest, ReadsReferenceArchives) {
    const std::string data = VANTREL_SOURCE_DIR "/tests/archive/data";
    std::string readme;
    for (int n = 1; n <= 100; ++n)
        readme += "Line " + std::to_string(n) + " of the reference text\r\n";
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    // A UTF-8 name: Windows-1252 in the engine, UTF-8 on the disk.
    const std::string naive = "Docs/na\xEFve.txt";
    // The members' time, as the archives record it: local time.
    std::string stamp = dir_.Write("stamp", "");
    test::SetLocalTime(stamp, 2020, 1, 2, 10, 30, 44);

    struct Reference {
        const char* file;
        uint16_t readmeMethod, dataMethod;
        bool streamed, folderEntry, utf8Member;
        const char* comment;
    };
    const Reference references[] = {
        {"infozip-deflate.zip", 8, 0, false, true, false, ""},
        {"infozip-store.zip", 0, 0, false, true, false, ""},
        {"infozip-streamed.zip", 8, 8, true, true, false, ""},
        {"python-zipfile.zip", 8, 0, false, false, true, "Made by Python zipfile"},
        {"python-streamed.zip", 8, 8, true, false, false, ""},
    };
    for (const Reference& r : references) {
        SCOPED_TRACE(r.file);
        const std::string archive = JoinPath(data, r.file);
        ALZipReader reader(archive);
        ALEntryList list;
        ASSERT_EQ(0, reader.ReadDirectory(list)) << reader.Status().GetStatusDetail();
        EXPECT_EQ(r.comment, reader.GetComment());
        std::vector<std::string> names;
        for (const auto& e : list)
            names.push_back(e->GetStorage()->GetName());
        std::vector<std::string> expected = {"readme.txt", "Setup/data.bin", "Setup/empty.dat"};
        if (r.folderEntry)
            expected.insert(expected.begin() + 1, "Setup/");
        if (r.utf8Member)
            expected.push_back(naive);
        EXPECT_EQ(expected, names);
        ALEntry* text = list.Find("readme.txt");
        ALEntry* binary = list.Find("Setup/data.bin");
        ASSERT_NE(nullptr, text);
        ASSERT_NE(nullptr, binary);
        EXPECT_EQ(r.readmeMethod, text->zipMethod);
        EXPECT_EQ(r.dataMethod, binary->zipMethod);
        EXPECT_EQ(r.streamed, (text->zipFlags & 0x08) != 0);
        // A streamed member's local header leaves its CRC and compressed size
        // to the descriptor after the data: readme.txt comes first.
        const std::string raw = test::ReadBytes(archive);
        EXPECT_EQ(r.streamed, test::U32(raw, 14) == 0 && test::U32(raw, 18) == 0);
        EXPECT_EQ(static_cast<int64_t>(readme.size()), text->expandedSize);
        EXPECT_EQ(256, binary->expandedSize);

        RemoveTree(dest());
        ASSERT_EQ(0, reader.Extract(list, dest())) << reader.Status().GetStatusDetail();
        std::vector<std::string> tree = {"Setup", "Setup/data.bin", "Setup/empty.dat",
                                         "readme.txt"};
        if (r.utf8Member)
            tree = {"Docs", naive, "Setup", "Setup/data.bin", "Setup/empty.dat", "readme.txt"};
        EXPECT_EQ(tree, Tree(dest()));
        EXPECT_EQ(readme, test::ReadBytes(dest() + "/readme.txt"));
        EXPECT_EQ(bytes, test::ReadBytes(dest() + "/Setup/data.bin"));
        EXPECT_EQ("", test::ReadBytes(dest() + "/Setup/empty.dat"));
        if (r.utf8Member) {
            EXPECT_EQ("na\xC3\xAFve\r\n", test::ReadBytes(dest() + "/" + naive));
            EXPECT_TRUE(std::filesystem::is_regular_file(
                ToNative(dest()) / std::filesystem::path(u8"Docs/na\u00efve.txt")));
        }
        EXPECT_EQ(test::MTimeOf(stamp), test::MTimeOf(dest() + "/readme.txt"));

        // The archive wrapper reads them as well.
        RemoveTree(dest());
        EXPECT_EQ(0, ExtractAll(archive));
        EXPECT_EQ(tree, Tree(dest()));
    }
}

TEST(ALFileTest, TemporaryNamesRenameBackupAndDelete) {
    ScratchFolder dir;
    ALFile first;
    first.SetTempFolder(dir.path());
    ASSERT_EQ(0, first.Create());
    first.WriteBuffer("one", 3);
    first.Close();
    EXPECT_EQ(dir / "~al~000.tmp", first.GetName());
    ALFile second;
    second.SetTempFolder(dir.path());
    ASSERT_EQ(0, second.Create());
    second.Close();
    EXPECT_EQ(dir / "~al~001.tmp", second.GetPath());

    EXPECT_EQ(al::kRenameError, first.Rename(dir / "~AL~000.TMP"));
    EXPECT_EQ("Error attempting to rename " + (dir / "~al~000.tmp") + " to " +
                  (dir / "~AL~000.TMP") + ".  Can't rename to the same name!",
              first.Status().GetStatusDetail());
    EXPECT_EQ(0, second.Rename("x.cfi"));  // same folder, replacing nothing
    EXPECT_EQ(dir / "x.cfi", second.GetPath());
    EXPECT_EQ(0, first.Rename(dir / "x.cfi"));  // replaces the existing file
    EXPECT_EQ("one", dir.Read("x.cfi"));
    EXPECT_EQ(0, first.RenameToBackup());
    EXPECT_EQ("one", dir.Read("x.bak"));
    EXPECT_EQ(0, first.Delete());
    EXPECT_EQ(al::kDeleteError, first.Delete());
    EXPECT_EQ("Error deleting file " + (dir / "x.bak") + ", errno = 2",
              first.Status().GetStatusDetail());
    EXPECT_EQ(std::vector<std::string>{}, ListFolder(dir.path(), true, true));

    // A file in a missing folder gets its folder.
    ALFile nested("n", dir / "a/b/c.txt");
    EXPECT_EQ(0, nested.Create());
    EXPECT_EQ(0, nested.Close());
    EXPECT_TRUE(IsFile(dir / "a/b/c.txt"));
}

TEST(ALFileTest, TemporaryNamesRunOut) {
    ScratchFolder dir;
    for (int n = 0; n < 1000; ++n) {
        char leaf[16];
        std::snprintf(leaf, sizeof leaf, "~al~%03d.tmp", n);
        FILE* f = OpenCFile(dir / leaf, "wb");
        ASSERT_NE(nullptr, f);
        std::fclose(f);
    }
    ALFile temp;
    temp.SetTempFolder(dir.path());
    EXPECT_EQ(al::kCantOpenFile, temp.Create());
    EXPECT_EQ("Temporary file creation failure.  Tried 1000 times to open " +
                  (dir / "~al~999.tmp") + " (or a name something like that).",
              temp.Status().GetStatusDetail());
}

TEST(ALStatusTest, CodesTextsAndDetails) {
    EXPECT_STREQ("Success", ALStatus::TextOf(0));
    EXPECT_STREQ("End of file", ALStatus::TextOf(-1));
    EXPECT_STREQ("Can't allocate buffer", ALStatus::TextOf(-1200));
    EXPECT_STREQ("Duplicate entry", ALStatus::TextOf(-1976));
    EXPECT_STREQ("CRC Error", ALStatus::TextOf(-1984));
    EXPECT_STREQ("Memory allocation failure", ALStatus::TextOf(-1999));
    EXPECT_STREQ("Unknown error", ALStatus::TextOf(-1973));
    EXPECT_STREQ("Unknown error", ALStatus::TextOf(-2000));
    ALStatus s;
    EXPECT_EQ("No errors", s.GetStatusDetail());
    s.SetError(al::kReadError, "Read failure on %s.  errno = %d", "x", 5);
    ALStatus archive;
    archive.Adopt(s, "member");
    EXPECT_EQ("member: Read failure on x.  errno = 5", archive.GetStatusDetail());
    EXPECT_STREQ("Read error", archive.GetStatusString());
    ALStatus plain;
    plain.SetError(al::kUserAbort, nullptr);
    archive.Adopt(plain, "member");
    EXPECT_EQ("member: User abort", archive.GetStatusDetail());
}

}  // namespace
}  // namespace vantrel
