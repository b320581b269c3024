// A save that fails half-way, because the disk is full or because another
// program holds the file at the moment it is replaced, leaves the previous
// file byte for byte as it was, for every kind of file the profile writes, in
// a profile without password and in a protected one.
#include <gtest/gtest.h>

#include <functional>

#include "common/default_key.h"
#include "common/errors.h"
#include "common/file_replacement.h"
#include "common/id_text_table.h"
#include "common/password_key.h"
#include "gesture/symbol_file.h"
#include "plugins/plugin.h"
#include "shell/settings_file.h"
#include "shell/usage_counters.h"
#include "shell_test_support.h"
#include "tests/support/temp_copy_test.h"

namespace {

// One kind of file: writes version `v` of its content, reads back which one it holds.
struct FileKind {
  const char* name;
  const char* fileName;
  std::function<bool(const std::string& path, const ZKeyBlock& key, int v)> save;
  std::function<int(const std::string& path, const ZKeyBlock& key)> version;  // -1: unreadable
};

template <typename Write>
bool Succeeds(Write write) {
  try {
    write();
    return true;
  } catch (const ZWriteError&) {
    return false;
  }
}

template <typename Read>
int VersionOr(Read read) {
  try {
    return read();
  } catch (const ZReadError&) {
    return -1;
  }
}

const FileKind kKinds[] = {
    {"settings", "settings",
     [](const std::string& path, const ZKeyBlock& key, int v) {
       ZSettings settings;
       settings.windowX = v;
       settings.exeFolder = std::string(200 * v, 'x');  // each version a different size
       return SaveSettings(path, key, settings);
     },
     [](const std::string& path, const ZKeyBlock& key) {
       ZSettings settings;
       LoadSettings(path, key, settings);
       return settings.windowX == 2147483647 ? -1 : settings.windowX;
     }},
    {"counters", "stsl",
     [](const std::string& path, const ZKeyBlock& key, int v) {
       ZUsageCounters counters;
       for (int i = 0; i < 20 * v; ++i) counters.set(i, ZUsageCount{static_cast<uint32_t>(v), 0});
       return SaveCounters(path, key, counters);
     },
     [](const std::string& path, const ZKeyBlock& key) {
       ZUsageCounters counters;
       LoadCounters(path, key, counters);
       return counters.entries().empty() ? -1 : static_cast<int>(counters.entries().begin()->second.total);
     }},
    {"table", "ids",
     [](const std::string& path, const ZKeyBlock& key, int v) {
       ZIdTextTable table;
       for (int i = 0; i < 10 * v; ++i) table.entries()[static_cast<uint32_t>(i)] = "version " + std::to_string(v);
       return table.writeEncrypted(path.c_str(), key);
     },
     [](const std::string& path, const ZKeyBlock& key) {
       ZIdTextTable table;
       if (!table.readEncrypted(path.c_str(), key) || !table.find(0)) return -1;
       return std::stoi(table.find(0)->substr(8));
     }},
    {"symbol", "mine.zts",
     [](const std::string& path, const ZKeyBlock& key, int v) {
       Symbol symbol;
       symbol.setName("version " + std::to_string(v));
       symbol.setSortName(std::string(300 * v, 's'));
       return Succeeds([&] { SaveSymbolFile(symbol, path, key); });
     },
     [](const std::string& path, const ZKeyBlock& key) {
       return VersionOr([&] { return std::stoi(LoadSymbolFile(path, key).name().substr(8)); });
     }},
    {"plug-in", "wpu000000.zta",
     [](const std::string& path, const ZKeyBlock& key, int v) {
       ZPlugin plugin;
       plugin.setName("version " + std::to_string(v));
       plugin.setComments(std::string(5000 * v, 'c'));  // past the small-stream cut-off
       return Succeeds([&] { plugin.saveAs(path, key); });
     },
     [](const std::string& path, const ZKeyBlock& key) {
       return VersionOr([&] {
         ZPlugin plugin;
         plugin.read(path, nullptr, key);
         return std::stoi(plugin.name().substr(8));
       });
     }},
};

enum class Fault { DiskFullHalfWay, HeldByAnotherProgram };

class SaveFaults : public ZTempCopyTest {
 protected:
  void TearDown() override {
    SaveConditions() = ZSaveConditions();
    ZTempCopyTest::TearDown();
  }

  // Names in the folder that are neither the file nor the temporary folder.
  std::vector<std::string> strays(const std::string& fileName) const {
    std::vector<std::string> names;
    for (const std::string& name : folder_.fileNames())
      if (name != fileName) names.push_back(name);
    return names;
  }
};

TEST_F(SaveFaults, AFailedSaveLeavesThePreviousFileByteForByte) {
  ZDefaultKeyLifetime defaultKey;
  const struct {
    const char* name;
    ZKeyBlock key;
  } profiles[] = {{"no password", ProfileDefaultKey()}, {"protected", DeriveKey("a password")}};
  const Fault faults[] = {Fault::DiskFullHalfWay, Fault::HeldByAnotherProgram};

  for (const FileKind& kind : kKinds) {
    for (const auto& profile : profiles) {
      for (Fault fault : faults) {
        SCOPED_TRACE(std::string(kind.name) + ", " + profile.name +
                     (fault == Fault::DiskFullHalfWay ? ", disk full" : ", held open"));
        const std::string path = folder_.file(kind.fileName);
        DeleteFileA(path.c_str());
        ASSERT_TRUE(kind.save(path, profile.key, 1));
        const std::vector<uint8_t> before = ReadWholeFile(path);
        ASSERT_FALSE(before.empty());
        ASSERT_EQ(kind.version(path, profile.key), 1);

        HANDLE holder = INVALID_HANDLE_VALUE;
        if (fault == Fault::DiskFullHalfWay) {
          SaveConditions().freeSpace = before.size() / 2;
        } else {
          // An indexer or a virus scanner opens the file just then, for reading.
          SaveConditions().beforeReplace = [&](const std::string& target) {
            if (holder == INVALID_HANDLE_VALUE)
              holder = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
          };
        }
        EXPECT_FALSE(kind.save(path, profile.key, 2));
        SaveConditions() = ZSaveConditions();
        if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);

        EXPECT_EQ(ReadWholeFile(path), before);
        EXPECT_EQ(kind.version(path, profile.key), 1);
        EXPECT_EQ(strays(kind.fileName), std::vector<std::string>());
        EXPECT_TRUE(leftovers().empty());

        // And once the disk has room again, the next save goes through.
        EXPECT_TRUE(kind.save(path, profile.key, 3));
        EXPECT_EQ(kind.version(path, profile.key), 3);
        DeleteFileA(path.c_str());
      }
    }
  }
}

}  // namespace
