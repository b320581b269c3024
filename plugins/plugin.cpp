#include "plugins/plugin.h"

#include <algorithm>

#include "actions/legacy_macro.h"
#include "common/default_key.h"
#include "common/errors.h"
#include "common/language_id.h"
#include "common/memory_file.h"
#include "common/storage.h"
#include "common/storage_file_save.h"
#include "gesture/decrypted_copy.h"
#include "plugins/legacy_plugin_record.h"
#include "plugins/plugin_folder.h"

namespace {

const wchar_t kVersionStream[] = L"File Version";
const wchar_t kIdStream[] = L"ID";
const wchar_t kNameStream[] = L"Name";
const wchar_t kCompanyStream[] = L"Company";
const wchar_t kLanguageStream[] = L"Language";
const wchar_t kCreatorStream[] = L"Creator";
const wchar_t kCreatorUrlStream[] = L"CreatorUrl";
const wchar_t kCaptionStream[] = L"Caption";
const wchar_t kKeyStream[] = L"Key";
const wchar_t kCommentsStream[] = L"Comments";
const wchar_t kActionPrefix[] = L"Action";
const char kFileVersion[] = "2.0";

int32_t ReadOptionalId(IStorage* storage) {
  try {
    return ReadInteger(storage, kIdStream);
  } catch (const ZReadError&) {
    return ZPlugin::kNoId;
  }
}

// An older-form action the reference plug-in already has, with the same
// symbol and the same commands, is not taken a second time.
bool ReferenceHas(const ZPlugin* reference, const ZAction& action) {
  if (!reference || !action.symbol()) return false;
  for (const auto& known : reference->actions()) {
    if (known->symbol() && SameSymbol(*known->symbol(), *action.symbol()) && known->equals(action)) return true;
  }
  return false;
}

}  // namespace

bool SameSymbol(const Symbol& a, const Symbol& b) {
  return a.shapes() == b.shapes() && a.name() == b.name() && a.sortName() == b.sortName() &&
         a.identifier() == b.identifier();
}

ZAction& ZPlugin::addAction(std::unique_ptr<ZAction> action) {
  action->setPlugin(this);
  actions_.push_back(std::move(action));
  return *actions_.back();
}

std::unique_ptr<ZAction> ZPlugin::replaceAction(const ZAction* action, std::unique_ptr<ZAction>& replacement) {
  auto found = std::find_if(actions_.begin(), actions_.end(),
                            [&](const std::unique_ptr<ZAction>& a) { return a.get() == action; });
  if (found == actions_.end() || !replacement) return nullptr;
  replacement->setPlugin(this);
  std::unique_ptr<ZAction> replaced = std::move(*found);
  *found = std::move(replacement);
  replaced->setPlugin(nullptr);
  return replaced;
}

std::unique_ptr<ZAction> ZPlugin::removeAction(const ZAction* action) {
  auto found = std::find_if(actions_.begin(), actions_.end(),
                            [&](const std::unique_ptr<ZAction>& a) { return a.get() == action; });
  if (found == actions_.end()) return nullptr;
  std::unique_ptr<ZAction> removed = std::move(*found);
  actions_.erase(found);
  removed->setPlugin(nullptr);
  return removed;
}

ZAction* ZPlugin::findActionBySymbol(const Symbol& symbol) const {
  for (const auto& action : actions_) {
    if (action->symbol() && SameSymbol(*action->symbol(), symbol)) return action.get();
  }
  return nullptr;
}

void ZPlugin::readHeader(const std::string& path, const ZKeyBlock& key) {
  Contents contents = ReadFile(path, false, nullptr, key);
  header_ = std::move(contents.header);
  fileName_ = path;
}

void ZPlugin::read(const std::string& path, const ZPlugin* reference, const ZKeyBlock& key) {
  Contents contents = ReadFile(path, true, reference, key);
  header_ = std::move(contents.header);
  actions_.clear();
  for (auto& action : contents.actions) addAction(std::move(action));
  fileName_ = path;
}

