// A plug-in: a named set of actions for one application (or, for the common
// and services plug-ins, for all of them), with the header that describes it
// and the file it lives in.
//
// The file is a compound file ("File Version", ten header streams, one
// "Action NN" storage per action); older sequential files (starting with
// "Zavotra Plug-in File") are still read. In a password-protected profile
// (any key but the default one) the file is kept encrypted.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "actions/action.h"
#include "common/key_block.h"
#include "common/storage.h"

class ZPlugin {
 public:
  static constexpr int32_t kNoId = -1;

  ZPlugin() = default;
  ~ZPlugin() = default;
  ZPlugin(const ZPlugin&) = delete;
  ZPlugin& operator=(const ZPlugin&) = delete;

  // Full path of the file last read or saved; empty when never saved.
  const std::string& fileName() const { return fileName_; }
  void setFileName(const std::string& path) { fileName_ = path; }

  int32_t id() const { return header_.id; }
  void setId(int32_t id) { header_.id = id; }
  const std::string& name() const { return header_.name; }
  void setName(const std::string& name) { header_.name = name; }
  const std::string& company() const { return header_.company; }
  void setCompany(const std::string& company) { header_.company = company; }
  // A LanguageId; -1 when the stored name is not in the table.
  int32_t language() const { return header_.language; }
  void setLanguage(int32_t language) { header_.language = language; }
  const std::string& creator() const { return header_.creator; }
  void setCreator(const std::string& creator) { header_.creator = creator; }
  const std::string& creatorUrl() const { return header_.creatorUrl; }
  void setCreatorUrl(const std::string& url) { header_.creatorUrl = url; }
  // Part of the application's main window caption, and its window class.
  const std::string& caption() const { return header_.caption; }
  void setCaption(const std::string& caption) { header_.caption = caption; }
  const std::string& key() const { return header_.key; }
  void setKey(const std::string& key) { header_.key = key; }
  const std::string& comments() const { return header_.comments; }
  void setComments(const std::string& comments) { header_.comments = comments; }

  const std::vector<std::unique_ptr<ZAction>>& actions() const { return actions_; }
  // Takes the action over and makes it point back to this plug-in.
  ZAction& addAction(std::unique_ptr<ZAction> action);
  // Hands the action back to the caller; null when it is not in the list.
  std::unique_ptr<ZAction> removeAction(const ZAction* action);
  // Puts `replacement` in the place of `action`, which it hands back; null,
  // and nothing taken, when `action` is not in the list.
  std::unique_ptr<ZAction> replaceAction(const ZAction* action, std::unique_ptr<ZAction>& replacement);
  void clearActions() { actions_.clear(); }

  // The header only (a catalogue entry); the action list is left as it is.
  // Throws ZReadError; the plug-in is unchanged then.
  void readHeader(const std::string& path, const ZKeyBlock& key);
  // Header and actions. For an older sequential file, actions equal to the
  // action of `reference` with the same symbol are left out (null: keep all).
  // Throws ZReadError; the plug-in is unchanged then.
  void read(const std::string& path, const ZPlugin* reference, const ZKeyBlock& key);

  // Writes to the file name, choosing a new "wpuNNNNNN.zta" in the current
  // profile's plug-ins folder first when there is none (ZWriteError when no
  // folder is set or every number is taken). Throws ZWriteError.
  void save(const ZKeyBlock& key);
  // Writes to `path` and remembers it as the file name. Throws ZWriteError.
  void saveAs(const std::string& path, const ZKeyBlock& key);

  // The first action whose symbol has the same shapes, texts and identifier.
  ZAction* findActionBySymbol(const Symbol& symbol) const;

 private:
  struct Header {
    int32_t id = kNoId;
    std::string name;
    std::string company;
    int32_t language = -1;
    std::string creator;
    std::string creatorUrl;
    std::string caption;
    std::string key;
    std::string comments;
  };
  struct Contents {
    Header header;
    std::vector<std::unique_ptr<ZAction>> actions;
  };

  static Contents ReadFile(const std::string& path, bool withActions, const ZPlugin* reference,
                           const ZKeyBlock& key);
  // From the plain bytes of a plug-in file; `openStorage` opens the same
  // bytes as a compound file.
  static Contents ReadPlain(const uint8_t* data, size_t size, const std::function<StoragePtr()>& openStorage,
                            bool withActions, const ZPlugin* reference);
  void writeFile(const std::string& path, const ZKeyBlock& key) const;

  std::string fileName_;
  Header header_;
  std::vector<std::unique_ptr<ZAction>> actions_;
};

// Same shapes, names and identifier; where a symbol was loaded from does not count.
bool SameSymbol(const Symbol& a, const Symbol& b);
