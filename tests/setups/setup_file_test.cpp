// The setup file: saved from sessions in random states, loaded onto fresh ones, saved again; and
// the files that are refused, each with a one-line message naming its key or place, and nothing
// sent or changed.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <functional>

#include "case_name.h"
#include "chip_agreement.h"
#include "session_bench.h"
#include "setup_file.h"
#include "setup_scenes.h"

namespace {

QByteArray SavedFile(const Session& session) {
  SavedSetup setup;
  EXPECT_FALSE(CaptureSetup(session, setup));
  return WriteSetup(setup);
}

class FileRoundTrip : public testing::TestWithParam<const char*> {};

TEST_P(FileRoundTrip, SaveLoadAndSaveAgainGiveTheSameModelAndTheSameFile) {
  SessionBench saved(GetParam());
  ScrambleSession(saved.session, 31);
  const QByteArray file = SavedFile(saved.session);

  SessionBench loaded(GetParam());
  ScrambleSession(loaded.session, 32);
  ASSERT_EQ(LoadSetup(loaded.session, file), QString());
  EXPECT_EQ(ModelDifference(saved.session, loaded.session), "");
  EXPECT_EQ(ChipDisagreement(loaded.board.chip(), loaded.session), "");
  EXPECT_EQ(SavedFile(loaded.session), file);
}

INSTANTIATE_TEST_SUITE_P(Models, FileRoundTrip,
                         testing::Values("ZR810", "ZR813", "ZR821", "ZR822"));

// Names and limits go through the file; a file without them leaves the program's own.
TEST(SetupFile, CarriesNamesAndLimitsAndLeavesThemAloneWithoutThem) {
  SessionBench saved("ZR813");
  ScrambleSession(saved.session, 35);
  const QByteArray plain = SavedFile(saved.session);
  EXPECT_FALSE(plain.contains("\"name\""));
  ASSERT_FALSE(saved.session.setChannelName(2, "heater"));
  ASSERT_FALSE(saved.session.setChannelLimit(2, Session::LimitSide::Lower, -20.0));
  ASSERT_FALSE(saved.session.setChannelLimit(9, Session::LimitSide::Upper, 20.0));
  const QByteArray labelled = SavedFile(saved.session);

  SessionBench loaded("ZR813");
  ASSERT_FALSE(loaded.session.setChannelName(0, "kept"));
  ASSERT_EQ(LoadSetup(loaded.session, plain), QString());
  EXPECT_EQ(loaded.session.channelLabel(0).name, "kept");
  ASSERT_EQ(LoadSetup(loaded.session, labelled), QString());
  EXPECT_EQ(loaded.session.channelLabels(), saved.session.channelLabels());
  EXPECT_EQ(SavedFile(loaded.session), labelled);
}

TEST(SetupFile, GoesThroughTheDiskWholeAndNamesAFileItCannotRead) {
  QTemporaryDir dir;
  SessionBench bench("ZR812");
  ScrambleSession(bench.session, 33);
  SavedSetup setup;
  ASSERT_FALSE(CaptureSetup(bench.session, setup));
  const QString path = dir.filePath(QStringLiteral("bench.json"));
  ASSERT_EQ(WriteSetupFile(path, setup), QString());
  const SetupRead read = ReadSetupFile(path);
  ASSERT_TRUE(read.setup) << read.error.toStdString();
  EXPECT_EQ(*read.setup, setup);

  EXPECT_TRUE(ReadSetupFile(dir.filePath(QStringLiteral("none.json")))
                  .error.startsWith(QStringLiteral("cannot read none.json: ")));
  EXPECT_TRUE(WriteSetupFile(dir.filePath(QStringLiteral("no/such/folder.json")), setup)
                  .startsWith(QStringLiteral("cannot write folder.json: ")));
}

// A good file of the model with one key changed by `edit`.
QByteArray Edited(const char* model, const std::function<void(QJsonObject&)>& edit) {
  SessionBench bench(model);
  QJsonObject root = QJsonDocument::fromJson(SavedFile(bench.session)).object();
  edit(root);
  return QJsonDocument(root).toJson();
}

void EditChannel(QJsonObject& root, int n, const char* key, const QJsonValue& value) {
  QJsonArray channels = root[QStringLiteral("channels")].toArray();
  QJsonObject channel = channels[n].toObject();
  channel[QLatin1String(key)] = value;
  channels[n] = channel;
  root[QStringLiteral("channels")] = channels;
}

struct BadFile {
  const char* name;
  const char* model;  // of the session it is loaded onto
  std::function<QByteArray()> bytes;
  const char* message;
};

void PrintTo(const BadFile& c, std::ostream* out) {
  *out << c.name;
}

class Refused : public testing::TestWithParam<BadFile> {};

TEST_P(Refused, InOneLineNamingTheKeyWithNothingSentOrChanged) {
  const BadFile& c = GetParam();
  SessionBench bench(c.model);
  ScrambleSession(bench.session, 34);
  const QByteArray before = SavedFile(bench.session);
  bench.board.clearRequests();

  const QString message = LoadSetup(bench.session, c.bytes());
  EXPECT_TRUE(message.startsWith(QLatin1String(c.message))) << message.toStdString();
  EXPECT_FALSE(message.contains(QLatin1Char('\n')));
  EXPECT_TRUE(bench.codes().empty());
  EXPECT_EQ(SavedFile(bench.session), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Refused,
    testing::Values(
        BadFile{"Empty", "ZR810", [] { return QByteArray(); },
                "line 1, column 1: illegal value (not a JSON setup file)"},
        BadFile{
            "SyntaxErrorOnLineThree", "ZR810",
            [] { return QByteArray("{\n  \"format\": \"dac-eval setup\",\n  \"version\" 1\n}"); },
            "line 3, column 13: missing name separator"},
        BadFile{"NoObject", "ZR810", [] { return QByteArray("[1, 2]"); },
                "not a dac-eval setup: no JSON object"},
        BadFile{"AnotherFormat", "ZR810", [] { return QByteArray(R"({"model": "ZR810"})"); },
                "format: not a dac-eval setup"},
        BadFile{"LaterVersion", "ZR810",
                [] { return Edited("ZR810", [](QJsonObject& r) { r["version"] = 2; }); },
                "version: 2 is not a version this program reads (1)"},
        BadFile{"AnotherModel", "ZR810", [] { return Edited("ZR811", [](QJsonObject&) {}); },
                "the setup is for ZR811, not for ZR810"},
        BadFile{"MissingKey", "ZR820",
                [] { return Edited("ZR820", [](QJsonObject& r) { r.remove("inputRegister"); }); },
                "inputRegister: missing"},
        BadFile{"UnknownKey", "ZR820",
                [] { return Edited("ZR820", [](QJsonObject& r) { r["colour"] = "red"; }); },
                "colour: unknown key"},
        BadFile{"UnknownChannelKey", "ZR820",
                [] { return Edited("ZR820", [](QJsonObject& r) { EditChannel(r, 2, "x3", 0); }); },
                "channels[2].x3: unknown key"},
        BadFile{
            "CodeAsText", "ZR810",
            [] { return Edited("ZR810", [](QJsonObject& r) { EditChannel(r, 1, "m", "FFFF"); }); },
            "channels[1].m: a whole number expected, not a string"},
        BadFile{"FractionalCode", "ZR810",
                [] {
                  return Edited("ZR810", [](QJsonObject& r) {
                    r["offsetDacs"] = QJsonArray{1.5, 0};
                  });
                },
                "offsetDacs[0]: 1.5 is not a code"},
        BadFile{
            "CodeWiderThanTheModel", "ZR811",
            [] { return Edited("ZR811", [](QJsonObject& r) { EditChannel(r, 0, "x1a", 16384); }); },
            "channels[0].x1a: 16384 is outside 0 to 16383"},
        BadFile{"OffsetWiderThan14Bits", "ZR822",
                [] {
                  return Edited("ZR822", [](QJsonObject& r) {
                    r["offsetDacs"] = QJsonArray{0, 16384};
                  });
                },
                "offsetDacs[1]: 16384 is outside 0 to 16383"},
        BadFile{"ThirdSelect", "ZR810",
                [] {
                  return Edited("ZR810",
                                [](QJsonObject& r) { EditChannel(r, 0, "abSelect", "C"); });
                },
                "channels[0].abSelect: \"C\" is none of \"A\", \"B\""},
        BadFile{"MonitorMissing", "ZR812",
                [] { return Edited("ZR812", [](QJsonObject& r) { r.remove("monitor"); }); },
                "monitor: missing"},
        BadFile{"ChannelMissing", "ZR812",
                [] {
                  return Edited("ZR812", [](QJsonObject& r) {
                    QJsonArray channels = r["channels"].toArray();
                    channels.removeLast();
                    r["channels"] = channels;
                  });
                },
                "channels: ZR812 has 8 channels, the setup lists 7"},
        BadFile{"BothCorrectedCodesLeftBehind", "ZR822",
                [] {
                  return Edited("ZR822", [](QJsonObject& r) {
                    r["dacRegistersLoaded"] = false;
                    EditChannel(r, 30, "x2a", 0);
                    EditChannel(r, 30, "x2b", 0);
                  });
                },
                "channels[30]: x2a and x2b both differ"},
        BadFile{"CorrectedCodeNoGainGives", "ZR810",
                [] {
                  return Edited("ZR810", [](QJsonObject& r) {
                    r["dacRegistersLoaded"] = false;
                    EditChannel(r, 0, "x1a", 65535);
                    EditChannel(r, 0, "x2a", -32768);
                  });
                },
                "channels[0].x2a: -32768 cannot come from X1A 65535"},
        BadFile{"DacRegisterNotTheSelectedX2", "ZR821",
                [] {
                  return Edited("ZR821",
                                [](QJsonObject& r) { EditChannel(r, 39, "dacRegister", 0x1554); });
                },
                "channels[39].dacRegister: 5460 is not the x2a (5461)"},
        BadFile{"NameTooLong", "ZR812",
                [] {
                  return Edited("ZR812", [](QJsonObject& r) {
                    EditChannel(r, 2, "name", QString(33, QLatin1Char('x')));
                  });
                },
                "channels[2].name: a channel name has at most 32 characters, not 33"},
        BadFile{
            "LimitAsText", "ZR812",
            [] { return Edited("ZR812", [](QJsonObject& r) { EditChannel(r, 2, "low", "1"); }); },
            "channels[2].low: volts expected, not a string"},
        BadFile{"LowAboveHigh", "ZR812",
                [] {
                  return Edited("ZR812", [](QJsonObject& r) {
                    EditChannel(r, 2, "low", 2);
                    EditChannel(r, 2, "high", 1);
                  });
                },
                "channels[2].low: 2 V lies above the upper limit 1 V"},
        BadFile{"OutputOutsideItsOwnLimit", "ZR812",
                [] {
                  return Edited("ZR812", [](QJsonObject& r) {
                    EditChannel(r, 2, "x1a", 0x9000);
                    EditChannel(r, 2, "x2a", 0x9000);
                    EditChannel(r, 2, "dacRegister", 0x9000);
                    EditChannel(r, 2, "high", 1);
                  });
                },
                "channel 2 would reach 1.25 V, outside its range at most 1 V"},
        BadFile{"GpioWord", "ZR812",
                [] { return Edited("ZR812", [](QJsonObject& r) { r["gpio"] = "sideways"; }); },
                "gpio: \"sideways\" is none of \"input\", \"low\", \"high\""},
        BadFile{"NegativeReference", "ZR810",
                [] {
                  return Edited("ZR810", [](QJsonObject& r) {
                    r["references"] = QJsonArray{-5, 0};
                  });
                },
                "references[0]: -5 V is outside the references: more than 0 V, at most 10 V"},
        BadFile{"ZeroReference", "ZR810",
                [] {
                  return Edited("ZR810", [](QJsonObject& r) {
                    r["references"] = QJsonArray{3, 0};
                  });
                },
                "references[1]: 0 V is outside the references"},
        BadFile{"LargestDoubleAsReference", "ZR820",
                [] {
                  return Edited("ZR820", [](QJsonObject& r) {
                    r["references"] = QJsonArray{3, 3, 1.7976931348623157e308};
                  });
                },
                "references[2]: 1.79769313486232E+308 V is outside the references"},
        BadFile{"ReferenceJustAboveTenVolts", "ZR812",
                [] {
                  return Edited("ZR812", [](QJsonObject& r) {
                    r["references"] = QJsonArray{10.000001, 3};
                  });
                },
                "references[0]: 10.000001 V is outside the references"},
        BadFile{"KeyTwice", "ZR812",
                [] {
                  return QByteArray(
                      "{\n  \"format\": \"dac-eval setup\",\n  \"gpio\": \"high\",\n"
                      "  \"gpio\": \"low\"\n}\n");
                },
                "gpio: given twice in one object (again on line 4)"},
        BadFile{"NestedKeyTwice", "ZR812",
                [] {
                  return QByteArray(
                      "{\"format\": \"dac-eval setup\",\n\"monitor\": {\"channel\": 1,\n"
                      "\"source\": \"channel\",\n\"channel\": 2}}");
                },
                "monitor.channel: given twice in one object (again on line 4)"},
        BadFile{"ChannelKeyTwice", "ZR810",
                [] {
                  return QByteArray(
                      "{\"channels\": [{\"x1a\": 1, \"x1b\": 1},\n{\"x1a\": 1,\n\"m\": 2, "
                      "\"x1a\": 1}]}");
                },
                "channels[1].x1a: given twice in one object (again on line 3)"}),
    CaseName());

// Each channel register is read from its own key of the file, and written back there.
TEST(SetupFile, ChannelRegistersKeepTheirKeys) {
  const QByteArray file = Edited("ZR810", [](QJsonObject& r) {
    for (const auto& [key, value] :
         {std::pair{"x1a", 100}, std::pair{"x1b", 200}, std::pair{"m", 0xFFFF},
          std::pair{"c", 0x8001}, std::pair{"x2a", 101}, std::pair{"x2b", 201},
          std::pair{"dacRegister", 101}}) {
      EditChannel(r, 0, key, value);
    }
  });
  const SetupRead read = ReadSetup(file);
  ASSERT_TRUE(read.setup) << read.error.toStdString();
  const SavedChannel& ch = read.setup->channels.at(0);
  EXPECT_EQ(std::vector<int32_t>({ch.x1a, ch.x1b, ch.m, ch.c}),
            std::vector<int32_t>({100, 200, 0xFFFF, 0x8001}));
  EXPECT_EQ(WriteSetup(*read.setup), file);
}

// The references at both ends of their range load; a key name in a value or in two objects is no
// key given twice.
TEST(SetupFile, ReferencesAtTheEndsOfTheirRangeAndRepeatedNamesElsewhereLoad) {
  const QByteArray file = Edited("ZR810", [](QJsonObject& r) {
    r["references"] = QJsonArray{10, 1e-6};
    r["model"] = "ZR810";
  });
  SessionBench bench("ZR810");
  EXPECT_EQ(LoadSetup(bench.session, file).toStdString(), "");
  EXPECT_EQ(bench.session.references()[0], "10");
  const QByteArray named = QByteArray(R"({"format": "gpio", "gpio": {"gpio": ["gpio"]}})");
  EXPECT_FALSE(LoadSetup(bench.session, named).contains(QLatin1String("twice")));
}

}  // namespace
