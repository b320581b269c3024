#include "server/web_service.h"

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "server/zip_writer.h"
#include "web/plugin_catalogue.h"
#include "web/web_response.h"

const char* const kServiceListNames[9] = {"weblist",   "charsets", "firms",   "country", "cntryrdr",
                                          "languages", "lgngrps",  "srvcnms", "plgndscr"};

namespace {

struct FileState {
  int64_t modifiedMs = 0;
  int64_t modifiedNs = 0;
  int64_t size = -1;
};

bool Stat(const std::string& path, FileState& state) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  state.modifiedNs = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  state.modifiedMs = state.modifiedNs / 1000000;
  state.size = info.st_size;
  return true;
}

bool ReadFile(const std::string& path, std::string& content) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  content = bytes.str();
  return true;
}

const ZWebRequestField* Find(const std::vector<ZWebRequestField>& fields, const char* name) {
  const ZWebRequestField* found = nullptr;
  for (const auto& field : fields)
    if (field.name == name) found = &field;  // a later field counts, as in answers
  return found;
}

// The fields the service reads must have their type; others are ignored.
bool CheckTypes(const std::vector<ZWebRequestField>& fields, std::string& error) {
  static const struct {
    const char* name;
    char type;
  } kExpected[] = {{"language", 'i'}, {"os", 'i'},      {"version", 'i'}, {"product", 'i'},     {"ctplug", 'm'},
                   {"ctsrvc", 'm'},   {"ctsym", 'm'},   {"weblist", 'a'}, {"listidplugin", 'm'}};
  for (const auto& field : fields) {
    for (const auto& expected : kExpected) {
      if (field.name == expected.name && field.type != expected.type) {
        error = std::string("the field ") + expected.name + " has the wrong type";
        return false;
      }
    }
  }
  return true;
}

// The "weblist" age: decimal milliseconds; false for anything else.
bool ParseAge(const ZWebRequestField* field, int64_t& age, std::string& error) {
  age = 0;
  if (!field) return true;
  const std::string& text = field->bytes;
  if (text.empty() || text.size() > 19 || text.find_first_not_of("0123456789") != std::string::npos) {
    error = "the field weblist is no decimal number";
    return false;
  }
  age = std::stoll(text);
  return true;
}

std::string MapText(const ZIntegerMap& map) {
  std::string text;
  for (const auto& entry : map) {
    if (!text.empty()) text += ',';
    text += std::to_string(entry.first) + ":" + std::to_string(static_cast<uint32_t>(entry.second));
  }
  return text;
}

ZServiceAnswer Refusal(const std::string& why) {
  return ZServiceAnswer{400, "text/plain", "malformed request: " + why + "\n"};
}

}  // namespace

std::string RequestLogLine(const std::vector<ZWebRequestField>& fields) {
  std::string line = "request";
  for (const auto& field : fields) {
    line += ' ' + field.name + '=';
    if (field.type == 'i') {
      line += std::to_string(field.integer);
    } else if (field.type == 'm' && field.name == "listidplugin") {
      for (size_t i = 0; i < field.map.size(); ++i) line += (i ? "," : "") + std::to_string(field.map[i].second);
    } else if (field.type == 'm') {
      line += MapText(field.map);
    } else {
      // Byte strings as printable text: the log stays one line a request.
      for (char c : field.bytes) line += c >= 0x21 && c < 0x7F ? c : '?';
    }
  }
  return line;
}

void ZWebService::record(const std::vector<ZWebRequestField>& fields) const {
  if (!options_.log) return;
  std::fprintf(options_.log, "%s\n", RequestLogLine(fields).c_str());
  std::fflush(options_.log);
}

bool ZWebService::listsNewerThan(int64_t ageMilliseconds) const {
  for (const char* name : kServiceListNames) {
    FileState state;
    if (Stat(options_.catalogue + name, state) && (ageMilliseconds == 0 || state.modifiedMs > ageMilliseconds))
      return true;
  }
  return false;
}

const std::string* ZWebService::zippedList(const std::string& name) {
  const std::string path = options_.catalogue + name;
  FileState state;
  if (!Stat(path, state)) return nullptr;
  CachedList& cached = lists_[name];
  if (cached.modified == state.modifiedNs && cached.size == state.size) return &cached.archive;
  std::string content;
  ZZipWriter zip;
  if (!ReadFile(path, content) || !zip.add(name, content, static_cast<time_t>(state.modifiedMs / 1000))) return nullptr;
  cached = CachedList{state.modifiedNs, state.size, zip.finish()};
  return &cached.archive;
}

bool ZWebService::pluginPackage(const ZIntegerMap& wanted, std::string& package) const {
  ZZipWriter inner;
  int found = 0;
  for (const auto& entry : wanted) {
    const std::string name = DownloadedPluginName(entry.second);
    FileState state;
    std::string content;
    if (!Stat(options_.catalogue + name, state) || !ReadFile(options_.catalogue + name, content)) continue;
    if (!inner.add(name, content, static_cast<time_t>(state.modifiedMs / 1000))) return false;
    ++found;
  }
  if (found == 0) return false;
  ZZipWriter outer;
  const time_t now = time(nullptr);
  if (!outer.add("inner.zip", inner.finish(), now) ||
      !outer.add("readme.txt", "Zavotra plug-ins: " + std::to_string(found) + " file(s) in inner.zip.\r\n", now))
    return false;
  package = outer.finish();
  return true;
}

ZServiceAnswer ZWebService::answer(const std::string& body) {
  std::vector<ZWebRequestField> fields;
  std::string error;
  if (!DecodeWebRequest(reinterpret_cast<const uint8_t*>(body.data()), body.size(), fields, error) ||
      !CheckTypes(fields, error))
    return Refusal(error);
  int64_t age = 0;
  if (!ParseAge(Find(fields, "weblist"), age, error)) return Refusal(error);
  record(fields);

  ZWebResponseWriter writer;
  writer.addInteger("nextcalltime", options_.nextCallSeconds);
  if (listsNewerThan(age)) {
    for (const char* name : kServiceListNames)
      if (const std::string* archive = zippedList(name)) writer.addBytes('F', name, *archive);
  }
  std::string package;
  const ZWebRequestField* wanted = Find(fields, "listidplugin");
  if (wanted && pluginPackage(wanted->map, package)) writer.addBytes('F', "listidplugin", package);
  std::string answer = writer.body();
  if (options_.breakOff) answer += std::string("Fbroken=\0\0\x03\xE8", 12) + "ten bytes.";
  return ZServiceAnswer{200, "application/octet-stream", answer};
}
