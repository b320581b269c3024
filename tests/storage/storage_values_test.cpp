// Every value kind through real compound files: the exact bytes in the
// stream, the reading rules for damaged or foreign values, the failure codes,
// and that every element is released after use (elements are opened with
// exclusive sharing, so a leaked one makes the next access fail).
#include <windows.h>
#include <objbase.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/storage.h"
#include "tests/support/stream_size_claim.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

class StorageFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    char dir[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, dir), 0u);
    // One file per test: ctest runs the tests in parallel processes.
    path_ = std::string(dir) + "storage_values." + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".zts";
    root_ = CreateStorageFile(path_);
  }
  void TearDown() override {
    root_.Reset();
    DeleteFileA(path_.c_str());
    CoUninitialize();
  }
  // Writes raw bytes, as another program might have stored them.
  void Store(const wchar_t* name, const std::string& bytes) {
    WriteBlock(root_.Get(), name, bytes.data(), bytes.size());
  }
  std::vector<uint8_t> Stored(const wchar_t* name) { return ReadAllBytes(root_.Get(), name, kLongestTextValue); }
  // Closes the file and opens it again for reading.
  void Reopen() {
    root_.Reset();
    root_ = OpenStorageFile(path_);
  }

  std::string path_;
  StoragePtr root_;
};

TEST_F(StorageFile, SystemCodePageIsWesternForTheseTests) {
  // The byte values below are those of code page 1252.
  ASSERT_EQ(GetACP(), 1252u);
}

TEST_F(StorageFile, TextIsStoredAsUtf8WithOneNulAndReadsBack) {
  struct Case {
    std::string ansi;
    std::string stored;
  } cases[] = {
      {"", std::string("\0", 1)},
      {"Hello", std::string("Hello\0", 6)},
      {"\xE9", std::string("\xC3\xA9\0", 3)},            // é
      {"\x80 5", std::string("\xE2\x82\xAC 5\0", 6)},   // € sign, three bytes
  };
  for (const Case& c : cases) {
    WriteText(root_.Get(), L"Name", c.ansi);
    EXPECT_EQ(Stored(L"Name"), Bytes(c.stored)) << c.ansi;
    EXPECT_EQ(ReadText(root_.Get(), L"Name"), c.ansi);
  }
}

TEST_F(StorageFile, TextReadsUpToTheFirstNulOrAllBytesWithoutOne) {
  Store(L"NoNul", "abc");
  EXPECT_EQ(ReadText(root_.Get(), L"NoNul"), "abc");
  Store(L"TwoParts", std::string("ab\0cd", 5));
  EXPECT_EQ(ReadText(root_.Get(), L"TwoParts"), "ab");
  Store(L"Empty", "");
  EXPECT_EQ(ReadText(root_.Get(), L"Empty"), "");
}

TEST_F(StorageFile, TextWithoutAnAnsiFormBecomesTheDefaultCharacter) {
  Store(L"Chinese", "a\xE4\xB8\xAD");  // 中 has no form in code page 1252
  EXPECT_EQ(ReadText(root_.Get(), L"Chinese"), "a?");
}

TEST_F(StorageFile, LiteralAndUtf8TextAreStoredUnconverted) {
  WriteLiteral(root_.Get(), L"Type", "Hotkey");
  EXPECT_EQ(Stored(L"Type"), Bytes(std::string("Hotkey\0", 7)));
  EXPECT_EQ(ReadLiteral(root_.Get(), L"Type"), "Hotkey");

  const std::string utf8 = "caf\xC3\xA9 \xE2\x82\xAC";
  WriteUtf8Text(root_.Get(), L"Text", utf8);
  EXPECT_EQ(Stored(L"Text"), Bytes(utf8 + std::string("\0", 1)));
  EXPECT_EQ(ReadUtf8Text(root_.Get(), L"Text"), utf8);
}

