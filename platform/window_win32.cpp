// The main window and its controls over plain Win32 and the list view's
// LVM_ messages, ANSI throughout.
#include "platform/window.h"

#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>
#include <ole2.h>

#include <atomic>

#include "platform/drop_target_win32.h"

namespace platform {

namespace {

const UINT WM_APP_RUN = WM_APP + 1;        // wParam: fn, lParam: context
const UINT WM_APP_SET_TIMER = WM_APP + 2;  // wParam: period
const UINT_PTR kInstallTimer = 1;
const int kListId = 100;
const int kFirstButtonId = 101;

HINSTANCE g_hinst;
HWND g_hwnd;       // main window
HWND g_hwndList;   // font list
DWORD g_uiThread;
MainWindowArgs g_args;
int g_timerPeriod;  // only touched on the user-interface thread

// --- thin list view wrappers ---------------------------------------------

int listInsertItem(int index, const char* text) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = const_cast<char*>(text);
  return static_cast<int>(SendMessageA(g_hwndList, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void listInsertColumn(int index, const char* header, int width) {
  LVCOLUMNA col = {};
  col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  col.fmt = LVCFMT_LEFT;
  col.cx = width;
  col.pszText = const_cast<char*>(header);
  col.iSubItem = index;
  SendMessageA(g_hwndList, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&col));
}

int listColumnCount() {
  HWND header = reinterpret_cast<HWND>(SendMessageA(g_hwndList, LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

bool rowExists(int row) { return row >= 0 && row < rowCount(); }

// --- message handlers ----------------------------------------------------

void OnCommand(HWND hwnd, int id, HWND, UINT) {
  if (id == IDCANCEL) {  // Esc, from whichever control has the focus
    DestroyWindow(hwnd);
    return;
  }
  int button = id - kFirstButtonId;
  if (button >= 0 && button < 4 && g_args.buttons[button].clicked) g_args.buttons[button].clicked();
}

LRESULT OnNotify(HWND, int id, NMHDR* nm) {
  if (id == kListId && nm->code == NM_DBLCLK && g_args.listDoubleClicked) g_args.listDoubleClicked();
  return 0;
}

void OnTimer(HWND, UINT id) {
  if (id == kInstallTimer && g_args.timerTick) g_args.timerTick();
}

void OnDestroy(HWND) {
  KillTimer(g_hwnd, kInstallTimer);
  RevokeDragDrop(g_hwnd);
  PostQuitMessage(0);
}

void applyTimerPeriod(int period) {
  if (period < 0) period = 0;
  if (period == g_timerPeriod) return;  // a running timer keeps its schedule
  g_timerPeriod = period;
  KillTimer(g_hwnd, kInstallTimer);
  if (period > 0) SetTimer(g_hwnd, kInstallTimer, static_cast<UINT>(period), nullptr);
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    HANDLE_MSG(hwnd, WM_COMMAND, OnCommand);
    HANDLE_MSG(hwnd, WM_NOTIFY, OnNotify);
    HANDLE_MSG(hwnd, WM_TIMER, OnTimer);
    HANDLE_MSG(hwnd, WM_DESTROY, OnDestroy);
    case WM_APP_RUN:
      reinterpret_cast<void (*)(void*)>(wParam)(reinterpret_cast<void*>(lParam));
      return 0;
    case WM_APP_SET_TIMER:
      applyTimerPeriod(static_cast<int>(wParam));
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND createChild(const char* cls, const char* text, DWORD style, DWORD exStyle, int x, int y, int w, int h, int id) {
  HWND child = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, w, h, g_hwnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_hinst, nullptr);
  if (child) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

bool createControls() {
  const MainWindowArgs& a = g_args;
  g_hwndList = createChild(WC_LISTVIEWA, "", LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL, WS_EX_CLIENTEDGE,
                           a.listLeft, a.listTop, a.listWidth, a.listHeight, kListId);
  if (!g_hwndList) return false;
  DWORD ex = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES;
  SendMessageA(g_hwndList, LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
  SendMessageA(g_hwndList, LVM_SETTEXTCOLOR, 0, RGB(0, 0, 0));
  SendMessageA(g_hwndList, LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255));
  SendMessageA(g_hwndList, LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
  for (int i = 0; i < 2; i++) listInsertColumn(i, a.columns[i].header, a.columns[i].width);
  for (int i = 0; i < 4; i++) {
    const ButtonArgs& b = a.buttons[i];
    if (!createChild("BUTTON", b.text, BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 0, b.left, b.top,
                     b.width, b.height, kFirstButtonId + i))
      return false;
  }
  return true;
}

}  // namespace

bool createMainWindow(const MainWindowArgs& args) {
  g_args = args;
  g_hinst = GetModuleHandleA(nullptr);
  g_uiThread = GetCurrentThreadId();

  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);

  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = g_hinst;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = args.className;
  wc.hIcon = static_cast<HICON>(LoadImageA(g_hinst, args.iconName, IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                           GetSystemMetrics(SM_CYICON), 0));
  wc.hIconSm = static_cast<HICON>(LoadImageA(g_hinst, args.iconName, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
  if (!RegisterClassExA(&wc)) return false;

  int left = (GetSystemMetrics(SM_CXSCREEN) - args.outerWidth) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - args.outerHeight) / 2;
  g_hwnd = CreateWindowExA(0, args.className, args.caption, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                           left, top, args.outerWidth, args.outerHeight, nullptr, nullptr, g_hinst, nullptr);
  if (!g_hwnd) return false;
  SendMessageA(g_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  if (!createControls()) {
    DestroyWindow(g_hwnd);
    g_hwnd = nullptr;
    return false;
  }
  if (args.created) args.created();
  ShowWindow(g_hwnd, SW_SHOWNORMAL);
  UpdateWindow(g_hwnd);
  return true;
}

void runMessageLoop() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    // Tab between the controls and Esc as IDCANCEL, as in a dialog.
    if (g_hwnd && IsDialogMessageA(g_hwnd, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void dispatchPendingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT) {
    if (!GetMessageA(&msg, nullptr, 0, 0)) break;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void setCaption(const std::string& text) { SetWindowTextA(g_hwnd, text.c_str()); }

void clearRows() { SendMessageA(g_hwndList, LVM_DELETEALLITEMS, 0, 0); }

int addRow(const std::string& text) { return listInsertItem(rowCount(), text.c_str()); }

namespace {
void addRowsOnUi(void* context) {
  const auto& texts = *static_cast<const std::vector<std::string>*>(context);
  // Each insert into a visible list repaints its scroll bars; one redraw at the end.
  SendMessageA(g_hwndList, WM_SETREDRAW, FALSE, 0);
  int next = rowCount();
  for (const std::string& text : texts) listInsertItem(next++, text.c_str());
  SendMessageA(g_hwndList, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(g_hwndList, nullptr, TRUE);
}
}  // namespace

void addRows(const std::vector<std::string>& texts) {
  runOnUiThread(addRowsOnUi, const_cast<std::vector<std::string>*>(&texts));
}

int rowCount() { return static_cast<int>(SendMessageA(g_hwndList, LVM_GETITEMCOUNT, 0, 0)); }

std::string cellText(int row, int column) {
  if (!rowExists(row) || column < 0 || column >= listColumnCount()) return std::string();
  std::string buffer;
  for (size_t size = 512;; size *= 2) {
    buffer.assign(size, '\0');
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = &buffer[0];
    item.cchTextMax = static_cast<int>(size);
    size_t got = static_cast<size_t>(SendMessageA(g_hwndList, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
    if (got + 1 < size) return buffer.substr(0, got);  // fitted with room to spare: it is whole
  }
}

void setCellText(int row, int column, const std::string& text) {
  if (!rowExists(row)) return;
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  SendMessageA(g_hwndList, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

void ensureRowVisible(int row) {
  if (rowExists(row)) SendMessageA(g_hwndList, LVM_ENSUREVISIBLE, row, FALSE);
}

int selectedRow() {
  return static_cast<int>(SendMessageA(g_hwndList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// SetTimer only works for a window of the calling thread, so the change is
// made by the user-interface thread, one change at a time and in call order.
void setTimerPeriod(int milliseconds) {
  if (GetCurrentThreadId() == g_uiThread)
    applyTimerPeriod(milliseconds);
  else
    SendMessageA(g_hwnd, WM_APP_SET_TIMER, static_cast<WPARAM>(milliseconds < 0 ? 0 : milliseconds), 0);
}

int showMessage(const std::string& text, unsigned flags, const char* title) {
  if (!(flags & MB_SYSTEMMODAL)) flags |= MB_TASKMODAL;
  int chosen = MessageBoxA(nullptr, text.c_str(), title ? title : "信息：", flags);
  // A box with only OK closed by Esc or its close box counts as OK, as on
  // Windows (some systems report IDCANCEL there).
  if (chosen == IDCANCEL && (flags & MB_TYPEMASK) == MB_OK) chosen = IDOK;
  switch (chosen) {
    case IDCANCEL: return 1;
    case IDABORT: return 2;
    case IDRETRY: return 3;
    case IDIGNORE: return 4;
    case IDYES: return 5;
    case IDNO: return 6;
    default: return 0;
  }
}

bool registerDropTarget() { return registerFileDropTarget(g_hwnd, g_args.gotFiles); }

void setAcceptFiles(bool accept) { setFileDropAccepted(accept); }

void runOnUiThread(void (*fn)(void*), void* context) {
  if (GetCurrentThreadId() == g_uiThread)
    fn(context);
  else
    SendMessageA(g_hwnd, WM_APP_RUN, reinterpret_cast<WPARAM>(fn), reinterpret_cast<LPARAM>(context));
}

}  // namespace platform
