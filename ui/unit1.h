// The main window: a chooser of the database's titles, a status line,
// Convert and Quit.
#pragma once

#include <windows.h>

#include <memory>

#include "device/media_player.h"
#include "platform/gui/controls.h"

class TForm1 {
 public:
  TForm1() = default;
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Builds the window and its controls from the form description, then runs
  // FormCreate in its own guard: an error is shown and creation goes on.
  void Create(HWND owner);
  HWND Handle() const { return hwnd_; }

  // Fields, in the order of their declaration in the form.
  TControl BitBtn1;
  TControl GroupBox1;
  TComboBox ComboBox1;
  std::unique_ptr<TMediaPlayer> MediaPlayer1;
  TLabel Label1;
  TControl BitBtn2;

  void BitBtn2Click();
  void BitBtn1Click();
  void FormCreate();

 private:
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void CreateControls();
  int Scaled(int v) const { return MulDiv(v, textHeight_, 12); }

  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  int textHeight_ = 12;
  HWND activeControl_ = nullptr;
  bool converting_ = false;
};

extern TForm1* Form1;
