#include "e2e/e2e_util.h"

#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace e2e {

std::string envOr(const char* name, const char* fallback) {
  const char* v = getenv(name);
  return v && *v ? v : fallback;
}

// CMake gives Unix paths; under Wine they are reached through drive Z:.
static std::string windowsPath(std::string p) {
  if (!p.empty() && p[0] == '/') p = "Z:" + p;
  for (char& c : p)
    if (c == '/') c = '\\';
  return p;
}

std::string vornelExe() { return windowsPath(envOr("VORNEL_EXE", "vornel.exe")); }
std::string buildDir() { return windowsPath(envOr("VORNEL_BUILD", ".")); }

// --- windows -------------------------------------------------------------

namespace {
struct EnumArgs {
  DWORD pid;
  const char* cls;
  std::vector<HWND>* out;
};

BOOL CALLBACK collectTop(HWND hwnd, LPARAM lp) {
  auto* a = reinterpret_cast<EnumArgs*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == a->pid && IsWindowVisible(hwnd) && (!a->cls || className(hwnd) == a->cls)) a->out->push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK collectChild(HWND hwnd, LPARAM lp) {
  auto* a = reinterpret_cast<EnumArgs*>(lp);
  if (!a->cls || _stricmp(className(hwnd).c_str(), a->cls) == 0) a->out->push_back(hwnd);
  return TRUE;
}
}  // namespace

std::vector<HWND> topWindows(DWORD pid, const char* cls) {
  std::vector<HWND> out;
  EnumArgs a{pid, cls, &out};
  EnumWindows(collectTop, reinterpret_cast<LPARAM>(&a));
  return out;
}

std::vector<HWND> children(HWND parent, const char* cls) {
  std::vector<HWND> out;
  EnumArgs a{0, cls, &out};
  EnumChildWindows(parent, collectChild, reinterpret_cast<LPARAM>(&a));
  return out;
}

std::string text(HWND hwnd) {
  DWORD_PTR len = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &len)) return std::string();
  std::string buffer(len + 1, '\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(&buffer[0]), SMTO_ABORTIFHUNG, 5000, &got);
  buffer.resize(got);
  return buffer;
}

std::string className(HWND hwnd) {
  char buffer[256] = {};
  GetClassNameA(hwnd, buffer, sizeof buffer);
  return buffer;
}

HWND waitTopWindow(DWORD pid, const char* cls, const char* title, int timeoutMs) {
  HWND found = nullptr;
  waitFor(
      [&] {
        for (HWND h : topWindows(pid, cls))
          if (!title || text(h) == title) {
            found = h;
            return true;
          }
        return false;
      },
      timeoutMs);
  return found;
}

HWND childByText(HWND parent, const char* cls, const char* txt) {
  for (HWND h : children(parent, cls))
    if (text(h) == txt) return h;
  return nullptr;
}

void click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void clickButtonText(HWND parent, const char* txt) { click(childByText(parent, "Button", txt)); }

// --- the process -----------------------------------------------------------

int startupBoxMs = 15000;

bool launch(App& app, const std::string& exe, int timeoutMs) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  std::string cmd = "\"" + exe + "\"";
  if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &app.pi)) return false;
  app.window = waitTopWindow(app.pi.dwProcessId, "777", nullptr, timeoutMs);
  if (!app.window) return false;
  app.list = FindWindowExA(app.window, nullptr, WC_LISTVIEWA, nullptr);
  if (!app.list) return false;
  // Only the start-up check's own box: any other box stays for the test.
  MessageBoxInfo box;
  if (startupBoxMs > 0 && waitMessageBoxText(app.pi.dwProcessId, box, startupBoxMs, "信息：", "网络未接通！")) {
    answer(box, IDOK);
    waitFor([&] { return !IsWindow(box.hwnd); }, 5000);
  }
  return true;
}

