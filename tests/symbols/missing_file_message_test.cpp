// A symbol file named explicitly but missing is reported to the user.
#include <gtest/gtest.h>

#include "common/default_key.h"
#include "common/errors.h"
#include "gesture/symbol_file.h"
#include "tests/symbols/message_box_watcher.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(MissingSymbolFile, ShowsTheWarningWithThePathThenThrows) {
  TempFolder folder;
  const std::string path = folder.file("gone.zts");
  bool threw = false;
  std::string shownText, shownCaption;
  bool shown = false, icon = false;
  {
    MessageBoxWatcher watcher;
    try {
      LoadSymbolFile(path, DefaultKey());
    } catch (const ZReadError& error) {
      threw = true;
      EXPECT_EQ(error.code(), 0);
    }
    watcher.join();
    shown = watcher.seen();
    shownCaption = watcher.caption();
    shownText = watcher.text();
    icon = watcher.hasWarningIcon();
  }
  EXPECT_TRUE(threw);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shownCaption, "Zavotra");
  EXPECT_NE(shownText.find(path), std::string::npos) << shownText;
  EXPECT_NE(shownText.find("Error: this file does not exist."), std::string::npos) << shownText;
  EXPECT_TRUE(icon);
}

}  // namespace
