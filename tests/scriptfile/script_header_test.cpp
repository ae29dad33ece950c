#include "scriptfile/script_header.h"

#include <regex>
#include <string>

#include "platform/files.h"
#include "platform/paths.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using test::ReadBytes;
using test::ScratchFolder;

// Stamps `body` (the file's bytes) and returns the stamped bytes.
std::string StampBytes(const ScratchFolder& dir, const std::string& body,
                       WScriptHeader* header = nullptr) {
    std::string path = dir.Write("s.kvz", body);
    WScriptHeader local;
    WScriptHeader& h = header ? *header : local;
    h.SetFilePath(path);
    EXPECT_TRUE(h.Stamp());
    return ReadBytes(path);
}

std::string BodyOf(const std::string& stamped) {
    const std::string end = "[Oxbel Setup Header End]\r\n";
    size_t at = stamped.find(end);
    return at == std::string::npos ? std::string() : stamped.substr(at + end.size());
}

std::string ChecksumLineOf(const std::string& stamped) {
    std::smatch m;
    static const std::regex re("\r\nChecksum=([^\r]*)\r\n");
    return std::regex_search(stamped, m, re) ? m[1].str() : std::string("<none>");
}

int VerifyFile(const std::string& path) {
    WScriptHeader h;
    h.SetFilePath(path);
    return h.Read(false, true);
}

TEST(ScriptHeaderStamp, WritesHeaderLinesInOrderAndBodyWithoutFinalBreak) {
    ScratchFolder dir;
    WScriptHeader h;
    h.SetModuleType("PRODUCT");
    std::string bytes = StampBytes(dir, "abc", &h);
    EXPECT_EQ(bytes, "[Oxbel Setup Header]\r\nModuleType=PRODUCT\r\nVersion=9.001\r\nTimeStamp=" +
                         h.TimeStamp() + "\r\nLastUser=" + h.LastUser() +
                         "\r\nChecksum=126:1:0\r\n[Oxbel Setup Header End]\r\nabc");
    EXPECT_EQ(h.Version(), "9.001");

    // Day/month/year, three blanks, hour:minute:second, no leading zeros.
    EXPECT_TRUE(std::regex_match(
        h.TimeStamp(),
        std::regex("[1-9][0-9]?/[1-9][0-9]?/[0-9]{4}   ([1-9]?[0-9]):([1-9]?[0-9]):([1-9]?[0-9])")))
        << h.TimeStamp();
    EXPECT_FALSE(h.LastUser().empty());
    EXPECT_LE(h.LastUser().size(), 255u);
}

TEST(ScriptHeaderStamp, ChecksumCountsSignedBytesBlanksAndLines) {
    ScratchFolder dir;
    EXPECT_EQ(ChecksumLineOf(StampBytes(dir, "a b")), "c3:1:1");
    EXPECT_EQ(ChecksumLineOf(StampBytes(dir, "a\tb")), "c3:1:1");
    // 0xE9 counts as -23; the negative sum is written in two's complement.
    EXPECT_EQ(ChecksumLineOf(StampBytes(dir, "\xE9")), "ffffffe9:1:0");
    EXPECT_EQ(ChecksumLineOf(StampBytes(dir, "\xE9\xE9 a")), "33:1:1");
    // CR LF line ends are not characters of the lines; a final break adds an
    // empty last line, which the stamped body keeps.
    std::string bytes = StampBytes(dir, "ab\r\nc\r\n");
    EXPECT_EQ(ChecksumLineOf(bytes), "126:3:0");
    EXPECT_EQ(BodyOf(bytes), "ab\r\nc\r\n");
    // A lone LF is read as a line break and written back as CR LF.
    EXPECT_EQ(BodyOf(StampBytes(dir, "ab\nc")), "ab\r\nc");
}

TEST(ScriptHeaderStamp, RestampReplacesTheHeaderAndKeepsTheChecksum) {
    ScratchFolder dir;
    std::string path = dir.Write("s.kvz", "[Product]\r\nName=x\r\n\r\nlast");
    WScriptHeader first;
    first.SetFilePath(path);
    first.SetVersion("3.5");
    ASSERT_TRUE(first.Stamp());
    std::string once = ReadBytes(path);

    WScriptHeader second;
    second.SetFilePath(path);
    ASSERT_TRUE(second.Stamp());
    std::string twice = ReadBytes(path);

    EXPECT_EQ(BodyOf(twice), "[Product]\r\nName=x\r\n\r\nlast");
    EXPECT_EQ(ChecksumLineOf(twice), ChecksumLineOf(once));
    EXPECT_EQ(twice.find("[Oxbel Setup Header]", 1), std::string::npos);
    EXPECT_NE(once.find("\r\nVersion=3.5\r\n"), std::string::npos);
    EXPECT_NE(twice.find("\r\nVersion=9.001\r\n"), std::string::npos);
    EXPECT_EQ(VerifyFile(path), 0);
}

