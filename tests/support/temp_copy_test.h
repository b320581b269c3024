// A fixture for the tests of encrypted compound files: COM for the storage
// calls, and the process's temporary folder pointed at a folder of the test's
// own, so that any decrypted copy left behind is seen.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

class ZTempCopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    CreateDirectoryA(temp_.c_str(), nullptr);
    redirect_ = std::make_unique<ScopedTempRedirect>(temp_);
  }
  void TearDown() override {
    redirect_.reset();
    CoUninitialize();
  }
  // Decrypted copies left in the temporary folder.
  std::vector<std::string> leftovers() const { return folder_.fileNames(temp_); }

  TempFolder folder_;
  const std::string temp_ = folder_.file("temp");
  std::unique_ptr<ScopedTempRedirect> redirect_;
};
