// The HTTP/1.x requests the service accepts: a request line, headers, and a
// body of the length Content-Length gives. Parsed from the bytes received
// so far; anything else is refused with a status and a reason.
#pragma once
#include <cstddef>
#include <string>

struct ZHttpLimits {
  size_t maxHeader = 16 << 10;
  size_t maxBody = 1 << 20;
};

struct ZHttpRequest {
  std::string method;
  std::string target;
  bool keepAlive = true;
  std::string body;
  size_t consumed = 0;  // bytes of the input this request took
};

enum class ZHttpParse { NeedMore, Ready, Refused };

struct ZHttpRefusal {
  int status = 400;
  std::string reason;
};

// Looks at the start of `input`. Ready fills `request`; Refused fills
// `refusal` (400 malformed, 405 not POST, 411 no length, 413 too large,
// 501 a transfer coding, 505 not HTTP/1.x).
ZHttpParse ParseHttpRequest(const std::string& input, const ZHttpLimits& limits, ZHttpRequest& request,
                            ZHttpRefusal& refusal);

// A whole response with its status line and headers.
std::string HttpResponse(int status, const std::string& contentType, const std::string& body, bool keepAlive);