TEST_F(StorageFile, BooleanIsTrueOnlyForTheExactWord) {
  WriteBoolean(root_.Get(), L"Flag", true);
  EXPECT_EQ(Stored(L"Flag"), Bytes(std::string("true\0", 5)));
  EXPECT_TRUE(ReadBoolean(root_.Get(), L"Flag"));
  WriteBoolean(root_.Get(), L"Flag", false);
  EXPECT_EQ(Stored(L"Flag"), Bytes(std::string("false\0", 6)));
  EXPECT_FALSE(ReadBoolean(root_.Get(), L"Flag"));

  struct Case {
    std::string stored;
    bool expected;
  } cases[] = {{"true", true}, {"TRUE", false}, {"True", false}, {"true ", false}, {"1", false}, {"", false}};
  for (const Case& c : cases) {
    Store(L"Flag", c.stored);
    EXPECT_EQ(ReadBoolean(root_.Get(), L"Flag"), c.expected) << c.stored;
  }
}

TEST_F(StorageFile, IntegerIsDecimalTextReadTheWayAtoiReads) {
  WriteInteger(root_.Get(), L"Repeat", -42);
  EXPECT_EQ(Stored(L"Repeat"), Bytes(std::string("-42\0", 4)));
  EXPECT_EQ(ReadInteger(root_.Get(), L"Repeat"), -42);

  struct Case {
    std::string stored;
    int32_t expected;
  } cases[] = {
      {"12abc", 12}, {"abc", 0}, {"  +7", 7}, {"\t-3x", -3}, {"", 0}, {"- 5", 0},
      {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN},
      {"99999999999999999999", INT32_MAX}, {"-99999999999", INT32_MIN},  // saturates, no overflow
  };
  for (const Case& c : cases) {
    Store(L"Repeat", c.stored);
    EXPECT_EQ(ReadInteger(root_.Get(), L"Repeat"), c.expected) << c.stored;
  }
}

TEST_F(StorageFile, UnsignedKeepsTheFullRange) {
  WriteUnsigned(root_.Get(), L"ID", 4000000000u);
  EXPECT_EQ(Stored(L"ID"), Bytes(std::string("4000000000\0", 11)));
  EXPECT_EQ(ReadUnsigned(root_.Get(), L"ID"), 4000000000u);
  Store(L"ID", "17 and more");
  EXPECT_EQ(ReadUnsigned(root_.Get(), L"ID"), 17u);
  Store(L"ID", "99999999999");
  EXPECT_EQ(ReadUnsigned(root_.Get(), L"ID"), UINT32_MAX);
  Store(L"ID", "none");
  EXPECT_EQ(ReadUnsigned(root_.Get(), L"ID"), 0u);
}

TEST_F(StorageFile, NumberListIsBlankSeparatedAndScannedUpToTheCountAsked) {
  WriteNumberList(root_.Get(), L"Keys", {17, 0, 255, 3});
  EXPECT_EQ(Stored(L"Keys"), Bytes(std::string("17 0 255 3\0", 11)));
  EXPECT_EQ(ReadNumberList(root_.Get(), L"Keys", 4), (std::vector<uint32_t>{17, 0, 255, 3}));
  EXPECT_EQ(ReadNumberList(root_.Get(), L"Keys", 2), (std::vector<uint32_t>{17, 0}));

  Store(L"Keys", "5  6");
  EXPECT_EQ(ReadNumberList(root_.Get(), L"Keys", 4), (std::vector<uint32_t>{5, 6}));
  Store(L"Keys", "1 x 3");
  EXPECT_EQ(ReadNumberList(root_.Get(), L"Keys", 4), (std::vector<uint32_t>{1}));
}

TEST_F(StorageFile, VersionReadsAsAFloatingPointNumber) {
  WriteVersion(root_.Get(), L"File Version", "2.0");
  EXPECT_EQ(Stored(L"File Version"), Bytes(std::string("2.0\0", 4)));
  EXPECT_DOUBLE_EQ(ReadVersion(root_.Get(), L"File Version"), 2.0);
  Store(L"File Version", "2.5");
  EXPECT_DOUBLE_EQ(ReadVersion(root_.Get(), L"File Version"), 2.5);
  Store(L"File Version", "x");
  EXPECT_DOUBLE_EQ(ReadVersion(root_.Get(), L"File Version"), 0.0);
}

