// The real program under Wine and Xvfb, driven from outside through window
// messages: a CDPLAYER.INI in the prefix's Windows directory, the virtual
// CD audio driver, a fresh current directory per test.
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "tests/test_support.h"
#include "tests/virtual_cd/virtual_cd_control.h"

using testing_support::Hex;
using testing_support::ReadBytes;
using testing_support::ScratchDir;
using testing_support::ToHex;
using testing_support::VirtualCd;
using testing_support::VirtualCdSettings;
using testing_support::WriteBytes;

namespace {

using Lines = std::vector<std::string>;

// Control IDs of the main window.
constexpr int kLabel1 = 101, kBitBtn1 = 102, kGroupBox1 = 103, kComboBox1 = 104, kBitBtn2 = 105;

// Texts as the user sees them, written out in hex.
const std::string kCaption = Hex("4B 6F 72 76 61 6E 79 20 44 42 83 52 83 93 83 6F 81 5B 83 5E 81 5B");
const std::string kGroup = Hex("20 82 62 82 63 20 83 5E 83 43 83 67 83 8B 20");
const std::string kPrompt = Hex("83 5E 83 43 83 67 83 8B 82 F0 8E 77 92 E8 82 B5 82 C4 82 AD 82 BE 82 B3 82 A2 81 42");
const std::string kConvert = Hex("83 52 83 93 83 6F 81 5B 83 67");
const std::string kQuit = Hex("8F 49 81 40 97 B9");
const std::string kConverting = Hex("83 52 83 93 83 6F 81 5B 83 67 92 86 2E 2E 2E");
const std::string kDone = Hex("83 52 83 93 83 6F 81 5B 83 67 8A AE 97 B9 81 49");
const std::string kFileNotFoundBox =
    Hex("CC A7 B2 D9 82 AA 8C A9 82 C2 82 A9 82 E8 82 DC 82 B9 82 F1 2E");  // with the "."

const std::string kTitleA = Hex("83 5E 83 43 83 67 83 8B 20 41");  // "タイトル A"
const std::string kDatabase = "[7A0B2C13]\r\nEntryType=1\r\ntitle=" + kTitleA +
                              "\r\nnumtracks=2\r\n0=\x8B\xC8 1\r\n1=\x8B\xC8 2\r\n"
                              "[7A0B2C14]\r\ntitle=Second disc\r\n0=x\r\n"
                              "[7A0B2C15]\r\ntitle=" + kTitleA + "\r\n0=again\r\n";

std::string ExeDir() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string s = path;
  return s.substr(0, s.find_last_of('\\'));
}

std::string DatabasePath() {
  char dir[MAX_PATH] = {};
  GetWindowsDirectoryA(dir, sizeof dir);
  return std::string(dir) + "\\CDPLAYER.INI";
}

std::string GetText(HWND w) {
  char buffer[1024] = {};
  DWORD_PTR got = 0;
  SendMessageTimeoutA(w, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL,
                      5000, &got);
  return std::string(buffer, got);
}

// Across processes Wine passes CB_GETLBTEXT as UTF-16 only: ask in W, turn into 932.
std::string ItemText(HWND combo, int i) {
  const auto n = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
  std::wstring w(static_cast<std::size_t>(n) + 1, L'\0');
  SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(w.data()));
  w.resize(static_cast<std::size_t>(n));
  std::string out(w.size() * 2 + 1, '\0');
  const int len = WideCharToMultiByte(932, 0, w.c_str(), static_cast<int>(w.size()), out.data(),
                                      static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(static_cast<std::size_t>(len));
  return out;
}

struct Found {
  DWORD pid;
  const char* className;
  HWND hwnd = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND w, LPARAM p) {
  auto* f = reinterpret_cast<Found*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (pid == f->pid && lstrcmpA(cls, f->className) == 0 && IsWindowVisible(w)) {
    f->hwnd = w;
    return FALSE;
  }
  return TRUE;
}

// Saves what the screen shows of a window as a BMP, for review.
void Screenshot(HWND w, const std::string& name) {
  const std::string dir = ExeDir() + "\\..\\screenshots";
  CreateDirectoryA(dir.c_str(), nullptr);
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(500);  // the other process paints in its own time
  RECT r;
  GetWindowRect(w, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const DWORD stride = ((width * 3 + 3) & ~3), size = stride * height;
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;  // "BM"
  fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
  fh.bfSize = fh.bfOffBits + size;
  std::ofstream out(dir + "\\" + name + ".bmp", std::ios::binary);
  out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
  out.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
  out.write(static_cast<const char*>(bits), size);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
}

template <class F>
bool WaitFor(F&& done, DWORD timeoutMs = 20000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(5);
  }
  return true;
}

