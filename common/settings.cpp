#include "common/settings.h"

ZSettings& Settings() {
  static ZSettings settings;
  return settings;
}
