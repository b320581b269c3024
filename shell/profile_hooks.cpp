#include "shell/profile_hooks.h"

ZProfileHooks& ProfileHooks() {
  static ZProfileHooks hooks;
  return hooks;
}
