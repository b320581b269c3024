// Usage counters: per plug-in ("stpl"), per symbol ("stsl") and per web
// service ("stsv"), each key with a total and a count since the last report
// to the web service. The text form is one "%d\t%u\t%u\r\n" line per key in
// ascending key order.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

struct ZUsageCount {
  uint32_t total = 0;
  uint32_t recent = 0;
  bool operator==(const ZUsageCount& other) const { return total == other.total && recent == other.recent; }
};

class ZUsageCounters {
 public:
  // Adds one to both counters of the key, creating it at zero first.
  void count(int32_t key);
  // After a report: the totals stay, the recent counts start again.
  void clearRecent();
  void clear() { entries_.clear(); }

  const std::map<int32_t, ZUsageCount>& entries() const { return entries_; }
  void set(int32_t key, ZUsageCount value) { entries_[key] = value; }

  // Replaces the table with the text's entries. A line that does not hold
  // three numbers is skipped; a key seen twice keeps its first counts.
  void parse(std::string_view text);
  std::string format() const;

 private:
  std::map<int32_t, ZUsageCount> entries_;
};

// The three process-wide tables of the current profile.
ZUsageCounters& PluginCounters();   // "stpl", by application plug-in ID
ZUsageCounters& SymbolCounters();   // "stsl", by symbol id; 0 = not recognised
ZUsageCounters& ServiceCounters();  // "stsv", by web service
