#include "actions/html_fragment.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

// Clipboard data as browsers write it: a header with the fragment offsets,
// then the document with the fragment between the two comments.
std::vector<char> HtmlClipboard(const std::string& fragment) {
  const std::string before = "<html><body><!--StartFragment-->";
  const std::string after = "<!--EndFragment--></body></html>";
  const char* layout =
      "Version:0.9\r\nStartHTML:%08zu\r\nEndHTML:%08zu\r\nStartFragment:%08zu\r\n"
      "EndFragment:%08zu\r\n";
  char header[256];
  const size_t headerSize = std::snprintf(header, sizeof header, layout, size_t{0}, size_t{0},
                                          size_t{0}, size_t{0});
  const size_t start = headerSize + before.size();
  const size_t end = start + fragment.size();
  std::snprintf(header, sizeof header, layout, headerSize, end + after.size(), start, end);
  const std::string all = std::string(header) + before + fragment + after;
  return std::vector<char>(all.begin(), all.end());
}

std::u16string Read(const std::vector<char>& data) {
  std::u16string text = u"not read";
  EXPECT_TRUE(ReadHtmlFragment(data.data(), data.size(), text));
  return text;
}

TEST(HtmlFragment, DropsTagsAndReplacesReferences) {
  EXPECT_EQ(u"a <b> A", Read(HtmlClipboard("a &lt;b&gt; &#65;")));
  EXPECT_EQ(u"say \"hi\" & bye", Read(HtmlClipboard("<p>say <i>&quot;hi&quot;</i> &amp; bye</p>")));
  EXPECT_EQ(u"x y", Read(HtmlClipboard("x&nbsp;y")));  // other names become a blank
  EXPECT_EQ(u"", Read(HtmlClipboard("")));
}

TEST(HtmlFragment, BytesAreUtf8AndNumbersKeepTheirWholeCode) {
  EXPECT_EQ(u"caf\u00e9 \u20ac\u00e9", Read(HtmlClipboard("caf\xc3\xa9 &#8364;&#233;")));
  EXPECT_EQ(u"\U0001F600", Read(HtmlClipboard("&#128512;")));
  EXPECT_EQ(u"\uFFFD", Read(HtmlClipboard("&#99999999999999999999;")));
  EXPECT_EQ(u"ab", Read(HtmlClipboard("a&#0;b")));
}

TEST(HtmlFragment, UnfinishedTagOrReferenceStopsAtTheFragmentEnd) {
  // The fragment ends inside a tag: the rest of the document is not read.
  EXPECT_EQ(u"text", Read(HtmlClipboard("text<b")));
  // An ampersand without its semicolon before the end is kept as text.
  EXPECT_EQ(u"R&D", Read(HtmlClipboard("R&D")));
}

TEST(HtmlFragment, RefusesMissingOrImpossibleOffsets) {
  const std::vector<std::string> broken = {
      "",
      "Version:0.9\r\nEndFragment:10\r\n0123456789",
      "StartFragment:5\r\n",
      "StartFragment:x\r\nEndFragment:3\r\n",
      "StartFragment:30\r\nEndFragment:20\r\n0123456789012345678901234567890123456789",
      "StartFragment:10\r\nEndFragment:9999\r\n0123456789",
      "StartFragment:10\r\nEndFragment:99999999999999999999999999\r\n",
  };
  for (const std::string& data : broken) {
    std::u16string text = u"untouched";
    EXPECT_FALSE(ReadHtmlFragment(data.data(), data.size(), text)) << data;
    EXPECT_EQ(u"untouched", text);
  }
  std::u16string text;
  EXPECT_FALSE(ReadHtmlFragment(nullptr, 0, text));
}

TEST(HtmlFragment, EndAtTheLastByteIsAccepted) {
  const std::string data = "StartFragment:34\r\nEndFragment:38\r\nabcd";
  std::u16string text;
  ASSERT_TRUE(ReadHtmlFragment(data.data(), data.size(), text));
  EXPECT_EQ(u"abcd", text);
}

}  // namespace