DWORD waitExit(App& app, int timeoutMs) {
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(app.pi.hProcess, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(app.pi.hProcess, &code);
  return code;
}

DWORD close(App& app, int timeoutMs) {
  if (!app.pi.hProcess) return STILL_ACTIVE;
  if (app.window) PostMessageA(app.window, WM_CLOSE, 0, 0);
  DWORD code = waitExit(app, timeoutMs);
  if (code == STILL_ACTIVE) {
    TerminateProcess(app.pi.hProcess, 99);
    WaitForSingleObject(app.pi.hProcess, 5000);
  }
  CloseHandle(app.pi.hProcess);
  CloseHandle(app.pi.hThread);
  app.pi = {};
  return code;
}

// --- message boxes -------------------------------------------------------

namespace {
void readMessageBox(HWND h, MessageBoxInfo& box) {
  box = MessageBoxInfo();
  box.hwnd = h;
  box.title = text(h);
  for (HWND c : children(h, "Static")) {
    LONG style = GetWindowLongA(c, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) {
      if (SendMessageA(c, STM_GETICON, 0, 0)) box.hasIcon = true;
    } else if (!text(c).empty()) {
      box.text = text(c);
    }
  }
  for (HWND c : children(h, "Button"))
    if (IsWindowVisible(c)) box.buttons.push_back(text(c));
}
}  // namespace

bool waitMessageBox(DWORD pid, MessageBoxInfo& box, int timeoutMs, const char* title) {
  HWND h = waitTopWindow(pid, "#32770", title, timeoutMs);
  if (!h) return false;
  readMessageBox(h, box);
  return true;
}

bool waitMessageBoxText(DWORD pid, MessageBoxInfo& box, int timeoutMs, const char* title, const char* txt) {
  return waitFor(
      [&] {
        for (HWND h : topWindows(pid, "#32770")) {
          readMessageBox(h, box);
          if (box.title == title && box.text == txt) return true;
        }
        return false;
      },
      timeoutMs);
}

void answer(const MessageBoxInfo& box, int id) {
  HWND button = GetDlgItem(box.hwnd, id);
  if (button) click(button);
}

bool waitNoMessageBox(DWORD pid, int timeoutMs) {
  return waitFor([&] { return topWindows(pid, "#32770").empty(); }, timeoutMs);
}

// --- the font list, across processes ---------------------------------------

namespace {
struct Remote {
  HANDLE process;
  char* base;
  ~Remote() {
    if (base) VirtualFreeEx(process, base, 0, MEM_RELEASE);
    if (process) CloseHandle(process);
  }
};
}  // namespace

std::vector<std::vector<std::string>> listRows(HWND list) {
  std::vector<std::vector<std::string>> rows;
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  const SIZE_T textSize = 4096;
  Remote r{OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid), nullptr};
  if (!r.process) return rows;
  r.base = static_cast<char*>(VirtualAllocEx(r.process, nullptr, sizeof(LVITEMA) + textSize, MEM_COMMIT, PAGE_READWRITE));
  if (!r.base) return rows;
  int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; row++) {
    std::vector<std::string> cells;
    for (int col = 0; col < 2; col++) {
      LVITEMA item = {};
      item.iSubItem = col;
      item.pszText = r.base + sizeof(LVITEMA);
      item.cchTextMax = textSize;
      WriteProcessMemory(r.process, r.base, &item, sizeof item, nullptr);
      LRESULT n = SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(r.base));
      std::string cell(static_cast<size_t>(n), '\0');
      if (n > 0) ReadProcessMemory(r.process, r.base + sizeof(LVITEMA), &cell[0], static_cast<SIZE_T>(n), nullptr);
      cells.push_back(cell);
    }
    rows.push_back(cells);
  }
  return rows;
}

