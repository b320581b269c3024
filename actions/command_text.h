// Inserts a text into the foreground application, through the clipboard or
// typed key by key.
#pragma once
#include "actions/command.h"

class ZCommandText : public ZCommandKind<ZCommandText, kCommandText> {
 public:
  // The text as UTF-8, so that it survives every code page.
  const std::string& text() const { return text_; }
  void setText(const std::string& utf8) { text_ = utf8; }
  // Not stored: commands read from a storage use the clipboard, those of the
  // sequential plug-in form type their text.
  bool useClipboard() const { return useClipboard_; }
  void setUseClipboard(bool use) { useClipboard_ = use; }

  // Compares the text only.
  bool equals(const ZCommand& other) const override;
  bool execute() override;
  static std::unique_ptr<ZCommandText> fromRecord(const CommandRecord& record);

 protected:
  void saveFields(IStorage* storage) const override;

 private:
  bool useClipboard_ = true;
  std::string text_;
};
