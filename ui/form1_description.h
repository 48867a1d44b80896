// The form description of the main window, as data: positions and sizes in
// pixels for 96 dpi and a text height of 12, scaled on other screens.
#pragma once

#include "ui/texts.h"

namespace form1 {

enum ControlId : int {
  kLabel1 = 101,
  kBitBtn1 = 102,
  kGroupBox1 = 103,
  kComboBox1 = 104,
  kBitBtn2 = 105,
};

struct ControlSpec {
  ControlId id;
  const char* className;
  const char* text;
  int left, top, width, height;
  unsigned long style;  // besides WS_CHILD | WS_VISIBLE
  bool inGroupBox;      // parent GroupBox1 rather than the form
};

inline constexpr int kLeft = 303, kTop = 109, kWidth = 270, kHeight = 105;
inline constexpr int kDesignTextHeight = 12;
inline constexpr int kFontHeight = -12;
inline constexpr int kDropDownCount = 8;
inline constexpr int kMaxLength = 255;

// In creation order, which is also the stacking and tab order.
inline constexpr ControlSpec kControls[] = {
    {kLabel1, "STATIC", "", 8, 56, 4, 12, 0x0000L /* SS_LEFT */, false},
    {kBitBtn1, "BUTTON", texts::kConvert, 116, 52, 67, 23, 0x00010000L /* WS_TABSTOP */, false},
    {kGroupBox1, "BUTTON", texts::kGroupCaption, 4, 4, 253, 43, 0x0007L /* BS_GROUPBOX */, false},
    // CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP
    {kComboBox1, "COMBOBOX", texts::kPrompt, 6, 16, 241, 20, 0x0002L | 0x0040L | 0x00200000L | 0x00010000L, true},
    {kBitBtn2, "BUTTON", texts::kQuit, 188, 52, 69, 23, 0x00010000L /* WS_TABSTOP */, false},
};

}  // namespace form1