int listSelectedRow(HWND list) {
  return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void listSelectRow(App& app, int row) {
  // Selecting through LVM_SETITEMSTATE needs the item struct in the other
  // process; a click on the row does the same as the user would.
  RECT rc = {};
  DWORD pid = app.pi.dwProcessId;
  Remote r{OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid), nullptr};
  r.base = static_cast<char*>(VirtualAllocEx(r.process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE));
  rc.left = LVIR_BOUNDS;
  WriteProcessMemory(r.process, r.base, &rc, sizeof rc, nullptr);
  SendMessageA(app.list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(r.base));
  ReadProcessMemory(r.process, r.base, &rc, sizeof rc, nullptr);
  LPARAM at = MAKELPARAM(rc.left + 20, (rc.top + rc.bottom) / 2);
  SendMessageA(app.list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(app.list, WM_LBUTTONUP, 0, at);
}

void doubleClickList(HWND list, int x, int y) {
  LPARAM at = MAKELPARAM(x, y);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
  PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
}

// --- OLE drag and drop from this process -----------------------------------

namespace {

class DataObject final : public IDataObject {
 public:
  DataObject(CLIPFORMAT format, HGLOBAL data) : format_(format), data_(data) {}
  virtual ~DataObject() { GlobalFree(data_); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IDataObject) {
      *out = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* fmt, STGMEDIUM* medium) override {
    if (QueryGetData(fmt) != S_OK) return DV_E_FORMATETC;
    SIZE_T size = GlobalSize(data_);
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    memcpy(GlobalLock(copy), GlobalLock(data_), size);
    GlobalUnlock(copy);
    GlobalUnlock(data_);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* fmt) override {
    return fmt && fmt->cfFormat == format_ && (fmt->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dir, IEnumFORMATETC** out) override {
    if (dir != DATADIR_GET) return E_NOTIMPL;
    FORMATETC fmt = {format_, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return SHCreateStdEnumFmtEtc(1, &fmt, out);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  LONG refs_ = 1;
  CLIPFORMAT format_;
  HGLOBAL data_;
};

// Holds the drag over the target for a few rounds, then drops.
class DropSource final : public IDropSource {
 public:
  explicit DropSource(DWORD keys) : keys_(keys) {}
  virtual ~DropSource() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IDropSource) {
      *out = static_cast<IDropSource*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
    if (escape) return DRAGDROP_S_CANCEL;
    return ++rounds_ >= 8 ? DRAGDROP_S_DROP : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  LONG refs_ = 1;
  int rounds_ = 0;
  DWORD keys_;
};

DWORD dragData(HWND target, CLIPFORMAT format, HGLOBAL data, DWORD keys) {
  OleInitialize(nullptr);
  RECT rc;
  GetWindowRect(target, &rc);
  SetForegroundWindow(target);
  SetCursorPos((rc.left + rc.right) / 2 - 60, (rc.top + rc.bottom) / 2);
  auto* object = new DataObject(format, data);
  auto* source = new DropSource(keys);
  DWORD effect = DROPEFFECT_NONE;
  DoDragDrop(object, source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
  source->Release();
  object->Release();
  return effect;
}

}  // namespace

DWORD dropPaths(HWND target, const std::vector<std::string>& paths, DWORD keys) {
  std::string names;
  for (const std::string& p : paths) names += p + '\0';
  names += '\0';
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
  auto* df = static_cast<DROPFILES*>(GlobalLock(data));
  df->pFiles = sizeof(DROPFILES);
  df->fWide = FALSE;
  memcpy(reinterpret_cast<char*>(df) + sizeof(DROPFILES), names.data(), names.size());
  GlobalUnlock(data);
  return dragData(target, CF_HDROP, data, keys);
}

DWORD dropText(HWND target, const std::string& txt) {
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, txt.size() + 1);
  memcpy(GlobalLock(data), txt.c_str(), txt.size() + 1);
  GlobalUnlock(data);
  return dragData(target, CF_TEXT, data, 0);
}

// --- screenshots -----------------------------------------------------------

namespace {

uint32_t crc32(const unsigned char* p, size_t n, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < n; i++) {
    crc ^= p[i];
    for (int k = 0; k < 8; k++) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

void put32(std::string& s, uint32_t v) {
  for (int i = 3; i >= 0; i--) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void chunk(std::string& png, const char* type, const std::string& data) {
  put32(png, static_cast<uint32_t>(data.size()));
  std::string body = std::string(type, 4) + data;
  png += body;
  put32(png, crc32(reinterpret_cast<const unsigned char*>(body.data()), body.size()));
}

// PNG with stored (uncompressed) deflate blocks: large but needs no library.
std::string encodePng(int w, int h, const std::vector<unsigned char>& rgb) {
  std::string raw;
  for (int y = 0; y < h; y++) {
    raw += '\0';
    raw.append(reinterpret_cast<const char*>(&rgb[static_cast<size_t>(y) * w * 3]), static_cast<size_t>(w) * 3);
  }
  std::string z = "\x78\x01";
  uint32_t a = 1, b = 0;
  for (unsigned char c : raw) a = (a + c) % 65521, b = (b + a) % 65521;
  for (size_t at = 0; at < raw.size();) {
    size_t n = raw.size() - at < 65535 ? raw.size() - at : 65535;
    z += static_cast<char>(at + n == raw.size() ? 1 : 0);
    z += static_cast<char>(n & 0xFF), z += static_cast<char>(n >> 8);
    z += static_cast<char>(~n & 0xFF), z += static_cast<char>((~n >> 8) & 0xFF);
    z.append(raw, at, n);
    at += n;
  }
  put32(z, (b << 16) | a);
  std::string png = "\x89PNG\r\n\x1a\n";
  std::string ihdr;
  put32(ihdr, static_cast<uint32_t>(w));
  put32(ihdr, static_cast<uint32_t>(h));
  ihdr += std::string("\x08\x02\x00\x00\x00", 5);
  chunk(png, "IHDR", ihdr);
  chunk(png, "IDAT", z);
  chunk(png, "IEND", "");
  return png;
}

}  // namespace

bool screenshot(HWND hwnd, const std::string& pngPath) {
  RECT rc;
  if (!GetWindowRect(hwnd, &rc)) return false;
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
  GdiFlush();
  std::vector<unsigned char> rgb(static_cast<size_t>(w) * h * 3);
  const unsigned char* px = static_cast<const unsigned char*>(bits);
  for (size_t i = 0; i < static_cast<size_t>(w) * h; i++) {
    rgb[i * 3] = px[i * 4 + 2];
    rgb[i * 3 + 1] = px[i * 4 + 1];
    rgb[i * 3 + 2] = px[i * 4];
  }
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return writeFile(pngPath, encodePng(w, h, rgb));
}

// --- fixtures --------------------------------------------------------------

void runUnix(const std::string& program, const std::string& args) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string cmd = program + " " + args;
  if (!CreateProcessA(program.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
}

std::string makeTempDir(const std::string& tag) {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  for (int i = 0;; i++) {
    std::string dir = std::string(base) + "vornel-" + tag + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                      std::to_string(i);
    if (CreateDirectoryA(dir.c_str(), nullptr)) return dir;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return std::string();
  }
}

bool writeFile(const std::string& path, const std::string& bytes) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
  CloseHandle(f);
  return ok;
}

std::string readFile(const std::string& path) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return std::string();
  std::string out;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
  CloseHandle(f);
  return out;
}

void removeTree(const std::string& path) {
  WIN32_FIND_DATAA d;
  HANDLE h = FindFirstFileA((path + "\\*").c_str(), &d);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = d.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = path + "\\" + name;
      SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        removeTree(full);
      else
        DeleteFileA(full.c_str());
    } while (FindNextFileA(h, &d));
    FindClose(h);
  }
  RemoveDirectoryA(path.c_str());
}

}  // namespace e2e
