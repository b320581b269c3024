// Zip archives made in memory: local headers, the data (raw deflate, or
// stored where deflating would not make it smaller), the central directory
// and its end record; no Zip64, so at most 4 GB in all.
#pragma once
#include <cstdint>
#include <ctime>
#include <string>

class ZZipWriter {
 public:
  // False when the archive would pass 4 GB or zlib fails.
  bool add(const std::string& name, const std::string& data, time_t modified);
  // The whole archive; the writer is empty again afterwards.
  std::string finish();

 private:
  std::string local_;
  std::string central_;
  uint16_t entries_ = 0;
};
