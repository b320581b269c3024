#include <gtest/gtest.h>

#include <string>

#include "common/url_command.h"

namespace {

TEST(GuessUrlScheme, FollowsTheShapeOfTheText) {
  struct Case {
    std::string text, scheme;
  } cases[] = {
      {"www.example.com", "http"}, {"WWW.Example.com", "http"}, {"ftp.example.com", "ftp"},
      {"FTP.example.com/pub", "ftp"}, {"someone@example.com", "mailto"},
      {"www.example.com/@user", "http"},  // "www" is looked at before "@"
      {"example.com", "http"}, {"", "http"}, {"ww", "http"}, {"ft", "http"},
  };
  for (const Case& c : cases) EXPECT_EQ(GuessUrlScheme(c.text), c.scheme) << c.text;
}

TEST(IsPlainScheme, RefusesNamesThatWouldChangeTheRegistryPath) {
  EXPECT_TRUE(IsPlainScheme("http"));
  EXPECT_TRUE(IsPlainScheme("svn+ssh"));
  EXPECT_FALSE(IsPlainScheme(""));
  EXPECT_FALSE(IsPlainScheme("a\\shell"));
  EXPECT_FALSE(IsPlainScheme("a b"));
}

TEST(SplitHandlerCommand, SeparatesProgramAndParameters) {
  struct Case {
    std::string command, program, parameters;
  } cases[] = {
      {"\"C:\\Program Files\\Mail\\mail.exe\" /to \"%1\"", "C:\\Program Files\\Mail\\mail.exe", "/to \"%1\""},
      {"\"C:\\Browser\\b.exe\"   %1", "C:\\Browser\\b.exe", "%1"},
      {"\"C:\\Browser\\b.exe\"", "C:\\Browser\\b.exe", ""},
      {"C:\\Browser\\b.exe -nohome %1", "C:\\Browser\\b.exe", "-nohome %1"},
      {"C:\\Browser\\b.exe", "C:\\Browser\\b.exe", ""},
      {"\"C:\\Unclosed\\b.exe %1", "C:\\Unclosed\\b.exe %1", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    HandlerCommand split = SplitHandlerCommand(c.command);
    EXPECT_EQ(split.program, c.program) << c.command;
    EXPECT_EQ(split.parameters, c.parameters) << c.command;
  }
}

TEST(InsertIntoParameters, ReplacesThePlaceholderOrAppends) {
  struct Case {
    std::string parameters, expected;
  } cases[] = {
      {"-url \"%1\"", "-url \"www.x.com\""},
      {"%1 -new", "www.x.com -new"},
      {"%L", "www.x.com"},               // any placeholder letter: the first "%" and one more
      {"-a %1 %2", "-a www.x.com %2"},   // only the first placeholder
      {"-nohome", "-nohome www.x.com"},
      {"", "www.x.com"},
      {"-end %", "-end www.x.com"},      // a lone "%" at the end
  };
  for (const Case& c : cases) EXPECT_EQ(InsertIntoParameters(c.parameters, "www.x.com"), c.expected) << c.parameters;
}

}  // namespace
