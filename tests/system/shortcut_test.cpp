#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <wrl/client.h>
#include <gtest/gtest.h>

#include "common/shortcut.h"
#include "tests/system/test_folder.h"

namespace {

using Microsoft::WRL::ComPtr;

class Shortcut : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))); }
  void TearDown() override { CoUninitialize(); }

  // Saves a shortcut to target with the shell's own link object.
  bool MakeShortcut(const std::string& linkPath, const std::string& target) {
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)))) return false;
    link->SetPath(target.c_str());
    ComPtr<IPersistFile> file;
    if (FAILED(link.As(&file))) return false;
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
    return SUCCEEDED(file->Save(wide, TRUE));
  }

  TestFolder folder_{"shortcut_test"};
};

TEST_F(Shortcut, ResolvesToItsTarget) {
  std::string target = folder_ / "document.txt";
  WriteTestFile(target, "text");
  ASSERT_TRUE(MakeShortcut(folder_ / "document.lnk", target));
  std::string resolved = ResolveShortcut(folder_ / "document.lnk");
  EXPECT_EQ(_stricmp(resolved.c_str(), target.c_str()), 0) << resolved;
}

TEST_F(Shortcut, AnythingElseGivesAnEmptyPath) {
  WriteTestFile(folder_ / "plain.lnk", "not a shortcut at all");
  EXPECT_EQ(ResolveShortcut(folder_ / "plain.lnk"), "");
  EXPECT_EQ(ResolveShortcut(folder_ / "missing.lnk"), "");
  EXPECT_EQ(ResolveShortcut(""), "");
}

}  // namespace
