#include "ui/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "testing/file_size_limit.h"
#include "testing/temp_folder.h"

namespace tessarin {
namespace {

namespace fs = std::filesystem;

class FileIoTest : public ::testing::Test {
 protected:
  size_t FilesInFolder() const {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }

  testing::TempFolder temp_;
  const fs::path folder_ = temp_.path();
};

TEST_F(FileIoTest, WritesAndReadsBackEveryByte) {
  const std::string bytes("a\r\nb\0\xE9\xFF", 7);
  ASSERT_TRUE(WriteFileAtomically(folder_ / "out.asm", bytes).ok());
  EXPECT_EQ(ReadFileBytes(folder_ / "out.asm"), bytes);
  ASSERT_TRUE(WriteFileAtomically(folder_ / "out.asm", "").ok());
  EXPECT_EQ(ReadFileBytes(folder_ / "out.asm"), "");
  EXPECT_EQ(FilesInFolder(), 1u);  // no temporary file left behind
}

TEST_F(FileIoTest, FailedWriteKeepsTheOldFile) {
  const fs::path kept = folder_ / "keep.asm";
  ASSERT_TRUE(WriteFileAtomically(kept, "old").ok());
  {
    // The disk fills up halfway through the new content.
    testing::FileSizeLimit limit(4);
    Status status = WriteFileAtomically(kept, "new and longer");
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.message(), "File too large");
  }
  EXPECT_EQ(ReadFileBytes(kept), "old");
  EXPECT_EQ(FilesInFolder(), 1u);  // the temporary file is gone too

  // A folder that does not exist: no temporary file can be made there.
  Status status = WriteFileAtomically(folder_ / "missing" / "keep.asm", "new");
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(status.message(), "No such file or directory");
  // A folder in place of the file: the rename fails.
  fs::create_directory(folder_ / "dir.asm");
  fs::create_directory(folder_ / "dir.asm" / "inside");
  EXPECT_FALSE(WriteFileAtomically(folder_ / "dir.asm", "new").ok());
  EXPECT_EQ(FilesInFolder(), 2u);
}

TEST_F(FileIoTest, PipesAreWrittenInPlace) {
  // /dev/stdout of a process whose output goes to a pipe is such a link.
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  const std::string link = "/proc/self/fd/" + std::to_string(ends[1]);
  EXPECT_TRUE(WriteFileAtomically(link, "piped").ok());
  ::close(ends[1]);
  char got[16] = {};
  EXPECT_EQ(::read(ends[0], got, sizeof got), 5);
  ::close(ends[0]);
  EXPECT_STREQ(got, "piped");
}

TEST_F(FileIoTest, FullDeviceIsAFailure) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  Status status = WriteFileAtomically("/dev/full", "bytes");
  EXPECT_FALSE(status.ok());
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST_F(FileIoTest, ReplacedFileKeepsItsModeAndLinksStay) {
  const fs::path real = folder_ / "real.asm";
  ASSERT_TRUE(WriteFileAtomically(real, "one").ok());
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink(real, folder_ / "link.asm");
  ASSERT_TRUE(WriteFileAtomically(folder_ / "link.asm", "two").ok());
  EXPECT_TRUE(fs::is_symlink(folder_ / "link.asm"));
  EXPECT_EQ(ReadFileBytes(real), "two");
  EXPECT_EQ(fs::status(real).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(FileIoTest, ReadingWhatIsNotThere) {
  EXPECT_EQ(ReadFileBytes(folder_ / "none.hex").message(), "No such file or directory");
  EXPECT_EQ(ReadFileBytes(folder_).message(), "Is a directory");
  EXPECT_FALSE(ReadFileBytes("").ok());
}

TEST(BaseName, DropsTheWholeExtensionWhateverItsLength) {
  EXPECT_EQ(BaseName("PROG.HEX"), "PROG");
  EXPECT_EQ(BaseName("prog.ihex"), "prog");
  EXPECT_EQ(BaseName("prog.ihx"), "prog");
  EXPECT_EQ(BaseName("a.b.hex"), "a.b");
  EXPECT_EQ(BaseName("prog.h\xC3\xA9x"), "prog");           // "prog.héx"
  EXPECT_EQ(BaseName("\xE2\x82\xAC.hex"), "\xE2\x82\xAC");  // "€.hex"
  EXPECT_EQ(BaseName("result"), "result");                  // no extension: the whole name
  EXPECT_EQ(BaseName(".hex"), ".hex");                      // a hidden file, no extension
  EXPECT_EQ(BaseName("prog."), "prog");
  EXPECT_FALSE(BaseName("").has_value());
}

}  // namespace
}  // namespace tessarin
