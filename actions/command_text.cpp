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

// The one command that keeps its text in UTF-8.
std::unique_ptr<ZCommandText> ZCommandText::fromRecord(const CommandRecord& record) {
  auto command = std::make_unique<ZCommandText>();
  command->setText(record.ansiStrings ? AnsiToUtf8(record.text) : record.text);
  command->setUseClipboard(record.useClipboard);
  return command;
}