TEST_F(StorageFile, BlockIsRawBytesAndAShortOneFails) {
  const uint8_t mask[4] = {0x00, 0xFF, 0x10, 0x80};
  WriteBlock(root_.Get(), L"AND Mask", mask, sizeof mask);
  EXPECT_EQ(Stored(L"AND Mask"), (std::vector<uint8_t>{0x00, 0xFF, 0x10, 0x80}));
  uint8_t back[4] = {};
  ReadBlock(root_.Get(), L"AND Mask", back, sizeof back);
  EXPECT_EQ(0, memcmp(back, mask, sizeof mask));

  uint8_t first[2] = {};
  ReadBlock(root_.Get(), L"AND Mask", first, sizeof first);  // a longer stream is fine
  EXPECT_EQ(first[1], 0xFF);

  uint8_t tooMany[8] = {};
  EXPECT_THROW(ReadBlock(root_.Get(), L"AND Mask", tooMany, sizeof tooMany), ZReadError);
}

TEST_F(StorageFile, AnEmptyBlockIsAnEmptyStream) {
  std::vector<uint8_t> none;
  WriteBlock(root_.Get(), L"Points", none.data(), none.size());  // data() may be null
  Reopen();
  EXPECT_TRUE(ReadAllBytes(root_.Get(), L"Points", kLongestPointsValue).empty());
  EXPECT_EQ(ReadText(root_.Get(), L"Points"), "");
}

// A damaged or hostile directory may claim any size for a stream: the value
// is refused, with code 0 (no storage call failed), whatever the claim.
TEST_F(StorageFile, AStreamClaimingMoreThanItsKindHoldsIsRefused) {
  WriteText(root_.Get(), L"Name", std::string(5000, 'n'));
  WriteText(root_.Get(), L"Short", "Circle");
  WriteInteger(root_.Get(), L"Repeat", 3);
  for (uint32_t claim : {0x90000000u, 0x80000000u, 0x7FFFFFF0u, 0x10000000u,
                         static_cast<uint32_t>(kLongestTextValue) + 1}) {
    root_.Reset();
    ASSERT_EQ(ClaimStreamSize(path_, L"Name", claim), 1);
    ASSERT_EQ(ClaimStreamSize(path_, L"Short", claim), 1);
    Reopen();
    for (const wchar_t* name : {L"Name", L"Short"}) {
      try {
        ReadText(root_.Get(), name);
        ADD_FAILURE() << "no ZReadError for a claim of " << claim;
      } catch (const ZReadError& error) {
        EXPECT_EQ(error.code(), 0) << claim;
      }
    }
    EXPECT_EQ(ReadInteger(root_.Get(), L"Repeat"), 3);  // the rest of the file stays readable
  }
}

TEST_F(StorageFile, EachKindOfValueHasItsLongestLength) {
  WriteText(root_.Get(), L"Longest", std::string(kLongestTextValue - 1, 't'));  // and its NUL
  Store(L"TooLong", std::string(kLongestTextValue + 1, 't'));
  Store(L"Number", "7" + std::string(kLongestWordValue - 1, ' '));
  Store(L"LongNumber", "7" + std::string(kLongestWordValue, ' '));
  Reopen();
  EXPECT_EQ(ReadText(root_.Get(), L"Longest").size(), kLongestTextValue - 1);
  EXPECT_THROW(ReadText(root_.Get(), L"TooLong"), ZReadError);
  EXPECT_EQ(ReadInteger(root_.Get(), L"Number"), 7);
  EXPECT_THROW(ReadInteger(root_.Get(), L"LongNumber"), ZReadError);
  EXPECT_THROW(ReadLiteral(root_.Get(), L"LongNumber"), ZReadError);
  EXPECT_THROW(ReadBoolean(root_.Get(), L"LongNumber"), ZReadError);
  EXPECT_EQ(ReadAllBytes(root_.Get(), L"TooLong", kLongestTextValue + 1).size(), kLongestTextValue + 1);
  EXPECT_THROW(ReadAllBytes(root_.Get(), L"TooLong", kLongestTextValue), ZReadError);
}

