// The request and answer encodings of the web service, the request's
// content, and the server address setting.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "web/exchange_request.h"
#include "web/request_codec.h"
#include "web/server_address.h"
#include "web/web_response.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

std::vector<ZWebRequestField> Decode(const std::string& body, std::string* error = nullptr) {
  std::vector<ZWebRequestField> fields;
  std::string why;
  const bool ok = DecodeWebRequest(reinterpret_cast<const uint8_t*>(body.data()), body.size(), fields, why);
  if (error) *error = ok ? std::string() : why;
  return ok ? fields : std::vector<ZWebRequestField>();
}

class RecordingProgress : public ZWebResponseProgress {
 public:
  void started(uint32_t length) override { lengths.push_back(length); }
  void received(uint32_t soFar) override { positions.push_back(soFar); }
  std::vector<uint32_t> lengths, positions;
};

// A source that gives its bytes and then nothing more, and records the most
// it was asked for at once: the reader's buffer grows by what it asks for, so
// a small largest ask shows that a claimed length is never allocated ahead of
// the data.
class EndlessSource : public ZWebResponseSource {
 public:
  explicit EndlessSource(std::string head) : head_(std::move(head)) {}
  size_t largestAsk = 0;
  bool read(void* buffer, size_t size, size_t& got) override {
    largestAsk = std::max(largestAsk, size);
    got = std::min(size, head_.size() - at_);
    std::copy(head_.begin() + static_cast<long>(at_), head_.begin() + static_cast<long>(at_ + got),
              static_cast<char*>(buffer));
    at_ += got;
    return true;
  }

 private:
  std::string head_;
  size_t at_ = 0;
};

ZWebResponseEnd Read(const std::string& bytes, ZWebResponse& response, size_t piece = SIZE_MAX,
                     ZWebResponseProgress* progress = nullptr) {
  ZWebMemorySource source(bytes, piece);
  return ReadWebResponse(source, progress, response);
}

}  // namespace

TEST(WebRequest, IntegerOneIsEscapedIntoEightBytes) {
  ZWebRequestWriter writer;
  writer.addInteger("language", 1);
  EXPECT_EQ(writer.body(), "ilanguage=" + Bytes({1, 1, 1, 1, 1, 1, 1, 2, 0}));
}

TEST(WebRequest, EveryValueByteIsEscapedAndTheBodyHasOneZero) {
  ZWebRequestWriter writer;
  writer.addBytes("a", Bytes({0, 1, 2, 0xFF}));
  writer.addIntegerMap("m", {{-1, 256}});
  const std::string body = writer.body();
  EXPECT_EQ(body, "aa=" + Bytes({1, 1, 1, 1, 1, 1, 4, 1, 1, 1, 2, 2, 0xFF}) + "mm=" +
                      Bytes({1, 1, 1, 1, 1, 1, 1, 2, 0xFF, 0xFF, 0xFF, 0xFF, 1, 1, 1, 1, 1, 2, 1, 1, 0}));
  EXPECT_EQ(body.find('\0'), body.size() - 1);
}

TEST(WebRequest, EmptyCountersAreLeftOut) {
  const std::string body = EncodeExchangeRequest(ZUsageReport(), "0", {});
  for (const char* name : {"ctplug", "ctsrvc", "ctsym", "listidplugin"})
    EXPECT_EQ(body.find(name), std::string::npos) << name;
  const auto fields = Decode(body);
  ASSERT_EQ(fields.size(), 5u);
  const char* names[] = {"language", "os", "version", "product", "weblist"};
  const int32_t values[] = {1, 1, 8, 3};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(fields[i].type, 'i');
    EXPECT_EQ(fields[i].name, names[i]);
    EXPECT_EQ(fields[i].integer, values[i]);
  }
  EXPECT_EQ(fields[4].type, 'a');
  EXPECT_EQ(fields[4].name, "weblist");
  EXPECT_EQ(fields[4].bytes, "0");
}

