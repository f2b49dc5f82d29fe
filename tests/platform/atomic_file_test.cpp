#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_dir.h"

namespace lexo {
namespace {

using lexo::testing::readBytes;
using lexo::testing::TempDir;
using lexo::testing::writeBytes;

TEST(AtomicFile, ReplacesKeepsModeAndFollowsLinks) {
    TempDir dir;
    writeBytes(dir / "f", "old");
    ::chmod((dir / "f").c_str(), 0600);
    std::filesystem::create_symlink(dir / "f", dir / "link");
    ASSERT_TRUE(writeFileAtomically(dir / "link", "new").ok);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link"));
    EXPECT_EQ(readBytes(dir / "f"), "new");
    struct stat st {};
    ::stat((dir / "f").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(AtomicFile, ReadRefusesWhatItCannotRead) {
    TempDir dir;
    writeBytes(dir / "big", std::string(100, 'x'));
    EXPECT_EQ(readWholeFile(dir / "big", 99).status, ReadStatus::TooLarge);
    EXPECT_EQ(readWholeFile(dir / "big", 100).data.size(), 100u);
    EXPECT_EQ(readWholeFile(dir / "none", 100).status, ReadStatus::CannotOpen);
    EXPECT_EQ(readWholeFile(dir.path(), 100).status, ReadStatus::CannotOpen);
}

}  // namespace
}  // namespace lexo