TEST_F(StorageFile, MissingElementsThrowReadErrorWithFileNotFound) {
  auto expectNotFound = [](auto&& read) {
    try {
      read();
      ADD_FAILURE() << "no ZReadError";
    } catch (const ZReadError& error) {
      EXPECT_EQ(static_cast<uint32_t>(error.code()), 0x80030002u);
    }
  };
  IStorage* root = root_.Get();
  uint8_t block[4];
  expectNotFound([&] { ReadText(root, L"Missing"); });
  expectNotFound([&] { ReadBoolean(root, L"Missing"); });
  expectNotFound([&] { ReadInteger(root, L"Missing"); });
  expectNotFound([&] { ReadBlock(root, L"Missing", block, sizeof block); });
  expectNotFound([&] { ReadAllBytes(root, L"Missing", 16); });
  expectNotFound([&] { OpenRequiredSubStorage(root, L"Missing"); });

  HRESULT result = S_OK;
  EXPECT_EQ(OpenSubStorage(root, L"Missing", &result), nullptr);
  EXPECT_EQ(result, STG_E_FILENOTFOUND);
}

TEST_F(StorageFile, WritingReplacesAnExistingElement) {
  WriteText(root_.Get(), L"Name", "a much longer first value");
  WriteText(root_.Get(), L"Name", "x");
  EXPECT_EQ(Stored(L"Name"), Bytes(std::string("x\0", 2)));

  StoragePtr first = CreateSubStorage(root_.Get(), L"Symbol");
  WriteText(first.Get(), L"Old", "old");
  first.Reset();
  StoragePtr second = CreateSubStorage(root_.Get(), L"Symbol");
  second.Reset();
  StoragePtr symbol = OpenRequiredSubStorage(root_.Get(), L"Symbol");
  EXPECT_THROW(ReadText(symbol.Get(), L"Old"), ZReadError);
}

TEST_F(StorageFile, ValuesSurviveClosingAndReopeningTheFile) {
  WriteText(root_.Get(), L"Name", "Circle \xE9");
  WriteBoolean(root_.Get(), L"Enabled", true);
  Reopen();
  // Each value read twice: a stream left open would block the second open.
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(ReadText(root_.Get(), L"Name"), "Circle \xE9");
    EXPECT_TRUE(ReadBoolean(root_.Get(), L"Enabled"));
  }
  EXPECT_THROW(WriteText(root_.Get(), L"Name", "read-only"), ZWriteError);
}

TEST_F(StorageFile, NumberedSubStoragesAreReadInOrderUntilTheFirstGap) {
  EXPECT_EQ(NumberedName(L"Shape", 0), L"Shape 00");
  EXPECT_EQ(NumberedName(L"Action", 7), L"Action 07");
  EXPECT_EQ(NumberedName(L"Command", 123), L"Command 123");

  for (int i : {0, 1, 2, 4}) {  // 3 is missing: 4 must not be reached
    StoragePtr shape = CreateSubStorage(root_.Get(), NumberedName(L"Shape", i).c_str());
    WriteInteger(shape.Get(), L"Index", i * 10);
  }
  Reopen();
  std::vector<int> seen;
  int count = ForEachNumberedSubStorage(root_.Get(), L"Shape", [&](IStorage* shape, int index) {
    EXPECT_EQ(ReadInteger(shape, L"Index"), index * 10);
    seen.push_back(index);
  });
  EXPECT_EQ(count, 3);
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
  // Children were released: they can be opened again.
  HRESULT result = E_FAIL;
  EXPECT_NE(OpenSubStorage(root_.Get(), L"Shape 00", &result), nullptr);
  EXPECT_EQ(result, S_OK);
}

