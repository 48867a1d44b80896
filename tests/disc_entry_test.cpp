#include "database/disc_entry.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <vector>

#include "database/database_location.h"
#include "database/in_out_error.h"
#include "tests/fault_file_system.h"
#include "tests/test_support.h"

using testing_support::CurrentDirGuard;
using testing_support::FaultFileSystem;
using testing_support::FileOp;
using testing_support::ReadBytes;
using testing_support::ScratchDir;
using testing_support::WriteBytes;

namespace {

using Lines = std::vector<std::string>;

std::string Crlf(const Lines& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

// A database in a scratch directory that is also the current directory.
class DiscEntryTest : public ::testing::Test {
 protected:
  void SetUp() override { IniPath = dir_.File("CDPLAYER.INI"); }
  void Database(const std::string& bytes) { WriteBytes(IniPath, bytes); }
  std::string Output(std::int32_t disc = 991279) { return ReadBytes(dir_.File(DiscListFileName(disc))); }
  bool OutputExists(std::int32_t disc = 991279) {
    return std::filesystem::exists(dir_.Path() / DiscListFileName(disc));
  }

  ScratchDir dir_;
  CurrentDirGuard cwd_{dir_.Path()};
};

TEST(DiscListFileName, SignedDecimalAndExtension) {
  EXPECT_EQ(DiscListFileName(991279), "991279.KRV");
  EXPECT_EQ(DiscListFileName(0), "0.KRV");
  EXPECT_EQ(DiscListFileName(-5), "-5.KRV");
  EXPECT_EQ(DiscListFileName(INT32_MAX), "2147483647.KRV");
  EXPECT_EQ(DiscListFileName(INT32_MIN), "-2147483648.KRV");
}

TEST_F(DiscEntryTest, WorkedExamples) {
  struct Case { const char* name; std::string db; std::string title; Lines expected; };
  const std::string track300 = std::string(254, 't') + "\x82\xA0" + std::string(44, 'u');
  const Case cases[] = {
      {"two matching entries, another disc between",
       Crlf({"title=T", "0=One", "1=Two", "abc=1", "title=U", "0=Three", "title=T", "0=Four"}), "T",
       {"T", "One", "Two", "T", "Four"}},
      {"second title line ends the first entry and is not compared",
       Crlf({"title=T", "0=One", "title=T", "0=Two"}), "T", {"T", "One"}},
      {"three in a row", Crlf({"title=T", "0=A", "title=T", "0=B", "title=T", "0=C"}), "T",
       {"T", "A", "T", "C"}},
      {"title line is the last line", Crlf({"0=x", "title=T"}), "T", {"T"}},
      {"title line last, without line end", "0=x\r\ntitle=T", "T", {"T"}},
      {"entry without tracks", Crlf({"title=T", "title=U", "0=x"}), "T", {"T"}},
      {"last entry runs to the end, last line without line end",
       "[a]\r\ntitle=T\r\n0=A\r\n[b]\r\n1=B", "T", {"T", "A", "B"}},
      {"track text cut to 255 bytes inside a character", Crlf({"title=T", "0=" + track300}), "T",
       {"T", std::string(254, 't') + "\x82"}},
      {"keys of zero to two bytes, whatever they are",
       Crlf({"title=T", "=x", "ab=y", "99=z", "100=no", "\x82\xA0=w"}), "T", {"T", "x", "y", "z", "w"}},
      {"case, blanks and leading bytes do not match",
       Crlf({"Title=T", "title=T ", "title =T", "xtitle=T", " title=T", "0=never"}), "T", {}},
      {"a title the chooser only shows from a longer line finds nothing",
       Crlf({"subtitle=T", "0=x"}), "T", {}},
      {"empty title matches the bare key", Crlf({"title=", "0=A", "title=B"}), "", {"", "A"}},
      {"Ctrl-Z ends an entry being copied", "title=T\r\n0=A\r\n\x1A" "1=B\r\n", "T", {"T", "A"}},
      {"entry after Ctrl-Z is not found", "x\r\n\x1Atitle=T\r\n0=A\r\n", "T", {}},
      {"CP932 title", Crlf({"title=\x83\x5E\x83\x43\x83\x67\x83\x8B", "0=\x8B\xC8"}),
       "\x83\x5E\x83\x43\x83\x67\x83\x8B", {"\x83\x5E\x83\x43\x83\x67\x83\x8B", "\x8B\xC8"}},
      {"no match", Crlf({"title=U", "0=x"}), "T", {}},
      {"empty database", "", "T", {}},
  };
  for (const auto& c : cases) {
    Database(c.db);
    WriteBytes(dir_.File("991279.KRV"), "left over from an earlier run");
    ConvertDiscEntry(c.title, 991279);
    EXPECT_EQ(Output(), Crlf(c.expected)) << c.name;
  }
}

// Each sample line read while copying: what it writes and whether the entry
// goes on (the line "0=after" behind it is then written too).
TEST_F(DiscEntryTest, DecisionForALineInsideAnEntry) {
  struct Case { std::string line; const char* written; bool goesOn; };
  const Case cases[] = {
      {"0=Intro", "Intro", true},       {"12=Song", "Song", true},
      {"100=Song", nullptr, true},      {"=Song", "Song", true},
      {"7=", "", true},                 {"a=b=c", "b=c", true},
      {"abc=x", nullptr, true},         {"1=title song", "title song", false},
      {"12=title song", "title song", true},
      {"title=Other", nullptr, false},  {"Title=Other", nullptr, true},
      {"subtitle=x", nullptr, true},    {"xtitle", nullptr, false},
      {"[section]", nullptr, true},     {"", nullptr, true},
  };
  for (const auto& c : cases) {
    Database(Crlf({"title=T", c.line, "0=after"}));
    ConvertDiscEntry("T", 991279);
    Lines expected = {"T"};
    if (c.written) expected.push_back(c.written);
    if (c.goesOn) expected.push_back("after");
    EXPECT_EQ(Output(), Crlf(expected)) << "line: " << c.line;
  }
}

TEST_F(DiscEntryTest, FileNamedByTheSignedDiscNumberInTheCurrentDirectory) {
  Database(Crlf({"title=T", "0=A"}));
  for (std::int32_t disc : {0, -1, INT32_MIN, INT32_MAX}) {
    ConvertDiscEntry("T", disc);
    EXPECT_EQ(Output(disc), Crlf({"T", "A"})) << disc;
  }
}

// A database large enough for several blocks each way.
std::string BigDatabase() {
  std::string db;
  for (int disc = 0; disc < 12; ++disc) {
    db += "[disc" + std::to_string(disc) + "]\r\ntitle=" + (disc % 3 == 0 ? "T" : "U") + "\r\n";
    for (int t = 0; t < 8; ++t) db += std::to_string(t) + "=Track number " + std::to_string(t) + "\r\n";
  }
  return db;
}

TEST_F(DiscEntryTest, EveryFailingOperationEndsItCleanly) {
  struct Case {
    const char* name;
    FileOp op;
    int nth;
    os::ErrorCode code;
    bool outputUntouched;  // not created: the file of an earlier run is unchanged
  };
  const Case cases[] = {
      {"database open", FileOp::kOpenForReading, 1, os::kFileNotFound, true},
      {"disc list create", FileOp::kCreateForWriting, 1, os::kAccessDenied, true},
      {"database read", FileOp::kRead, 5, 23, false},
      {"disc list write", FileOp::kWrite, 2, os::kDiskFull, false},
      {"database close", FileOp::kClose, 1, 6, false},
      {"disc list close", FileOp::kClose, 2, 6, false},
  };
  const std::string db = BigDatabase();
  Database(db);
  ConvertDiscEntry("T", 991279);
  const std::string full = Output();
  ASSERT_GT(full.size(), 3 * 128u);

  for (const auto& c : cases) {
    const std::string earlier = "an earlier run's file";
    WriteBytes(dir_.File("991279.KRV"), earlier);
    FaultFileSystem fs;
    fs.FailAt(c.op, c.nth, c.code);
    try {
      ConvertDiscEntry("T", 991279, fs);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.Code(), c.code) << c.name;
      EXPECT_EQ(e.Message(), InOutErrorMessage(c.code)) << c.name;
    }
    const std::string out = Output();
    if (c.outputUntouched) {
      EXPECT_EQ(out, earlier) << c.name;
    } else {
      // What was written out by then: a prefix of the full result.
      EXPECT_EQ(full.compare(0, out.size(), out), 0) << c.name;
    }
    EXPECT_EQ(ReadBytes(IniPath), db) << c.name << ": the database changed";
    EXPECT_EQ(fs.OpenHandles(), 0u) << c.name << ": a handle was left open";

    // The next conversion opens both files again and succeeds.
    ConvertDiscEntry("T", 991279);
    EXPECT_EQ(Output(), full) << c.name;
  }
}

TEST_F(DiscEntryTest, MissingDatabaseCreatesNoFile) {
  IniPath = dir_.File("nowhere.ini");
  EXPECT_THROW(ConvertDiscEntry("T", 42), EInOutError);
  EXPECT_FALSE(OutputExists(42));
}

}  // namespace
