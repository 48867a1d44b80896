// Thin wrappers over standard Windows controls, with the operations the
// main window's handlers use. Each owns nothing but its HWND, which the
// parent window destroys with itself.
#pragma once

#include <windows.h>

#include <string>

class TControl {
 public:
  HWND Handle() const { return hwnd_; }
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  void SetFocus() const { ::SetFocus(hwnd_); }
  std::string Text() const;
  // Writing the text the control already shows does nothing.
  void SetText(const std::string& text) const;

 protected:
  HWND hwnd_ = nullptr;
};

// A label that sizes itself to its caption, growing to the right.
class TLabel : public TControl {
 public:
  void SetCaption(const std::string& caption) const;
};

class TComboBox : public TControl {
 public:
  // Appends an entry at the end; EOutOfResources when the box refuses it.
  int AddItem(const std::string& item) const;
  int ItemIndex() const;
  void SetItemIndex(int index) const;
  int ItemCount() const;
};