// One run of the program, ended at the latest with the test.
class Program {
 public:
  explicit Program(const std::string& cwd) {
    std::string cmd = "\"" + ExeDir() + "\\..\\KorvanyDBConverter.exe\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    // Detached: the program must not hold the test runner's console open.
    started_ = CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                              cwd.c_str(), &si, &pi_) != FALSE;
  }
  ~Program() {
    if (!started_) return;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(pi_.hProcess, 99);
      WaitForSingleObject(pi_.hProcess, 10000);
    }
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
  }
  bool Started() const { return started_; }
  HWND Find(const char* cls) const {
    Found f{pi_.dwProcessId, cls};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&f));
    return f.hwnd;
  }
  HWND WaitForWindow(const char* cls) const {
    HWND w = nullptr;
    WaitFor([&] { return (w = Find(cls)) != nullptr; });
    return w;
  }
  // The exit code, once it has ended; -1 if it does not end in time.
  long ExitCode(DWORD timeoutMs = 20000) const {
    if (WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    return static_cast<long>(code);
  }
  HWND Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(pi_.dwThreadId, &info);
    return info.hwndFocus;
  }

 private:
  PROCESS_INFORMATION pi_{};
  bool started_ = false;
};

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(VirtualCd::Register());
    WriteBytes(DatabasePath(), kDatabase);
  }
  void TearDown() override { DeleteFileA(DatabasePath().c_str()); }

  // Starts the program and finds its main window and controls.
  void Start() {
    program_ = std::make_unique<Program>(dir_.Path().string());
    ASSERT_TRUE(program_->Started());
    main_ = program_->WaitForWindow("TForm1");
    ASSERT_NE(main_, nullptr);
    combo_ = GetDlgItem(GetDlgItem(main_, kGroupBox1), kComboBox1);
    label_ = GetDlgItem(main_, kLabel1);
    ASSERT_NE(combo_, nullptr);
    ASSERT_NE(label_, nullptr);
  }
  void Click(int id) {
    PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main_, id)));
  }
  Lines Items() {
    Lines items;
    const auto n = SendMessageA(combo_, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; ++i) items.push_back(ItemText(combo_, i));
    return items;
  }
  // Waits until the label shows `text`; the tick count when it was first seen.
  DWORD WaitForStatus(const std::string& text) {
    DWORD seen = 0;
    EXPECT_TRUE(WaitFor([&] { return GetText(label_) == text && (seen = GetTickCount()); }))
        << "status never became " << ToHex(text) << "; it is " << ToHex(GetText(label_));
    return seen;
  }
  std::string DiscFile() const { return dir_.File("991279.KRV"); }

  ScratchDir dir_;
  VirtualCd cd_{dir_.Path().string()};
  std::unique_ptr<Program> program_;
  HWND main_ = nullptr, combo_ = nullptr, label_ = nullptr;
};

