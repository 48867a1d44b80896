#include "platform/gui/application.h"

#include <vector>

#include "platform/exception.h"
#include "platform/gui/application_title.h"

TApplication* Application = nullptr;

namespace {

const char kWindowClass[] = "TApplication";

std::string TitleOfThisProgram() {
  char path[256] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  OemToCharA(path, path);  // no change where both code pages are 932
  return ApplicationTitleFromPath(
      path, [](unsigned char b) { return IsDBCSLeadByte(b) != FALSE; },
      [](const std::string& s) {
        std::string lower = s;
        CharLowerA(lower.data());
        return lower;
      });
}

}  // namespace

TApplication::TApplication() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  icon_ = LoadIconA(instance, "MAINICON");
  WNDCLASSA wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = icon_;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kWindowClass;
  RegisterClassA(&wc);
  // Zero size but visible: it owns the main window and so is the one taskbar entry.
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
  window_ = CreateWindowExA(0, kWindowClass, TitleOfThisProgram().c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            x, y, 0, 0, nullptr, nullptr, instance, nullptr);
  ShowWindow(window_, SW_SHOWNOACTIVATE);
}

TApplication::~TApplication() {
  if (window_) DestroyWindow(window_);
}

std::string TApplication::Title() const {
  char title[256] = {};
  GetWindowTextA(window_, title, sizeof title);
  return title;
}

LRESULT CALLBACK TApplication::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return Guarded([&]() -> LRESULT {
    // Close on the taskbar entry closes the main window.
    if (msg == WM_CLOSE && Application && Application->mainForm_) {
      SendMessageA(Application->mainForm_, WM_CLOSE, 0, 0);
      return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
  });
}

bool TApplication::ProcessMessage() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  // Dialog keys: Tab moves through the tab order, Space presses the focused button.
  if (mainForm_ && IsDialogMessageA(mainForm_, &msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

void TApplication::ProcessMessages() {
  while (ProcessMessage()) {
  }
}

void TApplication::Run() {
  if (mainForm_) ShowWindow(mainForm_, SW_SHOWNORMAL);
  while (!terminated_) {
    if (!ProcessMessage()) WaitMessage();
  }
}

namespace {

struct DisabledWindows {
  std::vector<HWND> windows;
  static BOOL CALLBACK Collect(HWND hwnd, LPARAM self) {
    if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
      reinterpret_cast<DisabledWindows*>(self)->windows.push_back(hwnd);
    }
    return TRUE;
  }
  DisabledWindows() {
    EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(this));
    for (HWND w : windows) EnableWindow(w, FALSE);
  }
  ~DisabledWindows() {
    for (HWND w : windows)
      if (IsWindow(w)) EnableWindow(w, TRUE);
  }
};

}  // namespace

void TApplication::ShowException(const std::string& message) {
  if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
  const HWND active = GetActiveWindow();
  const std::string text = message + ".";  // always, even after a full stop of either width
  const std::string caption = Title();
  {
    DisabledWindows disabled;
    MessageBoxA(window_, text.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP);
  }
  if (active && IsWindow(active)) SetActiveWindow(active);
}

void TApplication::HandleException() {
  try {
    throw;
  } catch (const Exception& e) {
    ShowException(e.Message());
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    // Nothing of ours throws anything else; never let it cross a callback.
  }
}
