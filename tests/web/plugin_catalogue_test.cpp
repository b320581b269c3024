// The download wizard's choice from the service's catalogue: the lines of
// "plgndscr", the languages in use, the application list, and which
// plug-ins are selected and still wanted.
#include <gtest/gtest.h>

#include "web/plugin_catalogue.h"

namespace {

// English 1, French 2; companies 10 and 20.
const char kCatalogue[] =
    "  101\t1\t10\tWord\r\n"
    "102\t1\t20\tExcel\r\n"
    "103\t1\t10\tExcel\r\n"
    "104\t2\t10\tWord\r\n"
    "105\t1\t20\tAccess\tignored after a tab\r\n"
    "not a record\r\n"
    "106\t1\t\r\n"
    "107\t1\t10\tWord\n"
    "108\t3\t30\t";

std::vector<ZCatalogueRecord> Records() { return ParsePluginCatalogue(kCatalogue); }

}  // namespace

TEST(PluginCatalogue, ReadsTheRecordLines) {
  const auto records = Records();
  ASSERT_EQ(records.size(), 7u);
  EXPECT_EQ(records[0].id, 101);
  EXPECT_EQ(records[0].application, "Word");
  EXPECT_EQ(records[4].application, "Access");
  EXPECT_EQ(records[5].id, 107);
  EXPECT_EQ(records[6].id, 108);
  EXPECT_EQ(records[6].application, "");
  EXPECT_TRUE(ParsePluginCatalogue("").empty());
  EXPECT_EQ(ParsePluginCatalogue("99999999999\t-99999999999\t1\tx\n").front().id, INT32_MAX);
}

TEST(PluginCatalogue, LanguagesInUseAscendingOnce) {
  EXPECT_EQ(LanguagesInUse(Records()), (std::vector<int32_t>{1, 2, 3}));
}

TEST(PluginCatalogue, AnyCompanyListsTheApplicationsOfEveryCompany) {
  const auto records = Records();
  EXPECT_EQ(ApplicationNames(records, 1, kAnyCompany), (std::vector<std::string>{"Access", "Excel", "Word"}));
  EXPECT_EQ(ApplicationNames(records, 1, 10), (std::vector<std::string>{"Excel", "Word"}));
  EXPECT_EQ(ApplicationNames(records, 1, 99), std::vector<std::string>{});
  // Byte order: capitals before small letters, as the box shows them.
  EXPECT_EQ(ApplicationNames(ParsePluginCatalogue("1\t1\t1\tb\n2\t1\t1\tB\n3\t1\t1\ta\n"), 1, kAnyCompany),
            (std::vector<std::string>{"B", "a", "b"}));
}

TEST(PluginCatalogue, ChoosingAnApplicationSelectsOnlyItsPlugins) {
  const auto records = Records();
  const ZPluginChoice word = ChoosePlugins(records, 1, kAnyCompany, {"Word"}, {});
  EXPECT_EQ(word.selected, (std::vector<int32_t>{101, 107}));
  const ZPluginChoice all = ChoosePlugins(records, 1, kAnyCompany, ApplicationNames(records, 1, kAnyCompany), {103});
  EXPECT_EQ(all.selected, (std::vector<int32_t>{105, 102, 103, 101, 107}));  // application by application
  EXPECT_EQ(all.wanted, (std::vector<int32_t>{105, 102, 101, 107}));
}

TEST(PluginCatalogue, AnotherLanguageNeverAppears) {
  const auto records = Records();
  for (int32_t company : {kAnyCompany, 10, 20}) {
    const ZPluginChoice choice =
        ChoosePlugins(records, 1, company, ApplicationNames(records, 1, company), {});
    EXPECT_EQ(std::count(choice.selected.begin(), choice.selected.end(), 104), 0) << company;
    EXPECT_EQ(std::count(choice.selected.begin(), choice.selected.end(), 108), 0) << company;
  }
  EXPECT_EQ(ChoosePlugins(records, 2, kAnyCompany, {"Word"}, {}).selected, std::vector<int32_t>{104});
}

TEST(PluginCatalogue, EverythingPresentWantsNothing) {
  const auto records = Records();
  const ZPluginChoice choice = ChoosePlugins(records, 1, 10, {"Excel", "Word"}, {101, 103, 107});
  EXPECT_EQ(choice.selected.size(), 3u);
  EXPECT_TRUE(choice.wanted.empty());
}

TEST(PluginCatalogue, DownloadedFileNames) {
  EXPECT_EQ(DownloadedPluginName(42), "wps000042.zta");
  EXPECT_EQ(DownloadedPluginName(1234567), "wps1234567.zta");
  EXPECT_EQ(DownloadedPluginId("wps000042.zta"), 42);
  EXPECT_EQ(DownloadedPluginId("WPS000042.ZTA"), 42);
  EXPECT_EQ(DownloadedPluginId("abc17x.zta"), 17);
  EXPECT_EQ(DownloadedPluginId("wpsX.zta"), 0);
  EXPECT_EQ(DownloadedPluginId("a.z"), 0);
}
