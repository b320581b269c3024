// The service list and the credential table: their text forms, the display
// name and login rules, and that no freed buffer keeps a password.
#include <gtest/gtest.h>

#include "actions/credential_table.h"
#include "actions/service_list.h"
#include "tests/support/freed_memory_watch.h"

bool operator==(const CredentialPair& a, const CredentialPair& b) {
  return a.login == b.login && a.password == b.password;
}

namespace {

using Pairs = CredentialTable::Pairs;

std::map<uint32_t, Pairs> Parsed(const std::string& text) {
  CredentialTable table;
  table.parse(text.data(), text.size());
  return table.entries();
}

TEST(CredentialTableTest, ReadsItsLines) {
  struct Case {
    std::string text;
    std::map<uint32_t, Pairs> entries;
  };
  const Case cases[] = {
      {"", {}},
      {"7\t1\tme\tpw\n", {{7, {{"me", "pw"}}}}},
      {"7\t2\ta\tb\tc\td\r\n9\t0\n", {{7, {{"a", "b"}, {"c", "d"}}}, {9, {}}}},
      // Leading blanks; CR ends a password; the last line needs no LF.
      {"  \t3\t1\tx y\tp q\r12\t1\tl\tp", {{3, {{"x y", "p q"}}}, {12, {{"l", "p"}}}}},
      // Empty fields; a line shorter than its count keeps what it has.
      {"4\t1\t\t\n5\t3\tonly\tone\n", {{4, {{"", ""}}}, {5, {{"only", "one"}}}}},
      // A claimed count far beyond the line reads the line only.
      {"6\t4294967295\ta\tb\n", {{6, {{"a", "b"}}}}},
      // Lines without a key or count hold nothing.
      {"x\t1\ta\tb\n8\n8x\t1\ta\tb\n\n2\t1\tu\tv\n", {{2, {{"u", "v"}}}}},
      {"4294967295\t1\tmax\tkey\n", {{4294967295u, {{"max", "key"}}}}},
      {"1\t1\tstops\tat\0nul\n2\t1\ta\tb\n", {{1, {{"stops", "at"}}}}},
  };
  for (const Case& c : cases) EXPECT_EQ(Parsed(c.text), c.entries) << c.text;
}

TEST(CredentialTableTest, WritesKeysInOrderAndReadsBackWhatItWrote) {
  CredentialTable table;
  table.replace(20, {"second", "two"});
  table.replace(3, {"first", "one"});
  table.replace(20, {"replaced", "2"});
  std::string text = table.format();
  EXPECT_EQ(text, "3\t1\tfirst\tone\n20\t1\treplaced\t2\n");
  EXPECT_EQ(Parsed(text), table.entries());
  EXPECT_TRUE(table.remove(3));
  EXPECT_FALSE(table.remove(3));
  EXPECT_EQ(table.format(), "20\t1\treplaced\t2\n");
}

TEST(CredentialTableTest, FieldBreaksAreLeftOutSoNoEntryIsForged) {
  CredentialTable table;
  table.replace(1, {"a\tb", "c\r\n2\t1\tevil\tx"});
  const std::string text = table.format();
  EXPECT_EQ(text, "1\t1\tab\tc21evilx\n");
  EXPECT_EQ(Parsed(text).size(), 1u);
}

TEST(CredentialTableTest, CompleteMeansThatManyPairsEachWithALogin) {
  CredentialTable table;
  table.parse("1\t1\tme\tpw\n2\t2\ta\tb\t\tc\n3\t0\n4\t1\tme\t\n", 44);
  struct Case {
    uint32_t key;
    size_t logins;
    bool complete;
  };
  const Case cases[] = {{1, 1, true}, {1, 2, false}, {2, 2, false}, {3, 0, true},
                        {3, 1, false}, {4, 1, true}, {9, 1, false}};
  for (const Case& c : cases)
    EXPECT_EQ(CredentialsComplete(table, c.key, c.logins), c.complete) << c.key << " " << c.logins;
}

TEST(CredentialTableTest, NoFreedBufferKeepsAPassword) {
  const std::string secret = "correct horse battery staple";
  std::string text = "5\t1\tsomeone\t" + secret + "\n";
  const CredentialPair pair{"login", secret};
  int leaks = 0;
  {
    ZFreedMemoryWatch watch(secret);
    CredentialTable table;
    table.parse(text.data(), text.size());
    std::string written = table.format();
    EXPECT_EQ(written, text);
    for (int i = 0; i < 40; ++i) table.replace(static_cast<uint32_t>(i), pair);
    table.remove(7);
    written.assign(written.size(), '\0');
    table.clear();
    leaks = watch.leaks();
  }
  EXPECT_EQ(leaks, 0);
}

TEST(ServiceListTest, ReadsOneServicePerLine) {
  const std::string text =
      "\r\n21\t3\t7\t0\t0\t44\t9\tNews\tNachrichten\thttp://news.example/\tforms[0].submit();\tTAB;\r\n"
      "22\t1\t2\t3\n"                                   // too few fields
      "-5\t0\t0\t1\t0\t0\t4294967295\tA\tB\turl\t\n"     // an empty script
      "23\t0\t0\t0\t0\t0\t0\tX\tY\tu\tfirst\n";
  ServiceList list;
  list.parse(text.data(), text.size());
  ASSERT_EQ(list.services().size(), 3u);
  const ServiceDefinition& news = list.services()[0];
  EXPECT_EQ(news.id, 21);
  EXPECT_EQ(news.typeId(), 3);
  EXPECT_EQ(news.soundEvent(), 1031);
  EXPECT_EQ(news.countryId(), 44);
  EXPECT_EQ(news.credentialKey(), 9u);
  EXPECT_EQ(news.t2, "http://news.example/");
  EXPECT_EQ(news.t3, "forms[0].submit();\tTAB;");
  EXPECT_EQ(news.displayName(), "Nachrichten");
  EXPECT_EQ(list.services()[1].id, -5);
  EXPECT_EQ(list.services()[1].credentialKey(), 4294967295u);
  EXPECT_EQ(list.services()[1].displayName(), "A");  // i2 is 1
  EXPECT_EQ(list.find(23)->t3, "first");
  EXPECT_EQ(list.find(22), nullptr);

  list.parse("", 0);
  EXPECT_TRUE(list.services().empty());
}

TEST(ServiceListTest, DisplayNameAndLoginCount) {
  ServiceDefinition service;
  service.t0 = "first";
  service.t1 = "second";
  const std::pair<int, int> names[] = {{0, 0}, {1, 0}, {0, 1}, {2, 2}, {1, 1}};
  for (const auto& [i2, i3] : names) {
    service.i[2] = i2;
    service.i[3] = i3;
    EXPECT_EQ(service.displayName(), i2 == 1 || i3 == 1 ? "first" : "second");
  }
  service.t3 = "elements[u].value = %LOGIN0%; elements[v].value = %LOGIN1%;";
  EXPECT_EQ(service.loginCount(), 2u);
}

}  // namespace
