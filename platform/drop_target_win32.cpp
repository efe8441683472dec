#include "platform/drop_target_win32.h"

#include <ole2.h>
#include <shellapi.h>

#include <atomic>
#include <string>

namespace platform {

namespace {

std::atomic<bool> g_accepting{false};

class FileDropTarget final : public IDropTarget {
 public:
  explicit FileDropTarget(void (*gotFiles)(const char*)) : gotFiles_(gotFiles) {}
  virtual ~FileDropTarget() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
      *out = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL, DWORD* effect) override {
    carriesFiles_ = hasFiles(data);
    *effect = offer(keys);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL, DWORD* effect) override {
    *effect = offer(keys);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    carriesFiles_ = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL, DWORD* effect) override {
    bool take = offer(keys) != DROPEFFECT_NONE && hasFiles(data);
    carriesFiles_ = false;
    // Whatever was offered, the source is told nothing was carried out, so it
    // never deletes what it dragged.
    *effect = DROPEFFECT_NONE;
    if (take) deliver(data);
    return S_OK;
  }

 private:
  static bool hasFiles(IDataObject* data) {
    FORMATETC fmt = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return data && data->QueryGetData(&fmt) == S_OK;
  }

  DWORD offer(DWORD keys) const {
    if (!carriesFiles_ || !g_accepting) return DROPEFFECT_NONE;
    bool shift = keys & MK_SHIFT, ctrl = keys & MK_CONTROL;
    if (shift && ctrl) return DROPEFFECT_NONE;
    return shift ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
  }

  void deliver(IDataObject* data) {
    FORMATETC fmt = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (FAILED(data->GetData(&fmt, &medium))) return;
    HDROP drop = static_cast<HDROP>(GlobalLock(medium.hGlobal));
    if (drop) {
      UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
      std::string text;
      for (UINT i = 0; i < count; i++) {
        UINT length = DragQueryFileA(drop, i, nullptr, 0);
        std::string path(length + 1, '\0');
        DragQueryFileA(drop, i, &path[0], length + 1);
        path.resize(length);
        text += path;
        if (count > 1) text += "\r\n";
      }
      GlobalUnlock(medium.hGlobal);
      if (count > 0 && gotFiles_) gotFiles_(text.c_str());
    }
    ReleaseStgMedium(&medium);
  }

  std::atomic<ULONG> refs_{1};
  bool carriesFiles_ = false;
  void (*gotFiles_)(const char*);
};

}  // namespace

bool registerFileDropTarget(HWND hwnd, void (*gotFiles)(const char* text)) {
  auto* target = new FileDropTarget(gotFiles);
  HRESULT hr = RegisterDragDrop(hwnd, target);
  target->Release();  // the system holds its own reference when registered
  return SUCCEEDED(hr);
}

void setFileDropAccepted(bool accept) { g_accepting = accept; }

}  // namespace platform