TEST(ScriptHeaderStamp, RemovesEveryOldBlockAndAnUnterminatedOneToTheEnd) {
    ScratchFolder dir;
    std::string body =
        StampBytes(dir,
                   "one\r\n[Oxbel Setup Header]\r\nA=1\r\n[Oxbel Setup Header End]\r\n"
                   "two\r\n  [ Oxbel Setup Header ] ; note\r\nB=2\r\n"
                   "[Oxbel Setup Header End]\r\nthree\r\n[Oxbel Setup Header]\r\ngone");
    EXPECT_EQ(BodyOf(body), "one\r\ntwo\r\nthree");
    // Marker names compare case-sensitively: a lower-case one is body text.
    EXPECT_EQ(BodyOf(StampBytes(dir, "[oxbel setup header]\r\nx")), "[oxbel setup header]\r\nx");
}

TEST(ScriptHeaderStamp, KeyLinesNamingAMarkerAreBodyText) {
    ScratchFolder dir;
    const std::string body =
        "[BOXID]\r\nCompanyName=Acme [Oxbel Setup Header] Ltd\r\nTitle = [Oxbel Setup Header End]"
        "\r\nProductName=Ledger";
    std::string path = dir.Write("s.kvz", body);
    WScriptHeader h;
    h.SetFilePath(path);
    ASSERT_TRUE(h.Stamp());
    EXPECT_EQ(BodyOf(ReadBytes(path)), body);
    EXPECT_EQ(VerifyFile(path), 0);
    ASSERT_TRUE(h.Stamp());
    EXPECT_EQ(BodyOf(ReadBytes(path)), body);
    EXPECT_EQ(WScriptHeader::SectionNameOf("Key=[Oxbel Setup Header]"), "");
    // A marker line keeps its meaning whatever follows it, "=" included.
    EXPECT_EQ(WScriptHeader::SectionNameOf(" [Oxbel Setup Header] ;a=b"), "Oxbel Setup Header");
    EXPECT_EQ(WScriptHeader::SectionNameOf("[Oxbel Setup Header]=x"), "Oxbel Setup Header");
}

TEST(ScriptHeaderStamp, ExtraLinesOfAReadHeaderAreWrittenAfterTheChecksum) {
    ScratchFolder dir;
    std::string path = dir.Write("s.kvz",
                                 "[Oxbel Setup Header]\r\nModuleType=KVZ\r\n; first comment\r\n"
                                 "Owner=someone\r\n   \r\nVersion=2.0\r\n;second\r\n"
                                 "[Oxbel Setup Header End]\r\nbody");
    WScriptHeader h;
    h.SetFilePath(path);
    EXPECT_EQ(h.Read(true, false), 0);
    EXPECT_EQ(h.ExtraLines(),
              (std::vector<std::string>{"; first comment", "Owner=someone", ";second"}));
    ASSERT_TRUE(h.Stamp());
    std::string bytes = ReadBytes(path);
    EXPECT_NE(bytes.find("ModuleType=KVZ\r\nVersion=2.0\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nChecksum=1ae:1:0\r\n; first comment\r\nOwner=someone\r\n;second\r\n"
                         "[Oxbel Setup Header End]\r\nbody"),
              std::string::npos);
    EXPECT_EQ(VerifyFile(path), 0);
}

TEST(ScriptHeaderStamp, EmptyBodyVerifiesAfterStamping) {
    ScratchFolder dir;
    std::string path = dir.Write("empty.kvz", "");
    WScriptHeader h;
    h.SetFilePath(path);
    ASSERT_TRUE(h.Stamp());
    // The header's last line break leaves one empty body line for a reader.
    EXPECT_EQ(ChecksumLineOf(ReadBytes(path)), "0:1:0");
    EXPECT_EQ(VerifyFile(path), 0);
    ASSERT_TRUE(h.Stamp());
    EXPECT_EQ(ChecksumLineOf(ReadBytes(path)), "0:1:0");
}

