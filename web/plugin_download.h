// The plug-in download wizard (dialog 270, "Plug-in Download Wizard"): page 1
// picks plug-ins from the service's catalogue and downloads those not yet in
// the download folder; page 2 lists the selected ones that are there and
// installs them one by one into the profile's plug-ins folder.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/id_text_table.h"
#include "ui/wizard.h"
#include "web/plugin_catalogue.h"
#include "web/web_host.h"

class ZPlugin;

class ZPluginDownload : public Wizard {
 public:
  ZPluginDownload(HWND parent, ZWebHost& host);

  ZWebHost& host() const { return host_; }

  // The service's lists in the system folder ("plgndscr", "languages",
  // "firms"), read again whenever page 1 is shown; missing ones are empty.
  void readCatalogue();
  const std::vector<ZCatalogueRecord>& catalogue() const { return catalogue_; }
  const ZIdTextTable& languages() const { return languages_; }
  const ZIdTextTable& companies() const { return companies_; }

  // Ids of the plug-in files in the download folder, ascending.
  const std::vector<int32_t>& presentIds() const { return present_; }
  void findPresentIds();
  // Every catalogue entry of the user's choice, and those not downloaded.
  ZPluginChoice& choice() { return choice_; }

  std::string downloadedPath(int32_t id) const;

 private:
  ZWebHost& host_;
  std::vector<ZCatalogueRecord> catalogue_;
  ZIdTextTable languages_;
  ZIdTextTable companies_;
  std::vector<int32_t> present_;
  ZPluginChoice choice_;
};

// Dialog 265, "Plug-in selection".
class ZPluginDownloadPage1 : public WizardPage {
 public:
  explicit ZPluginDownloadPage1(ZPluginDownload& download);
  void onInit(HWND window) override;
  bool onCommand(int controlId, int code, HWND control) override;
  void update() override;
  // Asks (message 40258) and downloads the wanted plug-ins, then goes on.
  int nextTarget() override;

 private:
  void fillLanguages();
  void fillCompanies();
  void fillApplications();
  void recompute();
  LRESULT selectedData(int comboId) const;

  ZPluginDownload& download_;
};

// Dialog 271, "Plug-in installation".
class ZPluginDownloadPage2 : public WizardPage {
 public:
  explicit ZPluginDownloadPage2(ZPluginDownload& download);
  void onInit(HWND window) override;
  bool onCommand(int controlId, int code, HWND control) override;
  void update() override;

 private:
  int32_t selectedId() const;
  void showDetails();
  void fillActions(const ZPlugin& plugin);
  void install();

  ZPluginDownload& download_;
};

// Whether an installed plug-in serves the application of `candidate`: the
// same window class (`Key`), or the same name where either has no class;
// both compared without regard to case.
bool ServesSameApplication(const ZPlugin& installed, const ZPlugin& candidate);
