// The media player through the real winmm, against the virtual CD audio
// driver (and, once, against no driver at all).
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include "device/media_player.h"
#include "tests/test_support.h"
#include "tests/virtual_cd/virtual_cd_control.h"

using testing_support::ScratchDir;
using testing_support::ToHex;
using testing_support::VirtualCd;
using testing_support::VirtualCdSettings;

namespace {

using Lines = std::vector<std::string>;

std::string SystemText(DWORD code) {
  char buffer[4096] = {};
  return mciGetErrorStringA(code, buffer, sizeof buffer) ? buffer : "";
}

std::string OpenError(TMediaPlayer& player) {
  try {
    player.OpenDevice();
  } catch (const EMCIDeviceError& e) {
    return e.Message();
  }
  return "(no error)";
}

class MciWineTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(VirtualCd::Register()); }
  ScratchDir dir_;
  VirtualCd cd_{dir_.Path().string()};
};

TEST_F(MciWineTest, DiscNumberIsThePackedTotalLength) {
  TMediaPlayer player;
  player.OpenDevice();
  EXPECT_EQ(player.QueryTotalLength(), 991279);  // 47:32:15
  player.CloseDevice();
  EXPECT_FALSE(player.IsOpen());
  EXPECT_EQ(cd_.Log(), (Lines{"open flags=0x2002", "set flags=0x400 format=10",
                              "status flags=0x102 item=1", "close flags=0x2"}));

  cd_.ClearLog();
  cd_.Configure({0, 2, 0});  // a second disc, a second conversion
  player.OpenDevice();
  EXPECT_EQ(player.QueryTotalLength(), 512);
  player.CloseDevice();
  EXPECT_EQ(cd_.Log().size(), 4u);
}

TEST_F(MciWineTest, RefusedOpenGivesWinmmsTextAndNothingMoreIsSent) {
  constexpr DWORD kInvalidDeviceName = 263;
  const std::string text = SystemText(kInvalidDeviceName);
  ASSERT_FALSE(text.empty());
  VirtualCdSettings refused;
  refused.openError = kInvalidDeviceName;
  cd_.Configure(refused);
  TMediaPlayer player;
  EXPECT_EQ(ToHex(OpenError(player)), ToHex(text));
  EXPECT_EQ(player.LastResult(), kInvalidDeviceName);
  EXPECT_FALSE(player.IsOpen());
  const Lines log = cd_.Log();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "open flags=0x2002");
  for (const auto& line : log) {
    EXPECT_EQ(line.find("set"), std::string::npos) << line;
    EXPECT_EQ(line.find("status"), std::string::npos) << line;
  }
}

TEST_F(MciWineTest, RefusedOpenWithoutATextGivesTheUnknownErrorText) {
  VirtualCdSettings refused;
  refused.openError = 5000;
  ASSERT_EQ(SystemText(5000), "");
  cd_.Configure(refused);
  TMediaPlayer player;
  EXPECT_EQ(ToHex(OpenError(player)), "8C B4 88 F6 95 73 96 BE 82 CC B4 D7 B0");  // 原因不明のｴﾗｰ
}

TEST_F(MciWineTest, WithNoDriverAndNoDriveTheOpenIsRefusedWithWinesText) {
  ASSERT_TRUE(VirtualCd::Unregister());
  TMediaPlayer player;
  const std::string message = OpenError(player);
  ASSERT_TRUE(VirtualCd::Register());
  EXPECT_NE(player.LastResult(), 0u);
  EXPECT_FALSE(message.empty());
  EXPECT_EQ(ToHex(message), ToHex(SystemText(player.LastResult())));
  EXPECT_TRUE(cd_.Log().empty());
}

}  // namespace
