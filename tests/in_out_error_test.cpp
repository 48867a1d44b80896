#include "database/in_out_error.h"

#include <gtest/gtest.h>

#include "tests/test_support.h"

using testing_support::Hex;
using testing_support::ToHex;

namespace {

// The bytes are written out from the message table, not from the code.
TEST(InOutError, MessageTableBytes) {
  struct Case { os::ErrorCode code; const char* hex; };
  const Case cases[] = {
      {2, "CC A7 B2 D9 82 AA 8C A9 82 C2 82 A9 82 E8 82 DC 82 B9 82 F1"},
      {3, "95 73 90 B3 82 C8 CC A7 B2 D9 96 BC 82 C5 82 B7"},
      {4, "B5 B0 CC DF DD 82 B5 82 BD CC A7 B2 D9 82 AA 91 BD 82 B7 82 AC 82 DC 82 B7"},
      {5, "CC A7 B2 D9 82 D6 82 CC B1 B8 BE BD 82 AA 8B 91 94 DB 82 B3 82 EA 82 DC 82 B5 82 BD"},
      {100, "CC A7 B2 D9 82 CC 96 96 94 F6 88 C8 8D 7E 82 F0 93 C7 82 DD 8D 9E 82 DD 82 DC 82 B5 82 BD"},
      {101, "C3 DE A8 BD B8 82 AA 82 A2 82 C1 82 CF 82 A2 82 C5 82 B7"},
      {106, "93 FC 97 CD 92 6C 82 AA 90 94 92 6C 82 C5 82 CD 82 A0 82 E8 82 DC 82 B9 82 F1"},
      // "I/O ｴﾗｰ (32)", "(112)", "(0)": the general message with the code.
      {32, "49 2F 4F 20 B4 D7 B0 20 28 33 32 29"},
      {112, "49 2F 4F 20 B4 D7 B0 20 28 31 31 32 29"},
      {1, "49 2F 4F 20 B4 D7 B0 20 28 31 29"},
  };
  for (const auto& c : cases) {
    const EInOutError e(c.code);
    EXPECT_EQ(ToHex(e.Message()), ToHex(Hex(c.hex))) << "code " << c.code;
    EXPECT_EQ(e.Code(), c.code);
    EXPECT_STREQ(e.what(), e.Message().c_str());
  }
}

}  // namespace
