#include "web/download_worker.h"

#include <process.h>

#include "common/app_context.h"
#include "common/string_resource.h"
#include "common/win32_file_handle.h"
#include "common/zip_reader.h"
#include "resources/zavotra_ids.h"
#include "web/web_exchange.h"

namespace {

const char kPackageName[] = "plugins.zip";
const char kPackageField[] = "listidplugin";

struct ZDownloadJob {
  ZWebHost& host;
  std::vector<int32_t> wanted;
  HWND dialog = nullptr;
  HANDLE thread = nullptr;
};

void ShowStatus(HWND dialog, UINT text) {
  SetDlgItemTextA(dialog, IDC_DOWNLOAD_STATUS, LoadAnsiString(text, AppInstance()).c_str());
}

unsigned __stdcall DownloadWorker(void* parameter) {
  auto& job = *static_cast<ZDownloadJob*>(parameter);
  HWND bar = GetDlgItem(job.dialog, IDC_DOWNLOAD_BAR);
  ShowStatus(job.dialog, IDS_DOWNLOAD_CONNECTING);
  ZWebExchange exchange(job.host);
  exchange.build(false, job.wanted);
  const bool sent = exchange.send();
  ShowStatus(job.dialog, IDS_DOWNLOAD_RECEIVING);
  ZWebResponse response;
  const bool complete = sent && exchange.read(bar, response) == ZWebResponseEnd::Complete;
  ShowStatus(job.dialog, IDS_DOWNLOAD_EXTRACTING);
  if (complete) {
    ApplyWebResponse(job.host, response);
    if (response.has(kPackageField))
      InstallPluginPackage(job.host.downloadsFolder(), response.data(kPackageField), response.length(kPackageField),
                           bar);
  }
  exchange.close();
  SendMessageA(job.dialog, WM_COMMAND, IDOK, 0);
  return 0;
}

INT_PTR CALLBACK ProgressProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* job = reinterpret_cast<ZDownloadJob*>(lParam);
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      job->dialog = dialog;
      job->thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &DownloadWorker, job, 0, nullptr));
      if (!job->thread) EndDialog(dialog, IDCANCEL);
      return TRUE;
    }
    case WM_COMMAND:
      // Only the worker ends the dialog: Esc and the close box wait for it.
      if (LOWORD(wParam) == IDOK) EndDialog(dialog, IDOK);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

void DownloadPlugins(HWND owner, ZWebHost& host, const std::vector<int32_t>& wanted) {
  ZDownloadJob job{host, wanted};
  DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_DOWNLOAD_PROGRESS), owner, &ProgressProcedure,
                  reinterpret_cast<LPARAM>(&job));
  if (job.thread) {
    WaitForSingleObject(job.thread, INFINITE);
    CloseHandle(job.thread);
  }
}

bool InstallPluginPackage(const std::string& downloads, const uint8_t* package, size_t size, HWND progressBar) {
  const std::string path = downloads + kPackageName;
  CreateDirectoryA(downloads.c_str(), nullptr);  // an existing folder is fine
  bool ok;
  {
    ZFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    ok = file.valid() && (size == 0 || WriteExact(file.get(), package, size));
  }
  if (ok) ok = ExtractZipPackage(path, downloads, progressBar);
  DeleteFileA(path.c_str());
  return ok;
}
