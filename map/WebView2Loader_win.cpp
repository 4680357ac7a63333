#include "map/WebView2Loader_win.h"

#include <map>
#include <tuple>
#include <utility>

#include "framework/Owners_win.h"
#include "framework/Trace_win.h"

namespace {

std::string& LoaderPath() {
  static std::string path = "WebView2Loader.dll";
  return path;
}

CreateCoreWebView2EnvironmentWithOptionsFn FindCreateFunction() {
  // Window thread only, like every other use of the web view.
  static std::map<std::string, LoadedModule> modules;
  auto it = modules.find(LoaderPath());
  if (it == modules.end()) {
    it = modules
             .emplace(std::piecewise_construct, std::forward_as_tuple(LoaderPath()),
                      std::forward_as_tuple(LoadLibraryA(LoaderPath().c_str())))
             .first;
  }
  if (it->second.Get() == NULL) return nullptr;
  FARPROC proc = GetProcAddress(it->second.Get(), "CreateCoreWebView2EnvironmentWithOptions");
  return reinterpret_cast<CreateCoreWebView2EnvironmentWithOptionsFn>(
      reinterpret_cast<void*>(proc));
}

}  // namespace

void SetWebView2LoaderPath(const std::string& path) { LoaderPath() = path; }

HRESULT CreateWebView2Environment(
    const std::wstring& browserFolder, const std::wstring& userDataFolder,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* handler) {
  CreateCoreWebView2EnvironmentWithOptionsFn create = FindCreateFunction();
  if (create == nullptr) {
    TraceFormat("WebView2 loader not available: %s (error %lu)\n", LoaderPath().c_str(),
                GetLastError());
    return kWebView2NotFound;
  }
  return create(browserFolder.empty() ? nullptr : browserFolder.c_str(), userDataFolder.c_str(),
                nullptr, handler);
}