TEST(WebRequest, RoundTripOfAFullRequest) {
  ZUsageReport report;
  report.plugins = {{-5, 1}, {0, 256}, {7, 65536}};
  report.services = {{1, 1}};
  report.symbols = {{0, 3}, {16777216, 2}};
  const std::vector<int32_t> wanted = {12, 1, 0, 257};
  const auto fields = Decode(EncodeExchangeRequest(report, "1700000000000", wanted));
  ASSERT_EQ(fields.size(), 9u);
  EXPECT_EQ(fields[4].name, "ctplug");
  EXPECT_EQ(fields[4].map, report.plugins);
  EXPECT_EQ(fields[5].name, "ctsrvc");
  EXPECT_EQ(fields[5].map, report.services);
  EXPECT_EQ(fields[6].name, "ctsym");
  EXPECT_EQ(fields[6].map, report.symbols);
  EXPECT_EQ(fields[7].bytes, "1700000000000");
  EXPECT_EQ(fields[8].name, "listidplugin");
  EXPECT_EQ(fields[8].map, (ZIntegerMap{{0, 12}, {1, 1}, {2, 0}, {3, 257}}));
}

TEST(WebRequest, MalformedBodiesAreRefused) {
  const std::string good = EncodeExchangeRequest(ZUsageReport(), "0", {7});
  const std::pair<std::string, const char*> cases[] = {
      {"", "final zero"},
      {good.substr(0, good.size() - 1), "final zero"},
      {"x" + good, "unknown field type"},
      {"i=" + Bytes({2, 2, 2, 2, 0}), "empty field name"},
      {"ia b=" + Bytes({2, 2, 2, 2, 0}), "bad field name"},
      {"i" + std::string(65, 'n') + "=" + Bytes({2, 2, 2, 2, 0}), "bad field name"},
      {"iname=" + Bytes({2, 2, 2, 0}), "ends inside a value"},
      {"iname=" + Bytes({2, 2, 2, 1, 3, 0}), "bad escape"},
      {"iname=" + Bytes({2, 2, 2, 1, 0}), "ends inside an escape"},
      {"aname=" + Bytes({0x7F, 2, 2, 2, 'x', 0}), "length beyond"},
      {"mname=" + Bytes({2, 2, 2, 2, 0}), "count beyond"},
      {"inam" + Bytes({0}) + "e=" + Bytes({2, 2, 2, 2, 0}), "zero byte before the end"},
      {std::string("inoequals") + Bytes({0}), "ends inside a name"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_TRUE(Decode(c.first, &error).empty());
    EXPECT_NE(error.find(c.second), std::string::npos) << "got \"" << error << "\" for a case of " << c.second;
  }
}

TEST(WebRequest, WeblistAgeIsMillisecondsSince1970) {
  EXPECT_EQ(WeblistAgeText(0), "0");
  EXPECT_EQ(WeblistAgeText(kFileTimeOf1970 - 1), "0");
  EXPECT_EQ(WeblistAgeText(kFileTimeOf1970 + 10000), "1");
  // 2001-09-09 01:46:40 UTC
  EXPECT_EQ(WeblistAgeText(kFileTimeOf1970 + 1000000000LL * kFileTimeTicksPerSecond + 12345), "1000000000001");
}

TEST(WebRequest, NextCallTimeMovesByFileTimeTicksAndSaturates) {
  EXPECT_EQ(FileTimeAfter(1000, 3600), 1000 + 3600LL * kFileTimeTicksPerSecond);
  EXPECT_EQ(FileTimeAfter(1000, -1), 1000 - kFileTimeTicksPerSecond);
  EXPECT_EQ(FileTimeAfter(INT64_MAX - 5, 1), INT64_MAX);
  EXPECT_EQ(FileTimeAfter(0, INT64_MAX), INT64_MAX);
}

TEST(WebResponse, NextCallTimeOf3600) {
  ZWebResponse response;
  ASSERT_EQ(Read("Inextcalltime=" + Bytes({0x00, 0x00, 0x0E, 0x10}), response), ZWebResponseEnd::Complete);
  EXPECT_TRUE(response.hasOfType("nextcalltime", 'I'));
  EXPECT_EQ(response.integer("nextcalltime"), 3600);
  EXPECT_EQ(response.length("nextcalltime"), 4u);
}

TEST(WebResponse, NamesAndTypeLettersIgnoreCase) {
  ZWebResponse response;
  const std::string bytes = "iNEXTCALLTIME=" + Bytes({0, 0, 0, 5}) + "fWebList=" + Bytes({0, 0, 0, 2}) + "zz" +
                            "aText=" + Bytes({0, 0, 0, 3}) + "abc" + "UName=" + Bytes({0, 0, 0, 0});
  ASSERT_EQ(Read(bytes, response), ZWebResponseEnd::Complete);
  EXPECT_EQ(response.integer("nextcalltime"), 5);
  EXPECT_TRUE(response.hasOfType("weblist", 'F'));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(response.data("weblist")), response.length("weblist")), "zz");
  EXPECT_STREQ(reinterpret_cast<const char*>(response.data("text")), "abc");  // held with a NUL
  EXPECT_EQ(response.length("text"), 3u);
  EXPECT_TRUE(response.hasOfType("name", 'U'));
  EXPECT_EQ(response.length("name"), 0u);
  EXPECT_FALSE(response.has("WebList"));
}

