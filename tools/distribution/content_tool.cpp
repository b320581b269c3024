// ZavotraContent.exe FOLDER: writes the content a new user gets into FOLDER,
// laid out as in the installation folder:
//   symbols\rdr01, symbols\cat01, symbols\NN\*.zts   the shared symbol library
//   skel\plug-ins\common.ztc, skel\plug-ins\services.ztc
//   skel\symbols\, dls\                              kept by empty "dummy" files
//   system\help\common_actions.html                 the common actions' help page
// Run at build time (under Wine) for the distribution folder. Exit code 0 on
// success, 1 when a file could not be written, 2 on a wrong command line.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "actions/command_hotkey.h"
#include "actions/command_sound.h"
#include "actions/command_system.h"
#include "actions/key_table.h"
#include "actions/macro.h"
#include "common/default_key.h"
#include "common/errors.h"
#include "common/id_text_table.h"
#include "gesture/symbol_file.h"
#include "plugins/plugin.h"
#include "tools/distribution/default_symbols.h"
#include "tools/distribution/default_actions.h"

namespace {
bool WriteWholeFile(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                  written == text.size();
  CloseHandle(file);
  return ok;
}

bool MakeFolder(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// "%02u" of the category number, as the program looks it up.
std::string CategoryFolder(const std::string& library, uint32_t number) {
  char name[16];
  wsprintfA(name, "%02u", number);
  return library + name;
}

// Throws ZWriteError like the symbol and plug-in files themselves.
void WriteLibrary(const std::string& library) {
  if (!MakeFolder(library)) throw ZWriteError(GetLastError());
  std::string order;
  ZIdTextTable names;
  for (const DefaultCategory& category : DefaultCategories()) {
    order += std::to_string(category.number) + "\r\n";
    names.entries()[category.number] = category.name;
    const std::string folder = CategoryFolder(library, category.number);
    if (!MakeFolder(folder)) throw ZWriteError(GetLastError());
    for (const DefaultSymbol& definition : category.symbols) {
      Symbol symbol = MakeDefaultSymbol(definition);
      SaveSymbolFile(symbol, folder + "\\" + definition.name + ".zts", DefaultKey());
    }
  }
  if (!WriteWholeFile(library + "rdr01", order) || !names.write((library + "cat01").c_str())) throw ZWriteError(0);
}

std::unique_ptr<ZCommand> KeysCommand(const std::vector<uint8_t>& virtualKeys) {
  auto command = std::make_unique<ZCommandHotkey>();
  int slot = 0;
  for (uint8_t key : virtualKeys) {
    for (int i = 1; i < KeyTable::kSize; ++i)
      if (KeyTable::virtualKey(i) == key && slot < ZCommandHotkey::kSlots) {
        command->setKey(slot++, static_cast<uint8_t>(i));
        break;
      }
  }
  return command;
}

int SystemFunctionOf(DefaultSystemFunction function) {
  switch (function) {
    case DefaultSystemFunction::Maximize: return ZCommandSystem::kMaximize;
    case DefaultSystemFunction::Minimize: return ZCommandSystem::kMinimize;
    case DefaultSystemFunction::MinimizeAll: return ZCommandSystem::kMinimizeAll;
    case DefaultSystemFunction::ShowMainWindow: return ZCommandSystem::kShowMainWindow;
    case DefaultSystemFunction::None: break;
  }
  return ZCommandSystem::kNone;
}

std::unique_ptr<ZCommand> SystemCommand(int function) {
  auto command = std::make_unique<ZCommandSystem>();
  command->setFunction(function);
  return command;
}

std::unique_ptr<ZCommand> ThemeSound(int event) {
  auto command = std::make_unique<ZCommandSound>();
  command->setSoundType(ZCommandSound::kTheme);
  command->setIndex(event);
  return command;
}

std::unique_ptr<ZMacro> MakeAction(const DefaultAction& action) {
  auto macro = std::make_unique<ZMacro>();
  macro->setName(action.name);
  macro->setSymbol(std::make_unique<Symbol>(MakeDefaultSymbol(*FindDefaultSymbol(action.symbol))));
  // The sound first: it plays while the window changes, and a command that
  // fails (no window to act on) would end the macro before it.
  if (action.event >= 0) macro->append(ThemeSound(action.event));
  if (action.systemFunction == DefaultSystemFunction::None)
    macro->append(KeysCommand(action.keys));
  else
    macro->append(SystemCommand(SystemFunctionOf(action.systemFunction)));
  return macro;
}

void WriteSkeletonPlugins(const std::string& plugins) {
  ZPlugin common;
  common.setName("Common");
  common.setCreator("Zavotra");
  common.setComments("Actions valid in every application.");
  for (const DefaultAction& action : DefaultCommonActions()) common.addAction(MakeAction(action));
  common.saveAs(plugins + "common.ztc", DefaultKey());

  // Web-service actions are made from the service lists the web service
  // sends (the service editor); the skeleton starts without any.
  ZPlugin services;
  services.setName("Services");
  services.setCreator("Zavotra");
  services.saveAs(plugins + "services.ztc", DefaultKey());
}

// The symbol as a small picture: its stroke, and a dot where drawing starts.
std::string SymbolPicture(const std::vector<Point>& path) {
  std::string points;
  for (const Point& p : path) points += std::to_string(p.x + 10) + "," + std::to_string(p.y + 10) + " ";
  return "<svg width=\"48\" height=\"48\" viewBox=\"0 0 220 220\"><polyline points=\"" + points +
         "\" fill=\"none\" stroke=\"#336699\" stroke-width=\"12\" stroke-linejoin=\"round\"/>"
         "<circle cx=\"" + std::to_string(path.front().x + 10) + "\" cy=\"" + std::to_string(path.front().y + 10) +
         "\" r=\"18\" fill=\"#cc3333\"/></svg>";
}

// The help page that lists the common actions with their symbols.
void WriteActionHelp(const std::string& help) {
  std::string page =
      "<!DOCTYPE html>\r\n<html lang=\"en\">\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
      "<title>Zavotra Help: the common actions</title>\r\n<link rel=\"stylesheet\" href=\"help.css\">\r\n"
      "</head>\r\n<body>\r\n<h1>The common actions</h1>\r\n"
      "<p>Draw each symbol in one stroke, starting at the red dot.</p>\r\n<table>\r\n"
      "<tr><th>Symbol</th><th>Action</th><th>What it does</th></tr>\r\n";
  for (const DefaultAction& action : DefaultCommonActions())
    page += "<tr><td>" + SymbolPicture(FindDefaultSymbol(action.symbol)->path) + "</td><td>" + action.name +
            "</td><td>" + action.what + "</td></tr>\r\n";
  page += "</table>\r\n<p><a href=\"help_main_file.html\">Back to the help</a></p>\r\n</body>\r\n</html>\r\n";
  if (!WriteWholeFile(help + "common_actions.html", page)) throw ZWriteError(GetLastError());
}

void WriteContent(const std::string& root) {
  WriteLibrary(root + "symbols\\");
  for (const char* folder : {"skel", "skel\\plug-ins", "skel\\symbols", "dls", "system", "system\\help"})
    if (!MakeFolder(root + folder)) throw ZWriteError(GetLastError());
  // Empty folders are kept by a "dummy" file: the installer copies it like
  // any other and counts none of them.
  for (const char* dummy : {"skel\\symbols\\dummy", "dls\\dummy"})
    if (!WriteWholeFile(root + dummy, std::string())) throw ZWriteError(GetLastError());
  WriteSkeletonPlugins(root + "skel\\plug-ins\\");
  WriteActionHelp(root + "system\\help\\");
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::string root = argv[1];
  if (root.empty()) return 2;
  if (root.back() != '\\') root += '\\';
  if (!MakeFolder(root)) return 1;
  try {
    WriteContent(root);
  } catch (const ZWriteError&) {
    return 1;
  }
  return 0;
}
