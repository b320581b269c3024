#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "common/directory_tree.h"
#include "tests/system/test_folder.h"

namespace {

// source: a.txt, sub\b.txt, sub\deeper\d.txt, sub\dummy (a file),
// DuMmY\c.txt (a folder), empty\ (an empty folder).
class DirectoryTree : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryA((root_ / "source").c_str(), nullptr);
    for (const char* folder : {"source\\sub", "source\\sub\\deeper", "source\\DuMmY", "source\\empty"}) {
      CreateDirectoryA((root_ / folder).c_str(), nullptr);
    }
    WriteTestFile(root_ / "source\\a.txt", "alpha");
    WriteTestFile(root_ / "source\\sub\\b.txt", "beta");
    WriteTestFile(root_ / "source\\sub\\deeper\\d.txt", "delta");
    WriteTestFile(root_ / "source\\sub\\dummy", "placeholder");
    WriteTestFile(root_ / "source\\DuMmY\\c.txt", "gamma");
  }

  TestFolder root_{"directory_tree_test"};
};

// A real progress bar counts the steps it receives.
class ProgressBar {
 public:
  ProgressBar() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    window_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_POPUP, 0, 0, 100, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SendMessageA(window_, PBM_SETRANGE32, 0, 100);
    SendMessageA(window_, PBM_SETSTEP, 1, 0);
  }
  ~ProgressBar() { DestroyWindow(window_); }
  HWND window() const { return window_; }
  LRESULT steps() const { return SendMessageA(window_, PBM_GETPOS, 0, 0); }

 private:
  HWND window_;
};

TEST_F(DirectoryTree, CopySkipsDummyInAnyCaseAndStepsOncePerCopiedFile) {
  ProgressBar progress;
  ASSERT_NE(progress.window(), nullptr);
  CreateDirectoryA((root_ / "target").c_str(), nullptr);
  CreateDirectoryA((root_ / "target\\sub").c_str(), nullptr);  // existing folders are accepted
  WriteTestFile(root_ / "target\\a.txt", "stale content that is longer");

  EXPECT_TRUE(CopyDirectoryTree(root_ / "source", root_ / "target", progress.window()));

  EXPECT_EQ(ReadTestFile(root_ / "target\\a.txt"), "alpha");  // overwritten
  EXPECT_EQ(ReadTestFile(root_ / "target\\sub\\b.txt"), "beta");
  EXPECT_EQ(ReadTestFile(root_ / "target\\sub\\deeper\\d.txt"), "delta");
  EXPECT_TRUE(Exists(root_ / "target\\empty"));
  EXPECT_FALSE(Exists(root_ / "target\\DuMmY"));
  EXPECT_FALSE(Exists(root_ / "target\\sub\\dummy"));
  EXPECT_EQ(progress.steps(), 3);  // a, b, d: nothing for folders or skipped entries
}

TEST_F(DirectoryTree, CopyWorksWithoutProgressAndWithTrailingBackslashes) {
  CreateDirectoryA((root_ / "target").c_str(), nullptr);
  EXPECT_TRUE(CopyDirectoryTree(root_ / "source\\", root_ / "target\\", nullptr));
  EXPECT_EQ(ReadTestFile(root_ / "target\\sub\\deeper\\d.txt"), "delta");
}

TEST_F(DirectoryTree, CopyFailsOnlyWhenTheSourceCannotBeListed) {
  EXPECT_FALSE(CopyDirectoryTree(root_ / "missing", root_ / "target", nullptr));
  EXPECT_FALSE(CopyDirectoryTree("", root_ / "target", nullptr));
  EXPECT_FALSE(CopyDirectoryTree(root_ / "source", "", nullptr));
  // A missing destination folder is not listed, only written to: the single
  // copies fail, which is not reported.
  EXPECT_TRUE(CopyDirectoryTree(root_ / "source", root_ / "nowhere\\deeper", nullptr));
  EXPECT_FALSE(Exists(root_ / "nowhere"));
}

TEST_F(DirectoryTree, DeleteRemovesTheWholeTreeWithReadOnlyFiles) {
  SetFileAttributesA((root_ / "source\\sub\\b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(DeleteDirectoryTree(root_ / "source"));
  EXPECT_FALSE(Exists(root_ / "source"));
  EXPECT_TRUE(Exists(root_.path()));
}

TEST_F(DirectoryTree, DeleteReportsWhetherTheTopFolderWasRemoved) {
  EXPECT_FALSE(DeleteDirectoryTree(root_ / "missing"));
  EXPECT_FALSE(DeleteDirectoryTree(""));
  // A file held open cannot be deleted, so its folders stay.
  HANDLE held = CreateFileA((root_ / "source\\sub\\b.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(DeleteDirectoryTree(root_ / "source"));
  CloseHandle(held);
  EXPECT_TRUE(Exists(root_ / "source\\sub\\b.txt"));
  EXPECT_FALSE(Exists(root_ / "source\\a.txt"));
}

TEST_F(DirectoryTree, DeleteUnlinksALinkedFolderWithoutEmptyingItsTarget) {
  CreateDirectoryA((root_ / "outside").c_str(), nullptr);
  WriteTestFile(root_ / "outside\\keep.txt", "precious");
  // Some systems (Wine) report success without making the link visible.
  if (!CreateSymbolicLinkA((root_ / "source\\link").c_str(), (root_ / "outside").c_str(),
                           SYMBOLIC_LINK_FLAG_DIRECTORY) ||
      !Exists(root_ / "source\\link\\keep.txt")) {
    GTEST_SKIP() << "this system cannot create folder links";
  }
  EXPECT_TRUE(DeleteDirectoryTree(root_ / "source"));
  EXPECT_EQ(ReadTestFile(root_ / "outside\\keep.txt"), "precious");
}

}  // namespace