TEST(WebResponse, CutOffOrUnknownLetterIsBroken) {
  ZWebResponseWriter writer;
  writer.addInteger("nextcalltime", 3600);
  writer.addBytes('F', "weblist", std::string(250, 'w'));
  writer.addBytes('F', "firms", "firm list");
  const std::string whole = writer.body();
  ZWebResponse response;
  ASSERT_EQ(Read(whole, response), ZWebResponseEnd::Complete);
  EXPECT_EQ(response.size(), 3u);
  // Cut anywhere inside a field, including right after the weblist archive
  // inside the next field: broken.
  const size_t fieldStarts[] = {0, 18, whole.find("Ffirms"), whole.size()};
  for (size_t cut = 1; cut < whole.size(); ++cut) {
    const bool boundary = std::find(std::begin(fieldStarts), std::end(fieldStarts), cut) != std::end(fieldStarts);
    EXPECT_EQ(Read(whole.substr(0, cut), response),
              boundary ? ZWebResponseEnd::Complete : ZWebResponseEnd::Broken) << cut;
  }
  EXPECT_EQ(Read(whole + "X", response), ZWebResponseEnd::Broken);
  EXPECT_EQ(Read("Qname=" + Bytes({0, 0, 0, 0}), response), ZWebResponseEnd::Broken);
}

TEST(WebResponse, FileValuesArriveInPiecesOfAHundredWithProgress) {
  ZWebResponseWriter writer;
  writer.addBytes('F', "listidplugin", std::string(250, 'p'));
  RecordingProgress progress;
  ZWebResponse response;
  ASSERT_EQ(Read(writer.body(), response, 7, &progress), ZWebResponseEnd::Complete);
  EXPECT_EQ(response.length("listidplugin"), 250u);
  EXPECT_EQ(progress.lengths, std::vector<uint32_t>{250});
  ASSERT_FALSE(progress.positions.empty());
  EXPECT_EQ(progress.positions.back(), 250u);
  for (size_t i = 1; i < progress.positions.size(); ++i)
    EXPECT_LE(progress.positions[i] - progress.positions[i - 1], 100u);

  RecordingProgress whole;
  ASSERT_EQ(Read(writer.body(), response, SIZE_MAX, &whole), ZWebResponseEnd::Complete);
  EXPECT_EQ(whole.positions, (std::vector<uint32_t>{100, 200, 250}));
}

TEST(WebResponse, LaterFieldReplacesEarlier) {
  ZWebResponseWriter writer;
  writer.addBytes('A', "x", "first");
  writer.addInteger("x", 9);
  writer.addBytes('F', "y", "one");
  writer.addBytes('F', "Y", "two");
  ZWebResponse response;
  ASSERT_EQ(Read(writer.body(), response), ZWebResponseEnd::Complete);
  EXPECT_TRUE(response.hasOfType("x", 'I'));
  EXPECT_EQ(response.integer("x"), 9);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(response.data("y")), response.length("y")), "two");
}

