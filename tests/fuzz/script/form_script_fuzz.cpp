// Arbitrary form scripts over a small in-memory page with frames: a script
// may fail or be refused with ZScriptError, but never crash, hang or escape
// with another exception; each key statement presses at most the bounded
// number of keys, and a script cannot make more statements than it has bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "actions/form_script.h"
#include "tests/support/memory_document.h"

namespace {

MemoryPage Page() {
  MemoryPage page;
  page.forms = {{"f", {}, 0}, {"g", {}, 0}};
  page.add(MemoryElementData("q"), 0);
  page.add(MemoryElementData("s", "select"), 0);
  page.add(MemoryElementData("t", "textarea"), 1);
  page.add(MemoryElementData("q", "input", 1));
  page.add(MemoryElementData("b", "button"));
  return page;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string script(reinterpret_cast<const char*>(data), size);
  MemoryPage page = Page();
  page.frames = {Page(), Page()};
  page.frames[1].frames = {Page()};
  MemoryBrowser browser(&page);
  ScriptContext context;
  context.selection = u"selected";
  context.pairs = {{"login", "password"}};
  std::string error;
  const bool result = RunScript(script, browser, context, &error);
  if (result && !error.empty()) std::abort();
  if (browser.presses.size() > size) std::abort();
  for (const auto& press : browser.presses)
    if (press.second < 0 || press.second > kMaxScriptTabs) std::abort();
  return 0;
}