TEST(ScriptHeaderStamp, LongLinesStayWholeAndVerify) {
    ScratchFolder dir;
    std::string longLine(5000, 'x');
    longLine[2046] = ' ';
    std::string path = dir.Write("long.kvz", "before\r\n" + longLine + "\r\nafter");
    WScriptHeader h;
    h.SetFilePath(path);
    ASSERT_TRUE(h.Stamp());
    std::string bytes = ReadBytes(path);
    EXPECT_EQ(BodyOf(bytes), "before\r\n" + longLine + "\r\nafter");
    EXPECT_EQ(h.ChecksumLines(), 3u);
    EXPECT_EQ(h.ChecksumSkipped(), 1u);
    // Only the long-line bit: the checksum agrees with what was stamped.
    EXPECT_EQ(VerifyFile(path), WScriptHeader::kLongLine);

    WScriptHeader edge;
    edge.SetFilePath(dir.Write("edge.kvz", std::string(2045, 'a')));
    EXPECT_EQ(edge.Read(false, false), 0);
    edge.SetFilePath(dir.Write("edge.kvz", std::string(2046, 'a')));
    EXPECT_EQ(edge.Read(false, false), WScriptHeader::kLongLine);
}

TEST(ScriptHeaderStamp, UnreadableTargetsAreLeftAlone) {
    ScratchFolder dir;
    WScriptHeader h;
    h.SetFilePath(dir / "missing.kvz");
    EXPECT_FALSE(h.Stamp());
    EXPECT_FALSE(PathExists(dir / "missing.kvz"));
    h.SetFilePath(dir.path());
    EXPECT_FALSE(h.Stamp());
    EXPECT_TRUE(IsFolder(dir.path()));

    if (test::FolderWritesCanBeRefused()) {
        // A folder we cannot write to: the old contents must survive.
        std::string sub = dir / "ro";
        std::string path = dir.Write("ro/s.kvz", "keep me");
        ASSERT_TRUE(SetFilePermissions(sub, 0555));
        h.SetFilePath(path);
        EXPECT_FALSE(h.Stamp());
        EXPECT_EQ(ReadBytes(path), "keep me");
        SetFilePermissions(sub, 0755);
    }
}

TEST(ScriptHeaderRead, ReportsEachChecksumMismatchAsItsOwnBit) {
    ScratchFolder dir;
    std::string stamped = StampBytes(dir, "abc\r\ndef");
    std::string head = stamped.substr(0, stamped.size() - BodyOf(stamped).size());
    std::string path = dir / "s.kvz";

    auto verifyBody = [&](const std::string& body) {
        test::WriteBytes(path, head + body);
        return VerifyFile(path);
    };
    EXPECT_EQ(verifyBody("abc\r\ndef"), 0);
    EXPECT_EQ(verifyBody("abd\r\ndef"), WScriptHeader::kSumDiffers);
    EXPECT_EQ(verifyBody("abc\r\nde\r\nf"), WScriptHeader::kLinesDiffer);
    EXPECT_EQ(verifyBody("abc\r\ndef\r\n"), WScriptHeader::kLinesDiffer);
    EXPECT_EQ(verifyBody("ab \r\ndef"), WScriptHeader::kSumDiffers | WScriptHeader::kSkippedDiffer);
    // Lines before the header count like lines after it.
    test::WriteBytes(path, "abc\r\n" + head + "def");
    EXPECT_EQ(VerifyFile(path), 0);
}

