// Writing archives: the exact bytes of the records, the engines' method and
// flag fields, entry names, and archives that outside readers accept.
#include "archive/zip_archive.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "archive/al_deflate_engine.h"
#include "archive/al_entry.h"
#include "archive/al_file.h"
#include "archive/al_memory.h"
#include "archive/archive.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "support/test_support.h"
#include "support/zip_test_util.h"

namespace vantrel {
namespace {

using test::ScratchFolder;

std::string Le16(uint16_t v) {
    return {static_cast<char>(v & 0xff), static_cast<char>(v >> 8)};
}
std::string Le32(uint32_t v) {
    return Le16(v & 0xffff) + Le16(static_cast<uint16_t>(v >> 16));
}

TEST(ZipArchiveTest, TinyArchiveHasExactRecords) {
    ScratchFolder dir;
    std::string file = dir.Write("src/Setup/readme.txt", "hello");
    test::SetLocalTime(file, 2001, 2, 3, 4, 5, 6);
    WArchive archive(".cfi");
    ASSERT_TRUE(archive.Create(6, "tiny", false, "Setup\\*.*", dir.path(), dir / "src", true))
        << archive.GetStatusText();
    EXPECT_EQ("No errors", archive.GetStatusText());
    EXPECT_EQ(dir / "tiny.cfi", archive.GetArchivePath());

    const std::string name = "Setup/readme.txt";
    const std::string data("\xcb\x48\xcd\xc9\xc9\x07\x00", 7);  // raw deflate of "hello"
    const uint16_t time = 4 * 2048 + 5 * 32 + 6 / 2, date = 21 * 512 + 2 * 32 + 3;
    const uint32_t crc = 0x3610a686;
    std::string local = "PK\x03\x04" + Le16(20) + Le16(0) + Le16(8) + Le16(time) + Le16(date) +
                        Le32(crc) + Le32(7) + Le32(5) + Le16(16) + Le16(0) + name + data;
    std::string central = "PK\x01\x02" + Le16(20) + Le16(20) + Le16(0) + Le16(8) + Le16(time) +
                          Le16(date) + Le32(crc) + Le32(7) + Le32(5) + Le16(16) + Le16(0) +
                          Le16(0) + Le16(0) + Le16(0) + Le32(0x20) + Le32(0) + name;
    std::string end = "PK\x05\x06" + Le16(0) + Le16(0) + Le16(1) + Le16(1) +
                      Le32(static_cast<uint32_t>(central.size())) +
                      Le32(static_cast<uint32_t>(local.size())) + Le16(0);
    EXPECT_EQ(local + central + end, test::ReadBytes(dir / "tiny.cfi"));
}

TEST(ZipArchiveTest, MethodAndFlagsFollowTheEngine) {
    struct Case {
        ALEngineFactory factory;
        uint16_t method, flags;
        const char* name;
    };
    const Case cases[] = {
        {ALEngineFactory::Deflate(0), 8, 0, "Stored"},  // stored blocks inside deflate
        {ALEngineFactory::Deflate(1), 8, 4, "Deflate Fast"},
        {ALEngineFactory::Deflate(6), 8, 0, "Deflate Normal"},
        {ALEngineFactory::Deflate(9), 8, 2, "Deflate Maximum"},
        {ALEngineFactory::BinaryCopy(), 0, 0, "Binary copy"},
    };
    ScratchFolder dir;
    std::string file = dir.Write("a.txt", test::TextBytes(5000, 1));
    for (const auto& c : cases) {
        ALEntryList list(c.factory);
        list.Add(std::make_unique<ALFile>("a.txt", file));
        EXPECT_EQ(c.name, list[0].GetCompressor()->GetName());
        ALZipArchive zip(dir / "m.zip");
        ASSERT_EQ(0, zip.Create(list)) << zip.Status().GetStatusDetail();
        std::string bytes = test::ReadBytes(dir / "m.zip");
        EXPECT_EQ(c.flags, test::U16(bytes, 6)) << c.name;
        EXPECT_EQ(c.method, test::U16(bytes, 8)) << c.name;
        size_t cd = test::U32(bytes, bytes.size() - 22 + 16);
        EXPECT_EQ(c.flags, test::U16(bytes, cd + 8)) << c.name;
        EXPECT_EQ(c.method, test::U16(bytes, cd + 10)) << c.name;
        EXPECT_EQ(5000u, test::U32(bytes, 22));
    }
    EXPECT_EQ("???", ALDeflateCompressor(12).GetName());
}

TEST(ZipArchiveTest, EntryNames) {
    EXPECT_EQ("Setup/readme.txt", ZipEntryName("Setup\\readme.txt"));
    EXPECT_EQ("x/y.txt", ZipEntryName("C:\\x\\y.txt"));
    EXPECT_EQ("x/y.txt", ZipEntryName("\\\\server\\share\\x\\y.txt"));
    EXPECT_EQ("tmp/a.txt", ZipEntryName("/tmp/a.txt"));
    EXPECT_EQ("/a.txt", ZipEntryName("//a.txt"));  // no share: one slash goes
    EXPECT_EQ("y.txt", ZipEntryName("C:\\x\\y.txt", true));
    EXPECT_EQ("y.txt", ZipEntryName("C:y.txt", true));
    EXPECT_EQ("plain", ZipEntryName("plain", true));
}

TEST(ZipArchiveTest, AttributesAndCommentsAreRecorded) {
    ScratchFolder dir;
    std::string ro = dir.Write("ro.txt", "read only");
    SetFilePermissions(ro, 0444);
    ALEntryList list;
    list.Add(std::make_unique<ALFile>("ro.txt", ro)).SetComment("note");
    ALZipArchive zip(dir / "a.zip");
    zip.SetComment("archive comment");
    ASSERT_EQ(0, zip.Create(list));
    std::string b = test::ReadBytes(dir / "a.zip");
    size_t cd = test::U32(b, b.size() - 22 - 15 + 16);
    EXPECT_EQ(0x21u, test::U32(b, cd + 38));  // archive + read-only
    EXPECT_EQ(4, test::U16(b, cd + 32));
    EXPECT_EQ("ro.txtnote", b.substr(cd + 46, 10));
    EXPECT_EQ("archive comment", b.substr(b.size() - 15));
    EXPECT_EQ(15, test::U16(b, b.size() - 15 - 2));
}

TEST(ZipArchiveTest, DuplicateNamesAreRefusedBeforeWriting) {
    ScratchFolder dir;
    std::string a = dir.Write("Setup/a.txt", "a");
    ALEntryList list;
    list.Add(std::make_unique<ALFile>("Setup\\a.txt", a));
    list.Add(std::make_unique<ALFile>("setup/A.TXT", a));
    ALZipArchive zip(dir / "d.zip");
    EXPECT_EQ(al::kDuplicateEntry, zip.Create(list));
    EXPECT_EQ("Duplicate entry in list passed to Create()", zip.Status().GetStatusDetail());
    EXPECT_FALSE(PathExists(dir / "d.zip"));
}

TEST(ZipArchiveTest, MissingSourceFailsAndLeavesWhatWasWritten) {
    ScratchFolder dir;
    ALEntryList list;
    list.Add(std::make_unique<ALFile>("gone.txt", dir / "gone.txt"));
    ALZipArchive zip(dir / "f.zip");
    EXPECT_EQ(al::kCantOpenFile, zip.Create(list));
    EXPECT_EQ("gone.txt: File open failure.  Open of " + (dir / "gone.txt") + " returned errno = 2",
              zip.Status().GetStatusDetail());
    EXPECT_EQ(30u + 8u, test::ReadBytes(dir / "f.zip").size());  // the placeholder header
}

TEST(ZipArchiveTest, EngineAndWriteFailuresAreReported) {
    ScratchFolder dir;
    dir.Write("src/a.txt", "abc");
    WArchive archive(".cfi");
    EXPECT_FALSE(archive.Create(12, "bad", false, "a.txt", dir.path(), dir / "src", true));
    EXPECT_EQ(al::kCantCreateEngine, archive.GetStatusCode());
    EXPECT_EQ("a.txt: Error creating deflate engine. ZLIB returned -2\n", archive.GetStatusText());

    if (PathExists("/dev/full")) {
        ALEntryList list;
        list.Add(std::make_unique<ALFile>("a.txt", dir / "src/a.txt"));
        ALZipArchive full("/dev/full");
        EXPECT_EQ(al::kWriteError, full.Create(list));
        EXPECT_EQ("Write failure on /dev/full.  result = -1, errno = 28",
                  full.Status().GetStatusDetail());
    }
}

TEST(ZipArchiveTest, NamesAreTheEightBitNames) {
    ScratchFolder dir;
    const std::string name = "caf\xe9 \x80.txt";  // Windows-1252: e acute, euro sign
    dir.Write("src/" + name, "menu");
    WArchive archive(".zip");
    ASSERT_TRUE(archive.Create(6, "names", false, "*.txt", dir.path(), dir / "src", true));
    std::string bytes = test::ReadBytes(dir / "names.zip");
    EXPECT_EQ(name, bytes.substr(30, name.size()));
    ASSERT_TRUE(archive.Extract("names.zip", dir.path(), dir / "out"));
    EXPECT_EQ("menu", dir.Read("out/" + name));
    EXPECT_TRUE(std::filesystem::exists(ToNative(dir.path()) /
                                        std::filesystem::path(u8"out/caf\u00e9 \u20ac.txt")));
}

TEST(ZipArchiveTest, MemoryStorages) {
    {
        ALEntryList list;
        auto src = std::make_unique<ALMemory>("mem.txt");
        src->Create();
        src->WriteBuffer("hello", 5);
        src->Close();
        list.Add(std::move(src));
        auto target = std::make_unique<ALMemory>("out");
        ALMemory* out = target.get();
        ALZipArchive zip(std::move(target));
        ASSERT_EQ(0, zip.Create(list));
        std::string bytes = out->Contents();
        EXPECT_EQ(0x3610a686u, test::U32(bytes, 14));
        EXPECT_EQ("mem.txt", bytes.substr(30, 7));
    }

    unsigned char small[4];
    ALMemory fixed("fixed", small, sizeof small, 64);
    ASSERT_EQ(0, fixed.Create());
    fixed.WriteBuffer("12345", 5);
    EXPECT_EQ(al::kWriteError, fixed.Close());
    EXPECT_EQ("Attempt to write past the end of a user owned buffer for ALMemory fixed",
              fixed.Status().GetStatusDetail());
    ALMemory none("none", nullptr, 10);
    EXPECT_NE(0, none.Open());
    EXPECT_EQ("Attempt to open ALMemory none with no buffer allocated",
              none.Status().GetStatusDetail());
}

// Archives of ours, checked by outside readers.
class ZipInteropTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_.Write("src/Setup/readme.txt", test::TextBytes(20000, 2));
        dir_.Write("src/Setup/random.bin", test::RandomBytes(300000, 3));
        dir_.Write("src/Setup/empty.dat", "");
        dir_.Write("src/Setup.exe", test::TextBytes(70000, 4) + test::RandomBytes(1000, 5));
    }
    ScratchFolder dir_;
};