TEST_F(StorageFile, AnOpenFailureOtherThanNotFoundStopsTheNumberedWalk) {
  CreateSubStorage(root_.Get(), L"Shape 00").Reset();
  CreateSubStorage(root_.Get(), L"Shape 01").Reset();
  Reopen();
  HRESULT result = S_OK;
  StoragePtr held = OpenSubStorage(root_.Get(), L"Shape 01", &result);  // exclusive: blocks a second open
  ASSERT_NE(held, nullptr);
  int visits = 0;
  try {
    ForEachNumberedSubStorage(root_.Get(), L"Shape", [&](IStorage*, int) { ++visits; });
    ADD_FAILURE() << "no ZReadError";
  } catch (const ZReadError& error) {
    EXPECT_TRUE(FAILED(error.code()));
    EXPECT_NE(static_cast<uint32_t>(error.code()), 0x80030002u);
  }
  EXPECT_EQ(visits, 1);
}

TEST(StorageFiles, OpenAndCreateFailuresCarryTheResultCode) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
  try {
    OpenStorageFile("C:\\no such folder\\missing.zts");
    ADD_FAILURE() << "no ZReadError";
  } catch (const ZReadError& error) {
    EXPECT_TRUE(FAILED(error.code()));
  }
  try {
    CreateStorageFile("C:\\no such folder\\new.zts");
    ADD_FAILURE() << "no ZWriteError";
  } catch (const ZWriteError& error) {
    EXPECT_TRUE(FAILED(error.code()));
  }
  CoUninitialize();
}

// A stream that claims a size of its own choosing and holds `held` bytes; it
// notes the largest read it was asked for.
class ClaimingStream : public IStream {
 public:
  ClaimingStream(uint32_t claimed, size_t held) : claimed_(claimed), held_(held) {}
  size_t largestRead() const { return largestRead_; }
  size_t reads() const { return reads_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE Read(void* data, ULONG size, ULONG* read) override {
    ++reads_;
    largestRead_ = std::max<size_t>(largestRead_, size);
    const ULONG count = static_cast<ULONG>(std::min<size_t>(size, held_ - position_));
    std::memset(data, 'x', count);
    position_ += count;
    *read = count;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override {
    *stat = STATSTG{};
    stat->cbSize.QuadPart = claimed_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

 private:
  uint32_t claimed_;
  size_t held_;
  size_t position_ = 0;
  size_t largestRead_ = 0;
  size_t reads_ = 0;
};

// What a stream claims costs no memory beyond what it holds and its kind
// allows: neither a claim beyond the limit nor one far beyond the bytes
// there is allocated (and filled) first.
TEST(StreamBytes, AClaimIsNeverTakenOnTrust) {
  ClaimingStream huge(0x10000000u, 10);
  EXPECT_THROW(ReadStreamBytes(&huge, kLongestTextValue), ZReadError);
  EXPECT_EQ(huge.reads(), 0u);

  ClaimingStream hollow(static_cast<uint32_t>(kLongestTextValue), 10);
  EXPECT_THROW(ReadStreamBytes(&hollow, kLongestTextValue), ZReadError);
  EXPECT_LT(hollow.largestRead(), kLongestTextValue / 4);

  ClaimingStream honest(200000, 200000);
  const std::vector<uint8_t> bytes = ReadStreamBytes(&honest, kLongestTextValue);
  EXPECT_EQ(bytes, std::vector<uint8_t>(200000, 'x'));

  ClaimingStream empty(0, 0);
  EXPECT_TRUE(ReadStreamBytes(&empty, 0).empty());
}

TEST(StorageFiles, AnsiPathIsConvertedFromTheSystemCodePage) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
  wchar_t dir[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, dir), 0u);
  std::wstring wide = std::wstring(dir) + L"caf\u00E9.zts";
  char ansiDir[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, ansiDir), 0u);
  CreateStorageFile(std::string(ansiDir) + "caf\xE9.zts").Reset();
  EXPECT_NE(GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(OpenStorageFile(std::string(ansiDir) + "caf\xE9.zts"), nullptr);
  DeleteFileW(wide.c_str());
  CoUninitialize();
}

}  // namespace