TEST(ScriptHeaderRead, MissingHeaderSecondHeaderAndUnopenableFiles) {
    ScratchFolder dir;
    WScriptHeader h;
    h.SetFilePath(dir.Write("plain.kvz", "[Product]\r\nA=1"));
    EXPECT_EQ(h.Read(false, true), WScriptHeader::kNoHeader);
    EXPECT_EQ(h.Read(false, false), 0);

    std::string block = "[Oxbel Setup Header]\r\nModuleType=SPM\r\n[Oxbel Setup Header End]\r\n";
    h.SetFilePath(dir.Write("two.kvz", block + block + "x"));
    EXPECT_EQ(h.Read(true, false), WScriptHeader::kSecondHeader);
    EXPECT_EQ(h.ModuleType(), "SPM");
    h.SetFilePath(dir.Write("two-apart.kvz", block + "x\r\n" + block));
    EXPECT_EQ(h.Read(false, false), 0);  // stops at the first body line
    EXPECT_EQ(h.Read(false, true) & WScriptHeader::kSecondHeader, WScriptHeader::kSecondHeader);

    h.SetFilePath(dir.Write("open.kvz", "[Oxbel Setup Header]\r\nModuleType=KVZ\r\nx"));
    h.Read(false, false);
    EXPECT_TRUE(h.SawHeaderStart());
    EXPECT_FALSE(h.SawHeaderEnd());

    WScriptHeader missing;
    missing.SetFilePath(dir / "nope.kvz");
    EXPECT_EQ(missing.Read(true, true), WScriptHeader::kCannotOpen);
    EXPECT_TRUE(missing.Loaded());
    missing.SetFilePath(dir.path());
    EXPECT_EQ(missing.Read(false, true), WScriptHeader::kCannotOpen);
}

TEST(ScriptHeaderRead, TextAtHandReadsAsTheFileWithTheSameBytes) {
    ScratchFolder dir;
    const std::string block =
        "[Oxbel Setup Header]\r\nModuleType=KVZ\r\nVersion=9.2\r\n"
        "[Oxbel Setup Header End]\r\n";
    std::string stamped = StampBytes(dir, "[Product]\r\nA=1\r\n\r\nB= 2\r");
    std::string edited = stamped;
    edited.back() = 'X';
    for (const std::string& bytes :
         {stamped, edited, block + "x\r\n", block + block + "x", std::string("[P]\nA=1\n"),
          std::string(), block + std::string(3000, 'z') + "\r\n"}) {
        WScriptHeader file, text;
        file.SetFilePath(dir.Write("t.kvz", bytes));
        for (bool verify : {false, true}) {
            EXPECT_EQ(text.ReadText(bytes, true, verify), file.Read(true, verify)) << bytes;
            EXPECT_EQ(text.ModuleType(), file.ModuleType());
            EXPECT_EQ(text.Version(), file.Version());
            EXPECT_EQ(text.ChecksumText(), file.ChecksumText());
            EXPECT_EQ(text.SawHeaderEnd(), file.SawHeaderEnd());
        }
    }
}

TEST(ScriptHeaderRead, UpdateStoresValuesAndVerifyComparesWithTheFile) {
    ScratchFolder dir;
    std::string path = dir.Write("s.kvz",
                                 "[Oxbel Setup Header]\r\nModuleType = KVZ-SPLIT\r\nVersion=1.2\r\n"
                                 "TimeStamp=1/2/2003   4:5:6\r\nLastUser=pat\r\n"
                                 "Checksum=FFFFFE0C:2:1zz\r\nmoduletype=ignored-case\r\n"
                                 "[Oxbel Setup Header End]\r\nabc");
    WScriptHeader h;
    h.SetFilePath(path);
    EXPECT_FALSE(h.Loaded());
    EXPECT_EQ(h.GetModuleType(), "KVZ-SPLIT");  // lazy read
    EXPECT_TRUE(h.Loaded());
    EXPECT_EQ(h.GetVersion(), "1.2");
    EXPECT_EQ(h.TimeStamp(), "1/2/2003   4:5:6");
    EXPECT_EQ(h.LastUser(), "pat");
    EXPECT_EQ(h.ChecksumSum(), -500);
    EXPECT_EQ(h.ChecksumLines(), 2u);
    EXPECT_EQ(h.ChecksumSkipped(), 1u);
    EXPECT_EQ(h.ChecksumText(), "fffffe0c:2:1");
    EXPECT_EQ(h.ExtraLines(), std::vector<std::string>{"moduletype=ignored-case"});

    // A verifying read compares with the file's stored values even when it
    // does not take them into the object.
    WScriptHeader fresh;
    fresh.SetFilePath(path);
    EXPECT_EQ(fresh.Read(false, true), WScriptHeader::kSumDiffers | WScriptHeader::kLinesDiffer |
                                           WScriptHeader::kSkippedDiffer);
    EXPECT_EQ(fresh.ChecksumText(), "0:0:0");
    // With update, the computed values replace the stored ones.
    EXPECT_NE(h.Read(true, true), 0);
    EXPECT_EQ(h.ChecksumText(), "126:1:0");
}

}  // namespace
}  // namespace vantrel
