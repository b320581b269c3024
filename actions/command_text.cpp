#include "actions/command_text.h"

#include "common/storage.h"
#include "common/string_resource.h"
#include "resources/zavotra_ids.h"
#include "shell/app_context.h"

bool ZCommandText::equals(const ZCommand& other) const {
  return other.typeId() == typeId() && text_ == static_cast<const ZCommandText&>(other).text_;
}

std::string ZCommandText::typeName() const {
  return LoadAnsiString(IDS_COMMAND_TEXT, AppInstance());
}

bool ZCommandText::execute() {
  // Inserting the text belongs with the clipboard code in the execution
  // files; until that is in, the command does nothing and lets the macro go on.
  return true;
}

void ZCommandText::saveFields(IStorage* storage) const { WriteUtf8Text(storage, L"Text", text_); }

void ZCommandText::loadFields(IStorage* storage) {
  text_ = ReadUtf8Text(storage, L"Text");
  useClipboard_ = true;
}
