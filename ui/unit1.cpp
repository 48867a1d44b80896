#include "ui/unit1.h"

#include <commctrl.h>

#include "database/database_location.h"
#include "database/disc_entry.h"
#include "database/title_list.h"
#include "platform/gui/application.h"
#include "ui/delay.h"
#include "ui/form1_description.h"

TForm1* Form1 = nullptr;

namespace {

const char kWindowClass[] = "TForm1";

// "ＭＳ Ｐゴシック" where it exists; otherwise a Japanese proportional gothic
// that renders the same texts.
HFONT MakeFont() {
  const char* faces[] = {texts::kFontName, "MS PGothic", "IPAPGothic", "IPAGothic"};
  HDC dc = GetDC(nullptr);
  HFONT chosen = nullptr;
  for (const char* face : faces) {
    HFONT font = CreateFontA(form1::kFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
    const HGDIOBJ old = SelectObject(dc, font);
    char got[LF_FACESIZE] = {};
    GetTextFaceA(dc, sizeof got, got);
    SelectObject(dc, old);
    if (lstrcmpiA(got, face) == 0) {
      chosen = font;
      break;
    }
    if (!chosen) chosen = font; else DeleteObject(font);  // the first stays as last resort
  }
  ReleaseDC(nullptr, dc);
  return chosen;
}

int TextHeightOf(HFONT font) {
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight > 0 ? tm.tmHeight : form1::kDesignTextHeight;
}

void RegisterFormClass(HINSTANCE instance) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;  // replaced per window in Create
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, "MAINICON");
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  RegisterClassA(&wc);
}

// Set while a conversion runs, cleared however it ends.
class BusyFlag {
 public:
  explicit BusyFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~BusyFlag() { flag_ = false; }

 private:
  bool& flag_;
};

}  // namespace

TForm1::~TForm1() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (font_) DeleteObject(font_);
}

void TForm1::Create(HWND owner) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterFormClass(instance);
  font_ = MakeFont();
  textHeight_ = TextHeightOf(font_);
  hwnd_ = CreateWindowExA(WS_EX_CONTROLPARENT, kWindowClass, texts::kCaption, WS_OVERLAPPEDWINDOW,
                          form1::kLeft, form1::kTop, Scaled(form1::kWidth), Scaled(form1::kHeight),
                          owner, nullptr, instance, nullptr);
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc));
  CreateControls();
  MediaPlayer1 = std::make_unique<TMediaPlayer>();  // sends nothing until Convert
  try {
    FormCreate();
  } catch (...) {
    Application->HandleException();
  }
}

void TForm1::CreateControls() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  HWND group = nullptr;
  for (const auto& c : form1::kControls) {
    const HWND parent = c.inGroupBox ? group : hwnd_;
    int height = Scaled(c.height);
    if (c.id == form1::kComboBox1)  // the height includes the dropped list
      height = Scaled(c.height) + form1::kDropDownCount * Scaled(c.height - 4) + 2;
    const DWORD exStyle = c.id == form1::kGroupBox1 ? WS_EX_CONTROLPARENT : 0;
    const HWND w = CreateWindowExA(exStyle, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style,
                                   Scaled(c.left), Scaled(c.top), Scaled(c.width), height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance,
                                   nullptr);
    SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    switch (c.id) {
      case form1::kLabel1: Label1.Attach(w); break;
      case form1::kBitBtn1: BitBtn1.Attach(w); break;
      case form1::kGroupBox1: GroupBox1.Attach(w); group = w; break;
      case form1::kComboBox1: ComboBox1.Attach(w); break;
      case form1::kBitBtn2: BitBtn2.Attach(w); break;
    }
  }
  SendMessageA(ComboBox1.Handle(), CB_LIMITTEXT, form1::kMaxLength, 0);
  SetWindowTextA(ComboBox1.Handle(), texts::kPrompt);  // a combo box ignores its creation text
  SendMessageA(ComboBox1.Handle(), CB_SETMINVISIBLE, form1::kDropDownCount, 0);
}

LRESULT CALLBACK TForm1::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TForm1*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  return Guarded([&] { return self ? self->HandleMessage(msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp); });
}

LRESULT TForm1::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(wp) == BN_CLICKED && LOWORD(wp) == form1::kBitBtn1) BitBtn1Click();
      if (HIWORD(wp) == BN_CLICKED && LOWORD(wp) == form1::kBitBtn2) BitBtn2Click();
      return 0;
    case WM_ACTIVATE:
      // Keep the focused control across deactivation; the first time, the
      // first control in tab order that can take it.
      if (LOWORD(wp) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) activeControl_ = focus;
      } else {
        SetFocus(activeControl_ ? activeControl_ : BitBtn1.Handle());
      }
      return 0;
    case WM_CLOSE:
      // The main window: closing it terminates the application; it stays on screen.
      Application->Terminate();
      return 0;
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    default:
      return DefWindowProcA(hwnd_, msg, wp, lp);
  }
}

void TForm1::FormCreate() {
  LocateDatabase();
  ReadTitleList(IniPath, [](const std::string& title) { Form1->ComboBox1.AddItem(title); });
}

void TForm1::BitBtn1Click() {
  // A press during a running conversion's pauses is ignored: a nested run
  // would reset the chooser, and the outer one would then convert the prompt.
  if (converting_) return;
  if (ComboBox1.ItemIndex() < 0) return;
  BusyFlag busy(converting_);

  Label1.SetCaption(texts::kConverting);
  Delay(1000);
  MediaPlayer1->OpenDevice();
  const std::int32_t disc = MediaPlayer1->QueryTotalLength();
  MediaPlayer1->CloseDevice();
  ConvertDiscEntry(ComboBox1.Text(), disc);
  Label1.SetCaption(texts::kDone);
  Delay(1000);
  ComboBox1.SetItemIndex(-1);
  ComboBox1.SetText(texts::kPrompt);
  Label1.SetCaption("");
  activeControl_ = BitBtn2.Handle();
  BitBtn2.SetFocus();
}

void TForm1::BitBtn2Click() { SendMessageA(hwnd_, WM_CLOSE, 0, 0); }