TEST_F(ZipInteropTest, UnzipZipinfoAndPythonAcceptOurArchives) {
    if (!test::HaveTool("unzip") || !test::HaveTool("zipinfo") || !test::HaveTool("python3")) {
        GTEST_SKIP() << "unzip, zipinfo or python3 missing";
    }
    for (int level : {0, 6, 9}) {
        WArchive archive(".zip");
        std::string base = "level" + std::to_string(level);
        ASSERT_TRUE(archive.Create(level, base, false, "Setup\\*.*,Setup*.exe", dir_.path(),
                                   dir_ / "src", true))
            << archive.GetStatusText();
        std::string zip = test::Quote(ToNative(archive.GetArchivePath()).string());

        auto t = test::Run("unzip -t " + zip);
        EXPECT_EQ(0, t.exitCode) << t.output;
        EXPECT_NE(std::string::npos, t.output.find("No errors detected")) << t.output;

        auto info = test::Run("zipinfo -v " + zip);
        EXPECT_EQ(0, info.exitCode) << info.output;
        EXPECT_NE(std::string::npos, info.output.find("Setup/random.bin")) << info.output;

        std::string src = test::Quote(ToNative(dir_ / "src").string());
        auto py = test::Run(
            "python3 -c 'import sys,zipfile,os\n"
            "z=zipfile.ZipFile(sys.argv[1])\n"
            "assert z.testzip() is None\n"
            "names=z.namelist()\n"
            "assert names==[\"Setup/empty.dat\",\"Setup/random.bin\",\"Setup/readme.txt\","
            "\"Setup.exe\"], names\n"
            "for n in names:\n"
            "  i=z.getinfo(n)\n"
            "  assert i.compress_type==8 and i.create_version==20, n\n"
            "  assert z.read(n)==open(os.path.join(sys.argv[2],n),\"rb\").read(), n\n"
            "print(\"ok\")' " +
            zip + " " + src);
        EXPECT_EQ(0, py.exitCode) << py.output;
        EXPECT_EQ("ok\n", py.output);
    }
}

}  // namespace
}  // namespace vantrel
