#include "actions/command_text.h"
#include "actions/text_insertion.h"
#include "common/ansi_text.h"

#include "common/storage.h"

bool ZCommandText::equals(const ZCommand& other) const {
  return other.typeId() == typeId() && text_ == static_cast<const ZCommandText&>(other).text_;
}

bool ZCommandText::execute() {
  return InsertText(Utf8ToWide(text_), useClipboard_);
}

void ZCommandText::saveFields(IStorage* storage) const { WriteUtf8Text(storage, L"Text", text_); }

void ZCommandText::loadFields(IStorage* storage) {
  text_ = ReadUtf8Text(storage, L"Text");
  useClipboard_ = true;
}
