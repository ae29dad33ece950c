// Reading archives front to back as a stream: whatever the chunking of the
// input, every member comes out whole; a damaged member is named and the
// rest still read; a damaged structure stops the read.
#include "archive/zip_stream.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "archive/al_entry.h"
#include "archive/al_file.h"
#include "archive/zip_archive.h"
#include "support/test_support.h"
#include "support/zip_test_util.h"

namespace vantrel {
namespace {

struct Seen : ALZipStreamReader::Visitor {
    bool Begin(const ALZipStreamReader::Member& m) override {
        names.push_back(m.name);
        bytes.emplace_back();
        return true;
    }
    bool Data(const char* data, size_t size) override {
        bytes.back().append(data, size);
        return true;
    }
    void End(const ALZipStreamReader::Member&, const ALStatus& status) override {
        faults.push_back(status.Ok() ? "" : status.GetStatusDetail());
    }
    std::vector<std::string> names, bytes, faults;
};

class ZipStream : public ::testing::Test {
  protected:
    void SetUp() override {
        contents = {test::TextBytes(300000, 1), test::RandomBytes(70000, 2), "", "tiny"};
        for (int level : {6, 0}) {
            ALEntryList list(ALEngineFactory::Deflate(level));
            for (size_t i = 0; i < contents.size(); ++i) {
                const std::string name = "m" + std::to_string(i) + ".bin";
                list.Add(std::make_unique<ALFile>("dir\\" + name, dir.Write(name, contents[i])));
            }
            const std::string path = dir / ("a" + std::to_string(level) + ".zip");
            ALZipArchive zip(path);
            ASSERT_EQ(0, zip.Create(list)) << zip.Status().GetStatusDetail();
            archives.push_back(test::ReadBytes(path));
        }
    }

    // Reads `bytes` handed over in chunks of `chunk` bytes.
    int Read(const std::string& bytes, size_t chunk, Seen& seen) {
        size_t at = 0;
        ALZipStreamReader reader;
        const int rc = reader.Read(
            [&]() -> std::span<const char> {
                const size_t n = std::min(chunk, bytes.size() - at);
                std::span<const char> part(bytes.data() + at, n);
                at += n;
                return part;
            },
            seen);
        detail = reader.Status().GetStatusDetail();
        return rc;
    }

    test::ScratchFolder dir;
    std::vector<std::string> contents;
    std::vector<std::string> archives;  // deflated, stored
    std::string detail;
};

TEST_F(ZipStream, EveryChunkingGivesEveryMemberWhole) {
    for (const std::string& archive : archives) {
        for (size_t chunk : {size_t{1}, size_t{7}, size_t{65536}, archive.size()}) {
            SCOPED_TRACE(chunk);
            Seen seen;
            ASSERT_EQ(al::kSuccess, Read(archive, chunk, seen)) << detail;
            EXPECT_EQ(seen.names, (std::vector<std::string>{"dir/m0.bin", "dir/m1.bin",
                                                            "dir/m2.bin", "dir/m3.bin"}));
            EXPECT_EQ(seen.bytes, contents);
            EXPECT_EQ(seen.faults, std::vector<std::string>(4));
        }
    }
}

TEST_F(ZipStream, ADamagedMemberIsNamedAndTheNextOnesAreStillRead) {
    for (std::string archive : archives) {
        // A byte in the middle of the first member's data.
        archive[20000] ^= 0x01;
        Seen seen;
        EXPECT_EQ(al::kSuccess, Read(archive, 4096, seen)) << detail;
        ASSERT_EQ(seen.faults.size(), 4u);
        EXPECT_NE(seen.faults[0].find("dir/m0.bin: "), std::string::npos) << seen.faults[0];
        EXPECT_EQ(seen.bytes[1], contents[1]);
        EXPECT_EQ(seen.faults[3], "");
    }
}

TEST_F(ZipStream, ADamagedStructureStopsTheRead) {
    const std::string& good = archives[0];
    Seen cut;
    EXPECT_EQ(al::kInvalidArchive, Read(good.substr(0, good.size() - 30), 1000, cut));
    EXPECT_EQ(detail, "The archive ends before its end record");

    // A central record whose CRC is not its member's.
    std::string other = good;
    const size_t central = other.rfind("PK\x01\x02", std::string::npos);
    ASSERT_NE(central, std::string::npos);
    test::PutU32(other, central + 16, test::U32(other, central + 16) ^ 1);
    Seen crc;
    EXPECT_EQ(al::kInvalidArchive, Read(other, 1000, crc));
    EXPECT_EQ(detail, "Central directory record 4 does not match its member");

    // Junk where the next header should be.
    std::string junk = good;
    junk.replace(junk.find("PK\x03\x04", 10), 4, "JUNK");
    Seen stop;
    EXPECT_EQ(al::kInvalidArchive, Read(junk, 1000, stop));
    EXPECT_EQ(stop.names.size(), 1u);
}

}  // namespace
}  // namespace vantrel