TEST(WebResponse, ClaimedLengthsBeyondTheDataOrTheLimitsEndReading) {
  ZWebResponse response;
  ZWebResponseLimits limits;
  limits.maxValue = 1000;
  limits.maxTotal = 1500;
  // Nearly 4 GB claimed: refused before anything is kept for it.
  EndlessSource huge("Fweblist=" + Bytes({0xFF, 0xFF, 0xFF, 0xF0}) + "abc");
  EXPECT_EQ(ReadWebResponse(huge, nullptr, response), ZWebResponseEnd::Broken);
  // Within the limits but never arriving: broken when the data ends, and
  // never asked for (so never held) more than a piece at a time.
  EndlessSource missing("Fweblist=" + Bytes({0x03, 0, 0, 0}) + "abc");
  EXPECT_EQ(ReadWebResponse(missing, nullptr, response), ZWebResponseEnd::Broken);
  EXPECT_LE(missing.largestAsk, 100u);
  EndlessSource missingBytes("Ablob=" + Bytes({0x03, 0, 0, 0}) + "abc");
  EXPECT_EQ(ReadWebResponse(missingBytes, nullptr, response), ZWebResponseEnd::Broken);
  EXPECT_LE(missingBytes.largestAsk, 64u << 10);
  EndlessSource tooLong("Fweblist=" + Bytes({0, 0, 0x03, 0xE9}) + std::string(1001, 'x'));
  EXPECT_EQ(ReadWebResponse(tooLong, nullptr, response, limits), ZWebResponseEnd::Broken);
  EndlessSource overTotal("Fa=" + Bytes({0, 0, 0x03, 0xE8}) + std::string(1000, 'x') + "Fb=" +
                          Bytes({0, 0, 0x03, 0xE8}) + std::string(1000, 'x'));
  EXPECT_EQ(ReadWebResponse(overTotal, nullptr, response, limits), ZWebResponseEnd::Broken);
  // Replacing a field frees what it held.
  EndlessSource replacing("Fa=" + Bytes({0, 0, 0x03, 0xE8}) + std::string(1000, 'x') + "Fa=" +
                          Bytes({0, 0, 0x03, 0xE8}) + std::string(1000, 'y'));
  EXPECT_EQ(ReadWebResponse(replacing, nullptr, response, limits), ZWebResponseEnd::Complete);
  // A sender that announced its length is taken at its word.
  ZWebMemorySource announced("Fweblist=" + Bytes({0, 0, 0x10, 0}) + "short", SIZE_MAX, true);
  EXPECT_EQ(ReadWebResponse(announced, nullptr, response), ZWebResponseEnd::Broken);
  EndlessSource longName("I" + std::string(300, 'n') + "=" + Bytes({0, 0, 0, 1}));
  EXPECT_EQ(ReadWebResponse(longName, nullptr, response), ZWebResponseEnd::Broken);
}

TEST(ServerAddress, RegistryValueForms) {
  struct Case {
    const char* value;
    const char* host;
    uint16_t port;
  };
  const Case cases[] = {
      {"", kDefaultWebServiceHost, 49153},
      {"   ", kDefaultWebServiceHost, 49153},
      {"127.0.0.1", "127.0.0.1", 49153},
      {" 127.0.0.1:8080 ", "127.0.0.1", 8080},
      {"example.org:65535", "example.org", 65535},
      {"example.org:0", kDefaultWebServiceHost, 49153},
      {"example.org:65536", kDefaultWebServiceHost, 49153},
      {"example.org:12a", kDefaultWebServiceHost, 49153},
      {":80", kDefaultWebServiceHost, 49153},
      {"host:", kDefaultWebServiceHost, 49153},
  };
  for (const auto& c : cases) {
    const ZServerAddress address = ParseServerAddress(c.value);
    EXPECT_EQ(address.host, c.host) << c.value;
    EXPECT_EQ(address.port, c.port) << c.value;
  }
}
