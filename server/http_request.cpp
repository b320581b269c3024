#include "server/http_request.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

ZHttpParse Refuse(ZHttpRefusal& refusal, int status, const char* reason) {
  refusal.status = status;
  refusal.reason = reason;
  return ZHttpParse::Refused;
}

const char* StatusText(int status) {
  switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 405: return "Method Not Allowed";
    case 408: return "Request Timeout";
    case 411: return "Length Required";
    case 413: return "Payload Too Large";
    case 501: return "Not Implemented";
    case 503: return "Service Unavailable";
    case 505: return "HTTP Version Not Supported";
  }
  return "Error";
}

bool ParseLength(const std::string& text, size_t& length) {
  if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  length = static_cast<size_t>(std::strtoull(text.c_str(), nullptr, 10));
  return true;
}

}  // namespace

ZHttpParse ParseHttpRequest(const std::string& input, const ZHttpLimits& limits, ZHttpRequest& request,
                            ZHttpRefusal& refusal) {
  const size_t end = input.find("\r\n\r\n");
  if (end == std::string::npos) {
    if (input.size() > limits.maxHeader) return Refuse(refusal, 413, "the request header is too large");
    return ZHttpParse::NeedMore;
  }
  if (end > limits.maxHeader) return Refuse(refusal, 413, "the request header is too large");
  const size_t lineEnd = input.find("\r\n");
  const std::string line = input.substr(0, lineEnd);
  const size_t space1 = line.find(' ');
  const size_t space2 = space1 == std::string::npos ? std::string::npos : line.find(' ', space1 + 1);
  if (space2 == std::string::npos || line.find(' ', space2 + 1) != std::string::npos)
    return Refuse(refusal, 400, "a malformed request line");
  request.method = line.substr(0, space1);
  request.target = line.substr(space1 + 1, space2 - space1 - 1);
  const std::string version = line.substr(space2 + 1);
  if (version != "HTTP/1.1" && version != "HTTP/1.0") return Refuse(refusal, 505, "only HTTP/1.0 and 1.1");
  request.keepAlive = version == "HTTP/1.1";

  bool haveLength = false;
  size_t length = 0;
  size_t at = lineEnd + 2;
  while (at < end) {
    const size_t next = input.find("\r\n", at);
    const std::string header = input.substr(at, next - at);
    at = next + 2;
    const size_t colon = header.find(':');
    if (colon == std::string::npos || colon == 0) return Refuse(refusal, 400, "a malformed header");
    const std::string name = Lower(header.substr(0, colon));
    const std::string value = Trim(header.substr(colon + 1));
    if (name == "content-length") {
      size_t parsed;
      if (!ParseLength(value, parsed) || (haveLength && parsed != length))
        return Refuse(refusal, 400, "a malformed Content-Length");
      haveLength = true;
      length = parsed;
    } else if (name == "transfer-encoding") {
      return Refuse(refusal, 501, "transfer codings are not accepted");
    } else if (name == "connection") {
      const std::string token = Lower(value);
      if (token == "close") request.keepAlive = false;
      if (token == "keep-alive") request.keepAlive = true;
    }
  }
  if (request.method != "POST") return Refuse(refusal, 405, "only POST is served");
  if (!haveLength) return Refuse(refusal, 411, "a POST needs a Content-Length");
  if (length > limits.maxBody) return Refuse(refusal, 413, "the request body is too large");
  const size_t bodyStart = end + 4;
  if (input.size() - bodyStart < length) return ZHttpParse::NeedMore;
  request.body = input.substr(bodyStart, length);
  request.consumed = bodyStart + length;
  return ZHttpParse::Ready;
}

std::string HttpResponse(int status, const std::string& contentType, const std::string& body, bool keepAlive) {
  std::string head = "HTTP/1.1 " + std::to_string(status) + " " + StatusText(status) + "\r\n";
  head += "Content-Type: " + contentType + "\r\n";
  head += "Content-Length: " + std::to_string(body.size()) + "\r\n";
  if (status == 405) head += "Allow: POST\r\n";
  head += keepAlive ? "Connection: keep-alive\r\n" : "Connection: close\r\n";
  head += "Cache-Control: no-store\r\n\r\n";
  return head + body;
}
