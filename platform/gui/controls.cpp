#include "platform/gui/controls.h"

#include "platform/exception.h"
#include "ui/texts.h"

std::string TControl::Text() const {
  const int length = GetWindowTextLengthA(hwnd_);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(hwnd_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return text;
}

void TControl::SetText(const std::string& text) const {
  if (Text() != text) SetWindowTextA(hwnd_, text.c_str());
}

void TLabel::SetCaption(const std::string& caption) const {
  SetText(caption);
  HDC dc = GetDC(hwnd_);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd_, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, tm.tmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(GetParent(hwnd_), nullptr, TRUE);  // the old, wider text is wiped too
}

int TComboBox::AddItem(const std::string& item) const {
  const LRESULT index = SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  if (index == CB_ERR || index == CB_ERRSPACE) throw EOutOfResources(texts::kCannotInsert);
  return static_cast<int>(index);
}

int TComboBox::ItemIndex() const { return static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0)); }

void TComboBox::SetItemIndex(int index) const { SendMessageA(hwnd_, CB_SETCURSEL, index, 0); }

int TComboBox::ItemCount() const { return static_cast<int>(SendMessageA(hwnd_, CB_GETCOUNT, 0, 0)); }
