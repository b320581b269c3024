#include "common/scrambled_text.h"

std::string UnscrambleText(const std::string& stored) {
  std::string plain = stored;
  for (size_t i = 0; i < plain.size(); ++i) {
    unsigned char shift = (i % 2 == 0) ? 136 : 30;
    plain[i] = static_cast<char>(static_cast<unsigned char>(plain[i]) + shift);
  }
  return plain;
}
