// The application object: the title taken from the program file's name, a
// zero-size window that carries it (and the taskbar entry), the message
// loop, and the error display. Stands in for the VCL's TApplication.
#pragma once

#include <windows.h>

#include <string>

class Exception;

class TApplication {
 public:
  TApplication();
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  void Initialize() {}  // no initialisation hook is installed
  // Runs passes of the loop until the quit message has been taken.
  void Run();
  // Takes and dispatches every queued message, then returns; never waits.
  void ProcessMessages();
  void Terminate() { PostQuitMessage(0); }
  bool Terminated() const { return terminated_; }

  // The message box of an error that left a handler: message + ".", the
  // title as caption, stop icon, the program's windows disabled meanwhile.
  void ShowException(const std::string& message);
  void HandleException();  // for the current exception, inside a catch

  std::string Title() const;
  HWND Handle() const { return window_; }
  void SetMainForm(HWND form) { mainForm_ = form; }
  HWND MainForm() const { return mainForm_; }

 private:
  bool ProcessMessage();
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);

  HWND window_ = nullptr;
  HWND mainForm_ = nullptr;
  HICON icon_ = nullptr;
  bool terminated_ = false;
};

// The one application object, made by the entry point before anything else.
extern TApplication* Application;

// Runs a window's handling of a message so that no exception crosses the
// Win32 callback: it goes to the error display, and the loop goes on.
template <class F>
LRESULT Guarded(F&& handle) noexcept {
  try {
    return handle();
  } catch (...) {
    if (Application) Application->HandleException();
    return 0;
  }
}
