#include "actions/service_list.h"

#include "actions/form_script.h"
#include "common/text_parsing.h"

namespace {

using namespace text_parsing;

// Reads a field ending at the next TAB; false when the line has none.
bool NextField(const char* text, size_t& pos, size_t end, std::string& field) {
  const size_t tab = Find(text, pos, end, '\t');
  if (tab == end) return false;
  field.assign(text + pos, tab - pos);
  pos = tab + 1;
  return true;
}

bool ParseLine(const char* text, size_t pos, size_t end, ServiceDefinition& service) {
  std::string field;
  if (!NextField(text, pos, end, field)) return false;
  service.id = static_cast<int32_t>(ParseDecimal(field.data(), 0, field.size()));
  for (int32_t& value : service.i) {
    if (!NextField(text, pos, end, field)) return false;
    value = static_cast<int32_t>(ParseDecimal(field.data(), 0, field.size()));
  }
  if (!NextField(text, pos, end, service.t0) || !NextField(text, pos, end, service.t1) ||
      !NextField(text, pos, end, service.t2))
    return false;
  service.t3.assign(text + pos, end - pos);
  return true;
}

}  // namespace

size_t ServiceDefinition::loginCount() const { return ScriptLoginCount(t3); }

const ServiceDefinition* ServiceList::find(int32_t id) const {
  for (const ServiceDefinition& service : services_)
    if (service.id == id) return &service;
  return nullptr;
}

void ServiceList::parse(const char* text, size_t size) {
  services_.clear();
  const size_t end = TextLength(text, size);
  size_t pos = SkipLineBreaks(text, 0, end);
  while (pos < end) {
    const size_t lineEnd = LineEnd(text, pos, end);
    ServiceDefinition service;
    if (ParseLine(text, pos, lineEnd, service)) services_.push_back(std::move(service));
    pos = SkipLineBreaks(text, lineEnd, end);
  }
}

ServiceList& WebServices() {
  static ServiceList list;
  return list;
}
