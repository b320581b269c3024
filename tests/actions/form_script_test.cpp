// The form-script language over an in-memory page: tokens, statements,
// values, results and every syntax error.
#include "actions/form_script.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "actions/script_tokenizer.h"
#include "tests/support/memory_document.h"

namespace {

using Type = ScriptTokenType;
using Press = std::pair<ScriptKey, int32_t>;

std::vector<std::pair<Type, std::string>> Tokens(const std::string& script) {
  ScriptTokenizer tokenizer(script);
  std::vector<std::pair<Type, std::string>> tokens;
  for (ScriptToken token = tokenizer.next(); token.type != Type::End; token = tokenizer.next())
    tokens.emplace_back(token.type, token.text);
  return tokens;
}

TEST(ScriptTokenizerTest, SplitsScriptsIntoTokens) {
  struct Case {
    std::string script;
    std::vector<std::pair<Type, std::string>> tokens;
  };
  const Case cases[] = {
      {"", {}},
      {"   ", {}},
      {";.()[]=",
       {{Type::Semicolon, ""}, {Type::Dot, ""}, {Type::Open, ""}, {Type::Close, ""},
        {Type::OpenBracket, ""}, {Type::CloseBracket, ""}, {Type::Equals, ""}}},
      {"  forms[0].submit( ) ;",
       {{Type::Word, "forms"}, {Type::OpenBracket, ""}, {Type::Number, "0"}, {Type::CloseBracket, ""},
        {Type::Dot, ""}, {Type::Word, "submit"}, {Type::Open, ""}, {Type::Close, ""},
        {Type::Semicolon, ""}}},
      // Only the space is a blank; quotes inside a word are part of it.
      {"a\tb c\"d", {{Type::Word, "a\tb"}, {Type::Word, "c\"d"}}},
      {"12ab x9", {{Type::Number, "12ab"}, {Type::Word, "x9"}}},
      // A string keeps its blanks, punctuation and backslashes.
      {"\"a b;[.]\"=", {{Type::Word, "a b;[.]"}, {Type::Equals, ""}}},
      {"\"say \\\"hi\\\"\"", {{Type::Word, "say \\\"hi\\\""}}},
      {"\"\"", {{Type::Word, ""}}},
      // Left open, a string ends with the script, also after a backslash.
      {"\"open ;", {{Type::Word, "open ;"}}},
      {"\"tail\\", {{Type::Word, "tail\\"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(Tokens(c.script), c.tokens) << c.script;
}

TEST(ScriptTokenizerTest, NumbersAreTheirLeadingDigitsAndSaturate) {
  const std::pair<std::string, int32_t> cases[] = {
      {"0", 0}, {"3", 3}, {"42x7", 42}, {"2147483647", INT32_MAX},
      {"2147483648", INT32_MAX}, {"99999999999999999999999", INT32_MAX},
  };
  for (const auto& [text, value] : cases) {
    ScriptTokenizer tokenizer(text);
    const ScriptToken token = tokenizer.next();
    EXPECT_EQ(token.type, Type::Number) << text;
    EXPECT_EQ(token.number, value) << text;
  }
}

// A page with form 0 (q, a select "size", a text area "note", a button "go")
// and form 1 (its own q).
MemoryPage SearchPage() {
  MemoryPage page;
  page.forms = {{"search", {}, 0}, {"other", {}, 0}};
  page.add(MemoryElementData("q"), 0);
  page.add(MemoryElementData("size", "select"), 0);
  page.add(MemoryElementData("note", "textarea"), 0);
  page.add(MemoryElementData("go", "button"), 0);
  page.add(MemoryElementData("q"), 1);
  return page;
}

ScriptContext Context(std::u16string selection, std::vector<CredentialPair> pairs = {}) {
  ScriptContext context;
  context.selection = std::move(selection);
  context.pairs = std::move(pairs);
  return context;
}

TEST(FormScriptTest, FillsTheFieldWithTheSelectionAndSubmits) {
  MemoryPage page = SearchPage();
  MemoryBrowser browser(&page);
  EXPECT_TRUE(ExecuteScript("forms[0].elements[q].value = %SELECTION%; forms[0].submit();", browser,
                            Context(u"gesture \u00e9")));
  EXPECT_EQ(page.elements[0].value, u"gesture \u00e9");
  EXPECT_EQ(page.elements[4].value, u"");
  EXPECT_EQ(page.forms[0].submits, 1);
  EXPECT_EQ(page.forms[1].submits, 0);
}

TEST(FormScriptTest, AMissingSemicolonFillsAndThenThrows) {
  MemoryPage page = SearchPage();
  MemoryBrowser browser(&page);
  try {
    ExecuteScript("forms[0].elements[q].value = %SELECTION%", browser, Context(u"text"));
    FAIL() << "no error";
  } catch (const ZScriptError& error) {
    EXPECT_STREQ(error.what(), "Expecting ';'");
  }
  EXPECT_EQ(page.elements[0].value, u"text");
}

TEST(FormScriptTest, FrameStepsReachTheFormsOfAFrame) {
  MemoryPage page = SearchPage();
  page.frames = {SearchPage(), SearchPage()};
  page.frames[1].frames = {SearchPage()};
  MemoryBrowser browser(&page);
  EXPECT_TRUE(ExecuteScript("frames[1].forms[0].submit();", browser, Context(u"")));
  EXPECT_EQ(page.frames[1].forms[0].submits, 1);
  EXPECT_EQ(page.forms[0].submits + page.frames[0].forms[0].submits, 0);

  EXPECT_TRUE(ExecuteScript("frames[1].frames[0].forms[search].elements[0].value = deep;", browser,
                            Context(u"")));
  EXPECT_EQ(page.frames[1].frames[0].elements[0].value, u"deep");
}

TEST(FormScriptTest, AMissingFrameEndsTheWholeScript) {
  MemoryPage page = SearchPage();
  page.frames = {SearchPage()};
  MemoryBrowser browser(&page);
  EXPECT_FALSE(ExecuteScript("frames[1].forms[0].submit(); forms[0].submit();", browser, Context(u"")));
  EXPECT_EQ(page.forms[0].submits, 0);
}

TEST(FormScriptTest, KeysArePressedInTheBrowser) {
  MemoryPage page = SearchPage();
  MemoryBrowser browser(&page);
  EXPECT_TRUE(ExecuteScript("TABS(3); ENTER; TAB;TABS ( 0 );", browser, Context(u"")));
  EXPECT_THAT(browser.presses, testing::ElementsAre(Press{ScriptKey::Tab, 3}, Press{ScriptKey::Return, 1},
                                                    Press{ScriptKey::Tab, 1}, Press{ScriptKey::Tab, 0}));
}

TEST(FormScriptTest, AHugeTabCountIsBounded) {
  MemoryPage page;
  MemoryBrowser browser(&page);
  EXPECT_TRUE(ExecuteScript("TABS(2147483648);", browser, Context(u"")));
  EXPECT_THAT(browser.presses, testing::ElementsAre(Press{ScriptKey::Tab, kMaxScriptTabs}));
}

TEST(FormScriptTest, StoredPairsFillLoginsAndPasswords) {
  MemoryPage page = SearchPage();
  MemoryBrowser browser(&page);
  const ScriptContext context = Context(u"", {{"j\xc3\xa9r\xc3\xb4me", "s3cret"}});
  EXPECT_TRUE(ExecuteScript(
      "forms[0].elements[0].value = %LOGIN0%; forms[1].elements[0].value = %LOGIN1%;"
      " forms[0].elements[note].value = %PASSWORD0%;",
      browser, context));
  EXPECT_EQ(page.elements[0].value, u"j\u00e9r\u00f4me");
  EXPECT_EQ(page.elements[4].value, u"");
  EXPECT_EQ(page.elements[2].value, u"s3cret");
}

TEST(FormScriptTest, ValueTexts) {
  const ScriptContext context = Context(u"sel", {{"first", "one"}, {"second", "two"}});
  const std::pair<std::string, std::u16string> cases[] = {
      {"%LOGIN0%", u"first"},     {"%LOGIN1%", u"second"},     {"%LOGIN2%", u""},
      {"%LOGIN01%", u"second"},   {"%LOGIN1", u""},            {"%LOGIN%", u""},
      {"%LOGIN1x%", u""},         {"%LOGIN99999999999999999999%", u""},
      {"%PASSWORD1%", u"two"},    {"%PASSWORD0", u""},         {"%SELECTION%", u"sel"},
      {"%SELECTION", u"%SELECTION"}, {"plain", u"plain"},      {"12", u"12"},
      {"caf\xc3\xa9", u"caf\u00e9"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(ScriptValueText(value, context), text) << value;
}

TEST(FormScriptTest, LoginCountIsTheOccurrencesOfLogin) {
  EXPECT_EQ(ScriptLoginCount(""), 0u);
  EXPECT_EQ(ScriptLoginCount("forms[0].elements[0].value = %PASSWORD0%;"), 0u);
  EXPECT_EQ(ScriptLoginCount("a=%LOGIN0%; b=%LOGIN1%; c=%LOGIN0%;"), 3u);
  EXPECT_EQ(ScriptLoginCount("%LOGIN%LOGIN"), 2u);
}

TEST(FormScriptTest, ElementsOfTheWholeDocumentAndTheirKinds) {
  MemoryPage page = SearchPage();
  MemoryBrowser browser(&page);
  const ScriptContext context = Context(u"");
  EXPECT_TRUE(ExecuteScript("elements[size].selectedIndex = 2;", browser, context));
  EXPECT_EQ(page.elements[1].selectedIndex, 2);
  EXPECT_TRUE(ExecuteScript("elements[3].click();", browser, context));
  EXPECT_EQ(page.elements[3].clicks, 1);
  EXPECT_TRUE(ExecuteScript("elements[\"note\"].value = \"two words\";", browser, context));
  EXPECT_EQ(page.elements[2].value, u"two words");

  const char* failing[] = {
      "elements[go].value = x;",           // neither input nor text area
      "elements[q].selectedIndex = 1;",    // not a select element
      "elements[go].press();",             // only click
      "elements[missing].click();",
      "elements[99].click();",
      "forms[7].submit();",
      "forms[0].elements[9].value = x;",   // a position is not searched by name
  };
  for (const char* script : failing) EXPECT_FALSE(ExecuteScript(script, browser, context)) << script;
  EXPECT_EQ(page.elements[3].clicks, 1);
  EXPECT_EQ(page.elements[3].value, u"");
}

TEST(FormScriptTest, TheResultIsThatOfTheLastFormOrElementStatement) {
  MemoryPage page = SearchPage();
  MemoryBrowser browser(&page);
  const ScriptContext context = Context(u"");
  EXPECT_TRUE(ExecuteScript("forms[7].submit(); forms[0].submit(); ENTER;", browser, context));
  EXPECT_FALSE(ExecuteScript("forms[0].submit(); forms[7].submit(); TAB;", browser, context));
  // Any other method of a form does nothing and succeeds.
  EXPECT_TRUE(ExecuteScript("forms[0].reset();", browser, context));
  EXPECT_EQ(page.forms[0].submits, 2);
  EXPECT_TRUE(ExecuteScript("", browser, context));
}

TEST(FormScriptTest, NoDocumentRunsNothing) {
  MemoryBrowser browser(nullptr);
  EXPECT_FALSE(ExecuteScript("TAB;", browser, Context(u"")));
  EXPECT_TRUE(browser.presses.empty());
}

TEST(FormScriptTest, ANamedElementOutsideItsFormIsFoundByItsOwner) {
  MemoryPage page = SearchPage();
  // Two inputs named "user" that the forms do not list, owned by form 1
  // and form 0 in that order, and one of another kind.
  page.add(MemoryElementData("user", "textarea"));
  page.add(MemoryElementData("user", "input", 1));
  page.add(MemoryElementData("user", "input", 0));
  MemoryBrowser browser(&page);
  EXPECT_TRUE(ExecuteScript("forms[0].elements[user].value = me;", browser, Context(u"")));
  EXPECT_EQ(page.elements[7].value, u"me");
  EXPECT_EQ(page.elements[6].value, u"");
  EXPECT_EQ(page.elements[5].value, u"");
  EXPECT_FALSE(ExecuteScript("forms[0].elements[nobody].value = me;", browser, Context(u"")));
}

TEST(FormScriptTest, TokensAfterAStatementAreSkippedToTheSemicolon) {
  MemoryPage page = SearchPage();
  MemoryBrowser browser(&page);
  EXPECT_TRUE(ExecuteScript("forms[0].submit() ( junk ] 12 \"x;\" ; TAB extra;", browser, Context(u"")));
  EXPECT_EQ(page.forms[0].submits, 1);
  EXPECT_THAT(browser.presses, testing::ElementsAre(Press{ScriptKey::Tab, 1}));
}

TEST(FormScriptTest, EverySyntaxErrorHasItsMessage) {
  const std::pair<const char*, const char*> cases[] = {
      {"TABS 3;", "Expecting '('"},
      {"TABS(x);", "Bad count, must be a number"},
      {"TABS(3;", "Expecting ')'"},
      {"frames 1;", "Expecting '['"},
      {"frames[a].forms[0].submit();", "Bad frame identifier, must be a number"},
      {"frames[0.forms[0].submit();", "Expecting ']'"},
      {"frames[0]forms[0].submit();", "Expecting '.'"},
      {"form[0].submit();", "Expecting either \"forms\" or \"elements\""},
      {";", "Expecting either \"forms\" or \"elements\""},
      {"forms[0].submit()", "Expecting ';'"},
      {"ENTER", "Expecting ';'"},
      {"forms[;].submit();", "Bad form identifier, must be a number or a string"},
      {"elements[=].click();", "Bad element identifier, must be a number or a string"},
      {"forms[0].elements[(].click();", "Bad element identifier, must be a number or a string"},
      {"forms[0].(;", "Expecting an identifier"},
      {"elements[q].7;", "Expecting an identifier"},
      {"elements[q].value x;", "Expecting '='"},
      {"elements[size].selectedIndex 1;", "Expecting '='"},
      {"elements[q].value = ;", "Expecting an integer or a string"},
      {"elements[size].selectedIndex = one;", "The index must be an integer"},
      {"forms[0].submit;", "Expecting '('"},
      {"elements[go].click(;", "Expecting ')'"},
      {"forms[0] submit();", "Expecting '.'"},
      {"forms 0;", "Expecting '['"},
      {"forms[0;", "Expecting ']'"},
  };
  for (const auto& [script, message] : cases) {
    MemoryPage page = SearchPage();
    MemoryBrowser browser(&page);
    std::string error;
    EXPECT_FALSE(RunScript(script, browser, Context(u""), &error)) << script;
    EXPECT_EQ(error, message) << script;
  }
}

TEST(FormScriptTest, StatementsBeforeAnErrorHaveActed) {
  MemoryPage page = SearchPage();
  MemoryBrowser browser(&page);
  std::string error;
  EXPECT_FALSE(RunScript("forms[0].submit(); TAB; forms[0].elements[q].value 1;", browser, Context(u""), &error));
  EXPECT_EQ(error, "Expecting '='");
  EXPECT_EQ(page.forms[0].submits, 1);
  EXPECT_THAT(browser.presses, testing::ElementsAre(Press{ScriptKey::Tab, 1}));
}

}  // namespace
