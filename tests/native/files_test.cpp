#include "platform/files.h"

#include <gtest/gtest.h>

#include "tests/native/test_support.h"

namespace ventrio {
namespace {

using test::ReadText;
using test::TempDir;

size_t EntriesIn(const std::filesystem::path& folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                             std::filesystem::directory_iterator()));
}

TEST(Files, AtomicWriteReplacesTheWholeFileAndLeavesNoTemporary) {
    TempDir dir;
    const std::vector<uint8_t> first(5000, 0xAA);
    const std::vector<uint8_t> second = {1, 2, 3};
    ASSERT_FALSE(WriteFileAtomic(dir / "f.bin", first));
    ASSERT_FALSE(WriteFileAtomic(dir / "f.bin", second));
    EXPECT_EQ(test::ReadBytes(dir / "f.bin"), second);
    EXPECT_EQ(FileSize(dir / "f.bin"), 3u);
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(Files, FailedWriteLeavesTheTargetAsItWas) {
    TempDir dir;
    // A folder cannot be replaced by a file: the rename fails after the data was written.
    std::filesystem::create_directory(dir / "target");
    test::WriteText(dir / "target" / "inside.txt", "kept");
    const std::vector<uint8_t> data = {9, 9, 9};
    EXPECT_TRUE(WriteFileAtomic(dir / "target", data));
    EXPECT_EQ(ReadText(dir / "target" / "inside.txt"), "kept");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);

    // No folder to put the file in.
    EXPECT_TRUE(WriteFileAtomic(dir / "missing" / "f.bin", data));
    EXPECT_FALSE(FileExists(dir / "missing" / "f.bin"));
}

TEST(Files, ReadsAtMostTheLimit) {
    TempDir dir;
    test::WriteText(dir / "f", "abcdef");
    EXPECT_EQ(ReadFileBytes(dir / "f", 4), (std::vector<uint8_t>{'a', 'b', 'c', 'd'}));
    EXPECT_EQ(ReadFileBytes(dir / "f")->size(), 6u);
    EXPECT_EQ(ReadFileBytes(dir / "none"), std::nullopt);
    EXPECT_FALSE(FileExists(dir.Path()));  // a folder is not a file
    EXPECT_EQ(FileSize(dir / "none"), std::nullopt);
}

TEST(Files, Utf8PathsSurvive) {
    TempDir dir;
    const auto path = dir.Path() / PathFromUtf8("配置 ü.bin");
    const std::vector<uint8_t> data = {7};
    ASSERT_FALSE(WriteFileAtomic(path, data));
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(PathToUtf8(path.filename()), "配置 ü.bin");
}

}  // namespace
}  // namespace ventrio
