#include "device/media_player.h"

#include <vector>

namespace {
const char kDeviceType[] = "CDAudio";
constexpr std::uint32_t kErrorTextSize = 4096;
// MCI ﾃﾞﾊﾞｲｽがありません
const char kNoDevice[] =
    "\x4D\x43\x49\x20\xC3\xDE\xCA\xDE\xB2\xBD\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1";
// 原因不明のｴﾗｰ
const char kUnknownError[] = "\x8C\xB4\x88\xF6\x95\x73\x96\xBE\x82\xCC\xB4\xD7\xB0";
}  // namespace

TMediaPlayer::TMediaPlayer(std::unique_ptr<mci::Port> port) : port_(std::move(port)) {}

TMediaPlayer::~TMediaPlayer() {
  if (deviceId_ != 0) SendClose();
}

std::uint32_t TMediaPlayer::SendClose() {
  mci::Command close;
  close.deviceId = deviceId_;
  close.message = mci::kClose;
  close.flags = mci::kWait;
  close.callback = port_->CallbackWindow();
  mci::Reply reply;
  return port_->SendCommand(close, reply);
}

std::string TMediaPlayer::ErrorText(std::uint32_t error) {
  std::vector<char> buffer(kErrorTextSize, '\0');
  if (!port_->GetErrorString(error, buffer.data(), kErrorTextSize)) return kUnknownError;
  buffer.back() = '\0';
  return buffer.data();  // up to the first zero byte
}

void TMediaPlayer::OpenDevice() {
  if (open_) CloseDevice();  // whether or not that close succeeds, go on

  mci::Command open;
  open.message = mci::kOpen;
  open.flags = mci::kWait | mci::kOpenType;
  open.callback = port_->CallbackWindow();
  open.deviceType = kDeviceType;
  mci::Reply reply;
  lastResult_ = port_->SendCommand(open, reply);
  if (lastResult_ != 0) throw EMCIDeviceError(ErrorText(lastResult_));
  open_ = true;
  deviceId_ = static_cast<std::uint16_t>(reply.deviceId);

  // The length query reads packed MSF only while the format is TMSF. Its
  // result is not examined: a failure shows in the length, not here.
  mci::Command set;
  set.deviceId = deviceId_;
  set.message = mci::kSet;
  set.flags = mci::kSetTimeFormat;
  set.timeFormat = mci::kFormatTmsf;
  mci::Reply ignored;
  port_->SendCommand(set, ignored);
}

std::int32_t TMediaPlayer::QueryTotalLength() {
  if (!open_) throw EMCIDeviceError(kNoDevice);
  mci::Command status;
  status.deviceId = deviceId_;
  status.message = mci::kStatus;
  status.flags = mci::kWait | mci::kStatusItem;
  status.item = mci::kStatusLength;  // no track: the whole disc
  mci::Reply reply;
  lastResult_ = port_->SendCommand(status, reply);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(reply.returned));
}

void TMediaPlayer::CloseDevice() {
  if (deviceId_ == 0) return;
  lastResult_ = SendClose();
  if (lastResult_ != 0) return;  // the device stays held until the next open closes it
  open_ = false;
  deviceId_ = 0;
}