TEST_F(UiTest, OpensWithTheTitlesInFileOrderThePromptAndFocusOnConvert) {
  Start();
  EXPECT_EQ(Items(), (Lines{kTitleA, "Second disc", kTitleA}));
  EXPECT_EQ(ToHex(GetText(combo_)), ToHex(kPrompt));
  EXPECT_EQ(SendMessageA(combo_, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(ToHex(GetText(main_)), ToHex(kCaption));
  EXPECT_EQ(ToHex(GetText(GetDlgItem(main_, kGroupBox1))), ToHex(kGroup));
  EXPECT_EQ(ToHex(GetText(GetDlgItem(main_, kBitBtn1))), ToHex(kConvert));
  EXPECT_EQ(ToHex(GetText(GetDlgItem(main_, kBitBtn2))), ToHex(kQuit));
  EXPECT_EQ(GetText(label_), "");
  EXPECT_TRUE(WaitFor([&] { return program_->Focus() == GetDlgItem(main_, kBitBtn1); }));
  EXPECT_TRUE(cd_.Log().empty()) << "an idle program sent MCI commands";
  // The taskbar entry is the zero-size application window with the title.
  const HWND owner = GetWindow(main_, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  EXPECT_EQ(GetText(owner), "Korvanydbconverter");
  Screenshot(main_, "main-window");
  SendMessageA(main_, WM_CLOSE, 0, 0);  // the close box
  EXPECT_EQ(program_->ExitCode(), 0);
}

TEST_F(UiTest, ConvertShowsEachStatusForMoreThanASecondWritesTheFileAndResets) {
  Start();
  SendMessageA(combo_, CB_SETCURSEL, 0, 0);
  Click(kBitBtn1);
  const DWORD converting = WaitForStatus(kConverting);
  const DWORD done = WaitForStatus(kDone);
  const DWORD reset = WaitForStatus("");
  // Polled from outside: each is seen a few milliseconds late at most.
  EXPECT_GT(done - converting, 950u);
  EXPECT_GT(reset - done, 950u);
  EXPECT_EQ(SendMessageA(combo_, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(ToHex(GetText(combo_)), ToHex(kPrompt));
  EXPECT_TRUE(WaitFor([&] { return program_->Focus() == GetDlgItem(main_, kBitBtn2); }));
  EXPECT_EQ(Items().size(), 3u);
  EXPECT_EQ(ToHex(ReadBytes(DiscFile())),
            ToHex(kTitleA + "\r\n\x8B\xC8 1\r\n\x8B\xC8 2\r\n" + kTitleA + "\r\nagain\r\n"));
  EXPECT_EQ(cd_.Log(), (Lines{"open flags=0x2002", "set flags=0x400 format=10",
                              "status flags=0x102 item=1", "close flags=0x2"}));
  Click(kBitBtn2);
  EXPECT_EQ(program_->ExitCode(), 0);
}

TEST_F(UiTest, ConvertWithNothingSelectedDoesNothing) {
  Start();
  SendMessageA(combo_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed text"));
  Click(kBitBtn1);
  Sleep(1500);
  EXPECT_EQ(GetText(label_), "");
  EXPECT_TRUE(cd_.Log().empty());
  EXPECT_FALSE(std::filesystem::exists(DiscFile()));
}

TEST_F(UiTest, MissingDatabaseShowsOneErrorBoxBeforeTheWindow) {
  DeleteFileA(DatabasePath().c_str());
  program_ = std::make_unique<Program>(dir_.Path().string());
  ASSERT_TRUE(program_->Started());
  const HWND box = program_->WaitForWindow("#32770");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(program_->Find("TForm1"), nullptr) << "the main window showed before the error";
  EXPECT_EQ(GetText(box), "Korvanydbconverter");
  EXPECT_EQ(ToHex(GetText(GetDlgItem(box, 0xFFFF))), ToHex(kFileNotFoundBox));
  Screenshot(box, "error-box");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  main_ = program_->WaitForWindow("TForm1");
  ASSERT_NE(main_, nullptr);
  combo_ = GetDlgItem(GetDlgItem(main_, kGroupBox1), kComboBox1);
  EXPECT_EQ(SendMessageA(combo_, CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(ToHex(GetText(combo_)), ToHex(kPrompt));
  EXPECT_EQ(program_->Find("#32770"), nullptr) << "a second error box";
}

TEST_F(UiTest, RefusedDeviceOpenShowsItsTextAndConvertWorksAgain) {
  VirtualCdSettings refused;
  refused.openError = 263;
  cd_.Configure(refused);
  char text[4096] = {};
  ASSERT_TRUE(mciGetErrorStringA(263, text, sizeof text));
  Start();
  SendMessageA(combo_, CB_SETCURSEL, 1, 0);
  Click(kBitBtn1);
  const HWND box = program_->WaitForWindow("#32770");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ToHex(GetText(GetDlgItem(box, 0xFFFF))), ToHex(std::string(text) + "."));
  EXPECT_EQ(GetText(box), "Korvanydbconverter");
  EXPECT_FALSE(IsWindowEnabled(main_)) << "the main window takes input under the box";
  EXPECT_EQ(ToHex(GetText(label_)), ToHex(kConverting));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitFor([&] { return program_->Find("#32770") == nullptr; }));
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main_) != FALSE; }));
  EXPECT_EQ(ToHex(GetText(label_)), ToHex(kConverting));
  EXPECT_EQ(SendMessageA(combo_, CB_GETCURSEL, 0, 0), 1);
  EXPECT_FALSE(std::filesystem::exists(DiscFile()));

  cd_.Configure({});
  Click(kBitBtn1);
  WaitForStatus(kDone);
  WaitForStatus("");
  EXPECT_EQ(ReadBytes(DiscFile()), "Second disc\r\nx\r\n");
}

TEST_F(UiTest, QuitDuringAPauseLetsTheConversionFinish) {
  Start();
  SendMessageA(combo_, CB_SETCURSEL, 0, 0);
  Click(kBitBtn1);
  WaitForStatus(kConverting);
  Click(kBitBtn1);  // ignored: a conversion is running
  Click(kBitBtn2);
  EXPECT_EQ(program_->ExitCode(), 0);
  EXPECT_EQ(ToHex(ReadBytes(DiscFile())),
            ToHex(kTitleA + "\r\n\x8B\xC8 1\r\n\x8B\xC8 2\r\n" + kTitleA + "\r\nagain\r\n"));
  EXPECT_EQ(cd_.Log().size(), 4u) << "the second press ran a conversion";
}

}  // namespace
