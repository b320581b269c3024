// Zavotra.exe's entry point.
#include <windows.h>

#include "common/default_key.h"
#include "shell/application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // Before any file is read, cleared at exit.
  ZDefaultKeyLifetime defaultKey;
  return RunZavotra(instance);
}
