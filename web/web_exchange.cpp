#include "web/web_exchange.h"

#include <commctrl.h>

#include <algorithm>

#include "common/app_context.h"
#include "common/default_key.h"
#include "common/directory_tree.h"
#include "common/memory_file.h"
#include "common/secure_wipe.h"
#include "common/settings.h"
#include "common/table_file_io.h"
#include "common/zip_reader.h"
#include "web/server_address.h"

namespace {

constexpr int64_t kDefaultNextCall = 86400;  // seconds: the service is asked again a day later
const char kWebList[] = "weblist";
const char* const kOtherLists[] = {"charsets", "firms", "country", "cntryrdr",
                                   "languages", "lgngrps", "srvcnms", "plgndscr"};

int64_t Now() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return static_cast<int64_t>((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
}

int64_t LastWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return static_cast<int64_t>((static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                              data.ftLastWriteTime.dwLowDateTime);
}

ZKeyBlock ServiceKey() { return DefaultKey().withUsedLength(ZKeyBlock::kServiceLength); }

class ZInternetSource : public ZWebResponseSource {
 public:
  explicit ZInternetSource(HINTERNET request) : request_(request) {
    DWORD length = 0, size = sizeof length;
    if (HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size, nullptr))
      remaining_ = length;
  }
  bool read(void* buffer, size_t size, size_t& got) override {
    DWORD done = 0;
    got = 0;
    if (!InternetReadFile(request_, buffer, static_cast<DWORD>(size), &done)) return false;
    got = done;
    if (remaining_ != UINT64_MAX) remaining_ -= std::min<uint64_t>(remaining_, done);
    return true;
  }
  uint64_t announcedRemaining() const override { return remaining_; }

 private:
  HINTERNET request_;
  uint64_t remaining_ = UINT64_MAX;
};

class ZProgressBar : public ZWebResponseProgress {
 public:
  explicit ZProgressBar(HWND bar) : bar_(bar) {}
  void started(uint32_t length) override {
    SendMessageA(bar_, PBM_SETRANGE32, 0, static_cast<LPARAM>(length));
    SendMessageA(bar_, PBM_SETPOS, 0, 0);
  }
  void received(uint32_t soFar) override { SendMessageA(bar_, PBM_SETPOS, soFar, 0); }

 private:
  HWND bar_;
};

// A new empty folder in the temporary folder, for one archive.
bool MakeStagingFolder(std::string& path) {
  char folder[MAX_PATH], name[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, folder);
  if (length == 0 || length >= MAX_PATH || !GetTempFileNameA(folder, ".zl", 0, name)) return false;
  DeleteFileA(name);
  if (!CreateDirectoryA(name, nullptr)) return false;
  path = std::string(name) + "\\";
  return true;
}

}  // namespace

void ZWebExchange::build(bool forceList, const std::vector<int32_t>& wantedPlugins) {
  report_ = host_.takeUnreportedCounts();
  const std::string age = forceList ? "0" : WeblistAgeText(LastWriteTime(host_.systemFolder() + kWebList));
  body_ = EncodeExchangeRequest(report_, age, wantedPlugins);
  Settings().ncx = FileTimeAfter(Now(), kDefaultNextCall);
  host_.saveProfile();
}

bool ZWebExchange::send() {
  const ZServerAddress address = WebServiceAddress();
  HINTERNET session = host_.session();
  bool sent = false;
  if (session) {
    connection_.reset(InternetConnectA(session, address.host.c_str(), address.port, nullptr, nullptr,
                                       INTERNET_SERVICE_HTTP, 0, 0));
  }
  if (connection_) {
    request_.reset(HttpOpenRequestA(connection_.get(), "POST", "", "HTTP/1.1", nullptr, nullptr,
                                    INTERNET_FLAG_NO_CACHE_WRITE, 0));
  }
  if (request_ && HttpSendRequestA(request_.get(), nullptr, 0, const_cast<char*>(body_.data()),
                                   static_cast<DWORD>(body_.size()))) {
    DWORD status = 0, size = sizeof status;
    sent = HttpQueryInfoA(request_.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) &&
           status == HTTP_STATUS_OK;
  }
  if (!sent) {
    close();
    if (!report_.empty()) {
      host_.restoreUnreportedCounts(report_);
      host_.saveProfile();
    }
  }
  report_ = ZUsageReport();
  return sent;
}

ZWebResponseEnd ZWebExchange::read(HWND progressBar, ZWebResponse& response) {
  response.clear();
  // Nothing was sent: an empty answer, which changes nothing.
  if (!request_) return ZWebResponseEnd::Complete;
  ZInternetSource source(request_.get());
  ZProgressBar bar(progressBar);
  return ReadWebResponse(source, progressBar ? &bar : nullptr, response);
}

void ZWebExchange::close() {
  request_.reset();
  connection_.reset();
}

bool InstallListFromArchive(const std::string& folder, const std::string& name, const uint8_t* archive,
                            size_t size, const ZKeyBlock& key) {
  // The archive goes to a folder of its own first: the file in place is
  // replaced only by a complete one, and no other file of the archive
  // reaches the system folder.
  std::string staging;
  if (!MakeStagingFolder(staging)) return false;
  std::vector<uint8_t> content;
  bool ok = ExtractZipFromMemory(archive, size, staging, nullptr) &&
            ReadWholeFile((staging + name).c_str(), content);
  if (ok) ok = table_file_io::WriteEncryptedText((folder + name).c_str(), key, std::string(content.begin(), content.end()));
  DeleteDirectoryTree(staging);
  return ok;
}

void ApplyWebResponse(ZWebHost& host, const ZWebResponse& response) {
  if (response.hasOfType("nextcalltime", 'I')) {
    Settings().ncx = FileTimeAfter(Now(), response.integer("nextcalltime"));
    host.saveProfile();
  }
  const std::string system = host.systemFolder();
  const ZKeyBlock key = ServiceKey();
  if (response.has(kWebList) &&
      InstallListFromArchive(system, kWebList, response.data(kWebList), response.length(kWebList), key))
    host.reloadWebServiceList(system + kWebList, key);
  for (const char* name : kOtherLists) {
    if (response.has(name)) InstallListFromArchive(system, name, response.data(name), response.length(name), key);
  }
}

void RunServiceExchange(ZWebHost& host, bool forceList) {
  if (host.session()) {
    ZWebExchange exchange(host);
    exchange.build(forceList);
    if (exchange.send()) {
      ZWebResponse response;
      if (exchange.read(nullptr, response) == ZWebResponseEnd::Complete) ApplyWebResponse(host, response);
    }
    exchange.close();
  }
  MessageBeep(0xFFFFFFFF);
}
