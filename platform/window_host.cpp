#include "platform/window_host.h"

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/threads.h"

namespace platform {

namespace {

struct Row {
  std::string cells[2];
};

std::recursive_mutex g_ui;  // held while "the user-interface thread" works
MainWindowArgs g_args;
std::string g_caption;
std::vector<Row> g_rows;
int g_selected = -1;
std::atomic<int> g_period{0};
std::atomic<long> g_dispatches{0};
std::atomic<bool> g_ticker{false};
std::atomic<bool> g_accepting{false};
bool g_dropRegistered = false;
std::atomic<host::MessageResponder> g_responder{nullptr};

std::atomic<int> g_waitingForUi{0};
std::atomic<long> g_uiEntries{0};

// Holds the user-interface lock, counting the callers still waiting for it
// and the times it was taken.
struct Lock {
  explicit Lock(std::recursive_mutex& m) : m(m) {
    ++g_waitingForUi;
    m.lock();
    --g_waitingForUi;
    ++g_uiEntries;
  }
  ~Lock() { m.unlock(); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
  std::recursive_mutex& m;
};

void tickerLoop() {
  for (;;) {
    int period = g_period;
    if (period == 0) {
      sleepMs(5);
      continue;
    }
    // The first tick comes one period after the timer starts.
    sleepMs(period);
    if (g_period > 0) host::tick();
  }
}

}  // namespace

bool createMainWindow(const MainWindowArgs& args) {
  {
    Lock hold(g_ui);
    g_args = args;
    g_caption = args.caption;
  }
  if (args.created) {
    Lock hold(g_ui);
    args.created();
  }
  return true;
}

void runMessageLoop() {}
void dispatchPendingMessages() { ++g_dispatches; }

void setCaption(const std::string& text) {
  Lock hold(g_ui);
  g_caption = text;
}

void clearRows() {
  Lock hold(g_ui);
  g_rows.clear();
  g_selected = -1;
}

int addRow(const std::string& text) {
  Lock hold(g_ui);
  g_rows.push_back(Row{{text, ""}});
  return static_cast<int>(g_rows.size()) - 1;
}

void addRows(const std::vector<std::string>& texts) {
  Lock hold(g_ui);
  for (const std::string& t : texts) g_rows.push_back(Row{{t, ""}});
}

int rowCount() {
  Lock hold(g_ui);
  return static_cast<int>(g_rows.size());
}

std::string cellText(int row, int column) {
  Lock hold(g_ui);
  if (row < 0 || row >= static_cast<int>(g_rows.size()) || column < 0 || column > 1) return std::string();
  return g_rows[row].cells[column];
}

void setCellText(int row, int column, const std::string& text) {
  Lock hold(g_ui);
  if (row < 0 || row >= static_cast<int>(g_rows.size()) || column < 0 || column > 1) return;
  g_rows[row].cells[column] = text;
}

void ensureRowVisible(int) {}

int selectedRow() {
  Lock hold(g_ui);
  return g_selected;
}

void setTimerPeriod(int milliseconds) {
  Lock hold(g_ui);
  g_period = milliseconds < 0 ? 0 : milliseconds;
  if (g_period > 0 && !g_ticker.exchange(true)) std::thread(tickerLoop).detach();
}

int showMessage(const std::string& text, unsigned flags, const char* title) {
  host::MessageResponder responder = g_responder;
  return responder ? responder(text, flags, title ? title : "信息：") : 0;
}

bool registerDropTarget() {
  Lock hold(g_ui);
  if (g_dropRegistered) return false;
  g_dropRegistered = true;
  return true;
}

void setAcceptFiles(bool accept) { g_accepting = accept; }

void runOnUiThread(void (*fn)(void*), void* context) {
  Lock hold(g_ui);
  fn(context);
}

namespace host {

void setMessageResponder(MessageResponder responder) { g_responder = responder; }

std::string caption() {
  Lock hold(g_ui);
  return g_caption;
}

int timerPeriod() { return g_period; }
long dispatchCount() { return g_dispatches; }
int waitingForUi() { return g_waitingForUi; }
long uiEntries() { return g_uiEntries; }

void selectRow(int row) {
  Lock hold(g_ui);
  g_selected = row;
}

void clickButton(int index) {
  Lock hold(g_ui);
  if (index >= 0 && index < 4 && g_args.buttons[index].clicked) g_args.buttons[index].clicked();
}

void doubleClickList() {
  Lock hold(g_ui);
  if (g_args.listDoubleClicked) g_args.listDoubleClicked();
}

void dropFiles(const char* text) {
  Lock hold(g_ui);
  if (g_dropRegistered && g_accepting && g_args.gotFiles) g_args.gotFiles(text);
}

void tick() {
  Lock hold(g_ui);
  if (g_period > 0 && g_args.timerTick) g_args.timerTick();
}

void reset() {
  Lock hold(g_ui);
  g_rows.clear();
  g_selected = -1;
  g_period = 0;
  g_caption.clear();
}

}  // namespace host
}  // namespace platform