ZPlugin::Contents ZPlugin::ReadFile(const std::string& path, bool withActions, const ZPlugin* reference,
                                    const ZKeyBlock& key) {
  if (IsDefaultKey(key)) {
    const ZMemoryFile file(path.c_str());  // a missing file throws
    return ReadPlain(file.data(), file.size(), [&path] { return OpenStorageFile(path); }, withActions, reference);
  }
  // The press of the drawing button over a new window waits for this.
  ZDecryptedImage plain(path, key);
  return ReadPlain(plain.data(), plain.size(), [&plain] { return plain.openStorage(); }, withActions, reference);
}

ZPlugin::Contents ZPlugin::ReadPlain(const uint8_t* data, size_t size,
                                     const std::function<StoragePtr()>& openStorage, bool withActions,
                                     const ZPlugin* reference) {
  Contents contents;
  if (IsLegacyPluginFile(data, size)) {
    LegacyStream stream(data, size);
    LegacyPluginRecord record = ReadLegacyPlugin(stream, withActions);
    Header& h = contents.header;
    h.id = record.id;
    h.name = std::move(record.name);
    h.caption = std::move(record.caption);
    h.key = std::move(record.key);
    h.comments = std::move(record.comments);
    h.language = LanguageId::FromName(record.languageName);
    for (const LegacyActionRecord& action : record.actions) {
      std::unique_ptr<ZMacro> macro = MacroFromLegacyRecord(action);
      if (!ReferenceHas(reference, *macro)) contents.actions.push_back(std::move(macro));
    }
    return contents;
  }
  StoragePtr root = openStorage();
  CheckFileVersion(root.Get(), kVersionStream);
  Header& h = contents.header;
  h.id = ReadOptionalId(root.Get());
  h.company = ReadOptionalText(root.Get(), kCompanyStream);
  h.creator = ReadOptionalText(root.Get(), kCreatorStream);
  h.creatorUrl = ReadOptionalText(root.Get(), kCreatorUrlStream);
  h.language = LanguageId::FromName(ReadText(root.Get(), kLanguageStream));
  h.name = ReadText(root.Get(), kNameStream);
  h.caption = ReadText(root.Get(), kCaptionStream);
  h.key = ReadText(root.Get(), kKeyStream);
  h.comments = ReadText(root.Get(), kCommentsStream);
  if (withActions) {
    ForEachNumberedSubStorage(root.Get(), kActionPrefix, [&](IStorage* storage, int) {
      try {
        contents.actions.push_back(ZAction::load(storage, false));
      } catch (const ZReadError&) {
        // One damaged action must not cost the user the others.
      }
    });
  }
  return contents;
}

void ZPlugin::save(const ZKeyBlock& key) {
  std::string path = fileName_;
  // Without a profile's folder a new plug-in would land in whatever the
  // current directory happens to be.
  if (path.empty() && !CurrentPluginsFolder().empty()) path = NewPluginFilePath(CurrentPluginsFolder());
  if (path.empty()) throw ZWriteError();
  saveAs(path, key);
}

void ZPlugin::saveAs(const std::string& path, const ZKeyBlock& key) {
  writeFile(path, key);
  fileName_ = path;
}

void ZPlugin::writeFile(const std::string& path, const ZKeyBlock& key) const {
  SaveStorageFile(path, key, [&](IStorage* r) {
    WriteVersion(r, kVersionStream, kFileVersion);
    WriteInteger(r, kIdStream, header_.id);
    WriteText(r, kNameStream, header_.name);
    WriteText(r, kCompanyStream, header_.company);
    WriteText(r, kLanguageStream, LanguageId::Name(header_.language));  // "" for an unknown one
    WriteText(r, kCreatorStream, header_.creator);
    WriteText(r, kCreatorUrlStream, header_.creatorUrl);
    WriteText(r, kCaptionStream, header_.caption);
    WriteText(r, kKeyStream, header_.key);
    WriteText(r, kCommentsStream, header_.comments);
    for (size_t n = 0; n < actions_.size(); ++n) {
      StoragePtr child = CreateSubStorage(r, NumberedName(kActionPrefix, static_cast<int>(n)).c_str());
      actions_[n]->save(child.Get(), false);
    }
  });
}
