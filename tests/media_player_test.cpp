#include "device/media_player.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "tests/test_support.h"

using testing_support::Hex;
using testing_support::ToHex;

namespace {

constexpr std::uintptr_t kWindow = 0x1234;

// Records every command and answers from a script.
struct Recording {
  std::vector<mci::Command> sent;
  std::deque<std::uint32_t> results;  // popped per command; 0 when empty
  std::uint32_t openedId = 0x00010007;  // the high half must be dropped
  std::uintptr_t length = 991279;
  bool hasText = true;
  int windowsMade = 0;
};

class RecordingPort final : public mci::Port {
 public:
  explicit RecordingPort(Recording& r) : r_(r) {}
  std::uint32_t SendCommand(const mci::Command& c, mci::Reply& reply) override {
    r_.sent.push_back(c);
    if (c.message == mci::kOpen) reply.deviceId = r_.openedId;
    if (c.message == mci::kStatus) reply.returned = r_.length;
    if (r_.results.empty()) return 0;
    const auto rc = r_.results.front();
    r_.results.pop_front();
    return rc;
  }
  bool GetErrorString(std::uint32_t error, char* buffer, std::uint32_t size) override {
    EXPECT_EQ(size, 4096u);
    if (!r_.hasText) return false;
    std::snprintf(buffer, size, "text of %u", error);
    return true;
  }
  std::uintptr_t CallbackWindow() override {
    if (!made_) ++r_.windowsMade;
    made_ = true;
    return kWindow;
  }

 private:
  Recording& r_;
  bool made_ = false;
};

std::unique_ptr<TMediaPlayer> Player(Recording& r) {
  return std::make_unique<TMediaPlayer>(std::make_unique<RecordingPort>(r));
}

void ExpectCommand(const mci::Command& c, std::uint32_t id, std::uint32_t message,
                   std::uint32_t flags, std::uintptr_t callback, const char* what) {
  EXPECT_EQ(c.deviceId, id) << what;
  EXPECT_EQ(c.message, message) << what;
  EXPECT_EQ(c.flags, flags) << what;
  EXPECT_EQ(c.callback, callback) << what;
}

TEST(MediaPlayer, OneConversionSendsOpenSetStatusClose) {
  Recording r;
  auto player = Player(r);
  player->OpenDevice();
  EXPECT_TRUE(player->IsOpen());
  EXPECT_EQ(player->DeviceId(), 7);
  EXPECT_EQ(player->QueryTotalLength(), 991279);  // 47:32:15 packed as MSF
  player->CloseDevice();
  EXPECT_FALSE(player->IsOpen());
  EXPECT_EQ(player->DeviceId(), 0);

  ASSERT_EQ(r.sent.size(), 4u);
  ExpectCommand(r.sent[0], 0, 0x803, 0x2002, kWindow, "open");
  EXPECT_EQ(r.sent[0].deviceType, "CDAudio");
  ExpectCommand(r.sent[1], 7, 0x80D, 0x400, 0, "set");
  EXPECT_EQ(r.sent[1].timeFormat, 10u);
  ExpectCommand(r.sent[2], 7, 0x814, 0x102, 0, "status");
  EXPECT_EQ(r.sent[2].item, 1u);
  ExpectCommand(r.sent[3], 7, 0x804, 0x2, kWindow, "close");
  EXPECT_EQ(r.windowsMade, 1);
}

TEST(MediaPlayer, LengthIsReadAsSigned32Bits) {
  Recording r;
  r.length = 0xFFFFFFFEu;
  auto player = Player(r);
  player->OpenDevice();
  EXPECT_EQ(player->QueryTotalLength(), -2);
}

TEST(MediaPlayer, RefusedOpenRaisesTheDeviceTextAndSendsNothingMore) {
  Recording r;
  r.results = {263};
  auto player = Player(r);
  try {
    player->OpenDevice();
    FAIL() << "no error";
  } catch (const EMCIDeviceError& e) {
    EXPECT_EQ(e.Message(), "text of 263");
  }
  EXPECT_FALSE(player->IsOpen());
  EXPECT_EQ(player->LastResult(), 263u);
  EXPECT_EQ(r.sent.size(), 1u);
  player.reset();  // nothing held: destruction sends nothing
  EXPECT_EQ(r.sent.size(), 1u);
}

TEST(MediaPlayer, FixedTextsAreTheirCp932Bytes) {
  Recording r;
  r.results = {999};
  r.hasText = false;
  auto player = Player(r);
  try {
    player->OpenDevice();
    FAIL() << "no error";
  } catch (const EMCIDeviceError& e) {  // 原因不明のｴﾗｰ
    EXPECT_EQ(ToHex(e.Message()), "8C B4 88 F6 95 73 96 BE 82 CC B4 D7 B0");
  }
  try {
    player->QueryTotalLength();
    FAIL() << "no error";
  } catch (const EMCIDeviceError& e) {  // MCI ﾃﾞﾊﾞｲｽがありません
    EXPECT_EQ(ToHex(e.Message()), ToHex(Hex("4D 43 49 20 C3 DE CA DE B2 BD 82 AA 82 A0 82 E8 82 DC 82 B9 82 F1")));
  }
}

TEST(MediaPlayer, FailedSetAndStatusAreNotExamined) {
  Recording r;
  r.results = {0, 277, 278};  // open ok, set and status fail
  auto player = Player(r);
  player->OpenDevice();
  EXPECT_EQ(player->QueryTotalLength(), 991279);
  EXPECT_EQ(player->LastResult(), 278u);
  player->CloseDevice();
  EXPECT_FALSE(player->IsOpen());
}

TEST(MediaPlayer, RefusedCloseKeepsTheDeviceUntilTheNextOpenClosesIt) {
  Recording r;
  r.results = {0, 0, 0, 289};  // open, set, status, close refused
  auto player = Player(r);
  player->OpenDevice();
  player->QueryTotalLength();
  player->CloseDevice();
  EXPECT_TRUE(player->IsOpen());
  EXPECT_EQ(player->DeviceId(), 7);
  EXPECT_EQ(player->LastResult(), 289u);

  r.sent.clear();
  r.openedId = 9;
  player->OpenDevice();
  ASSERT_EQ(r.sent.size(), 3u);
  ExpectCommand(r.sent[0], 7, 0x804, 0x2, kWindow, "close of the held device");
  ExpectCommand(r.sent[1], 0, 0x803, 0x2002, kWindow, "open");
  EXPECT_EQ(player->DeviceId(), 9);

  // Destruction closes what is held, once.
  r.sent.clear();
  player.reset();
  ASSERT_EQ(r.sent.size(), 1u);
  ExpectCommand(r.sent[0], 9, 0x804, 0x2, kWindow, "close at destruction");
}

TEST(MediaPlayer, TwoConversionsEachOpenAndClose) {
  Recording r;
  auto player = Player(r);
  for (int i = 0; i < 2; ++i) {
    player->OpenDevice();
    player->QueryTotalLength();
    player->CloseDevice();
  }
  const std::uint32_t expected[] = {0x803, 0x80D, 0x814, 0x804, 0x803, 0x80D, 0x814, 0x804};
  ASSERT_EQ(r.sent.size(), 8u);
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(r.sent[i].message, expected[i]) << i;
  player.reset();
  EXPECT_EQ(r.sent.size(), 8u);
}

TEST(MediaPlayer, IdleComponentSendsNothingAndMakesNoWindow) {
  Recording r;
  Player(r).reset();
  EXPECT_TRUE(r.sent.empty());
  EXPECT_EQ(r.windowsMade, 0);
}

}  // namespace
