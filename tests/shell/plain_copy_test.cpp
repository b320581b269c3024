// Reading an encrypted profile file goes through a plain copy in the
// temporary folder. Whatever step of the read fails, also by running out of
// memory, the copy is gone afterwards. The allocation failures are injected by
// this program's own operator new.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "shell/profile_cipher.h"
#include "shell_test_support.h"
#include "tests/support/temp_folder.h"

namespace {
size_t gLargeSize = 0;   // allocations of at least this many bytes are counted
int gFailingLarge = 0;   // the one that fails, counting from 1; 0 for none
int gLargeSeen = 0;
}  // namespace

void* operator new(size_t size) {
  if (gFailingLarge && size >= gLargeSize && ++gLargeSeen == gFailingLarge) throw std::bad_alloc();
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, size_t) noexcept { std::free(block); }

namespace {

TEST(PlainCopy, NoFailingStepOfAnEncryptedReadLeavesTheCopyBehind) {
  TempFolder folder;
  const std::string temp = folder.file("temp");
  CreateDirectoryA(temp.c_str(), nullptr);
  ScopedTempRedirect redirect(temp);
  const ZKeyBlock key = ProfileDefaultKey();
  const std::string plain(64 * 1024, 'p');
  const std::string path = folder.file("settings");
  ASSERT_TRUE(WriteEncryptedFile(path, key, plain));

  for (int failing = 1; failing <= 8; ++failing) {
    SCOPED_TRACE("large allocation " + std::to_string(failing) + " fails");
    std::string read;
    gLargeSize = plain.size();
    gLargeSeen = 0;
    gFailingLarge = failing;
    try {
      ReadEncryptedFile(path, key, read);
    } catch (const std::bad_alloc&) {
      // Passed on to the caller: what counts is what is left on disk.
    }
    gFailingLarge = 0;
    EXPECT_EQ(folder.fileNames(temp), std::vector<std::string>());
  }
  std::string read;
  ASSERT_TRUE(ReadEncryptedFile(path, key, read));
  EXPECT_EQ(read, plain);
}

}  // namespace
