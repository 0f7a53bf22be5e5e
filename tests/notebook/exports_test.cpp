// The request log's exports: CSV as RFC 4180 has it, the words as a C array that a C compiler
// takes, and the recorded session as a script whose commands repeat it.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#ifdef DAC_EVAL_C_COMPILER
#include <unistd.h>
#endif

#include "c_array_export.h"
#include "command_word.h"
#include "connection.h"
#include "csv_export.h"
#include "instrument_tree.h"
#include "logged_bench.h"
#include "script_export.h"

namespace {

std::vector<std::string> Lines(const std::string& text, const std::string& end) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, next; (next = text.find(end, at)) != std::string::npos;
       at = next + end.size()) {
    lines.push_back(text.substr(at, next - at));
  }
  return lines;
}

struct FieldCase {
  const char* text;
  const char* field;
};

TEST(CsvExport, QuotesWhatRfc4180Quotes) {
  for (const FieldCase& c :
       {FieldCase{"DAC9:X1A #H8000", "DAC9:X1A #H8000"}, FieldCase{"", ""},
        FieldCase{"a,b", "\"a,b\""}, FieldCase{"say \"hi\"", "\"say \"\"hi\"\"\""},
        FieldCase{"two\nlines", "\"two\nlines\""}, FieldCase{"cr\r", "\"cr\r\""}}) {
    EXPECT_EQ(CsvField(c.text), c.field) << c.text;
  }
}

TEST(CsvExport, OneRowPerRequestAfterTheHeader) {
  LoggedBench b("ZR810");
  {
    const Session::Origin origin(b.session, "remote \"lab, bench 2\"");
    (void)b.session.directLoad(0xC00001);
  }
  b.board.setBoardAttached(false);
  b.session.pulseLdac();

  const std::vector<std::string> rows = Lines(LogAsCsv(b.log), "\r\n");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0],
            "time,request,value,index,direction,length,status,status text,word,origin,command");
  // After the time (26 characters: date, time, microseconds).
  EXPECT_EQ(rows[1].substr(26),
            ",DD,0001,00C0,out,0,0,OK,C00001,\"remote \"\"lab, bench 2\"\"\",WORD #HC00001");
  EXPECT_EQ(rows[2].substr(26), ",DE,0000,0000,out,0,-4,no board attached,,,LDAC");
}

#ifdef DAC_EVAL_C_COMPILER
// The array compiled and run prints the words the board received, and its count.
TEST(CArrayExport, CompilesToTheWordsSent) {
  LoggedBench b("ZR813");
  (void)b.session.writeRegister(9, ChannelRegister::X1B, 0x1234);
  b.session.chooseInputRegister(true);
  b.board.setBoardAttached(false);
  (void)b.session.writeOffsetDac(1, 0x2000);
  const std::optional<std::string> array = WordsAsCArray(b.log);
  ASSERT_TRUE(array);
  EXPECT_NE(array->find("did not take 1 of them (failed requests), at positions 4."),
            std::string::npos)
      << *array;

  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("dac-eval-c-array-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "words.c")
      << "#include <stddef.h>\n#include <stdint.h>\n#include <stdio.h>\n"
      << *array
      << "int main(void) {\n"
         "  for (size_t i = 0; i < word_count; ++i) "
         "printf(\"%lu\\n\", (unsigned long)words[i]);\n"
         "  return 0;\n}\n";
  const std::string build = std::string(DAC_EVAL_C_COMPILER) + " -std=c99 -Wall -Werror -o " +
                            (folder / "words").string() + " " + (folder / "words.c").string();
  ASSERT_EQ(std::system(build.c_str()), 0) << *array;
  const std::string run = (folder / "words").string() + " > " + (folder / "out.txt").string();
  ASSERT_EQ(std::system(run.c_str()), 0);
  std::ifstream out(folder / "out.txt");
  std::vector<int32_t> printed;
  for (long word; out >> word;) printed.push_back(static_cast<int32_t>(word));
  std::filesystem::remove_all(folder);
  // The board saw the failed word too: it just did not answer.
  EXPECT_EQ(printed, b.words());
  ASSERT_EQ(printed.size(), 5u);
  EXPECT_EQ(printed[4], OffsetDacWord(1, 0x2000));
}
#endif

TEST(CArrayExport, NoWordsNoArray) {
  LoggedBench b("ZR810");
  b.session.pulseLdac();
  EXPECT_FALSE(WordsAsCArray(b.log));
}

// What the operator did, replayed command by command on a fresh session of the same model,
// sends the same words; what was refused or has no command stands as a comment.
TEST(ScriptExport, ItsCommandsRepeatTheWords) {
  LoggedBench b("ZR813");
  Session& s = b.session;
  (void)s.writeRegister(1, ChannelRegister::X1A, 0x3FFF);
  {
    const Session::Origin origin(s, "X >>");
    (void)s.writeRegister(1, ChannelRegister::X1A, 0xFFFF);  // wider than 14 bits
  }
  (void)s.writeRegister(9, ChannelRegister::M, 0x1000);
  s.chooseDacSource(9, true);
  const std::size_t before = b.words().size();
  s.powerDownTest();  // no command repeats it: its words are not replayed
  const std::size_t testWords = b.words().size() - before;
  (void)s.setMonitorEnabled(true);
  (void)s.readGpio();
  s.setReference(0, "2.5");
  (void)s.writeVoltage(0, 1.0);
  s.pulseLdac();

  const std::string script = SessionAsScript(b.log, "TCPIP::10.0.0.7::5025::SOCKET");
  EXPECT_NE(script.find("RESOURCE = \"TCPIP::10.0.0.7::5025::SOCKET\"\nMODEL = \"ZR813\"\n"),
            std::string::npos);
  EXPECT_NE(script.find("# refused, not replayed: DAC1:X1A #HFFFF (X >>: The selected value is "
                        "larger than the number of bits allows)\n"),
            std::string::npos)
      << script;
  EXPECT_NE(script.find("# not replayed, no command repeats it: "), std::string::npos);
  EXPECT_NE(script.find("ask(\"GPIO:READ?\")"), std::string::npos);

  SessionBench replay("ZR813");
  const scpi::CommandTree tree = InstrumentTree(replay.session);
  scpi::Connection client(tree);
  for (const std::string& command : LoggedBench::ScriptCommands(script)) {
    client.execute(command);
    ASSERT_EQ(client.execute("SYST:ERR?"), "0,\"No error\"") << command;
  }
  std::vector<int32_t> recorded = b.words();
  const auto test = recorded.begin() + static_cast<std::ptrdiff_t>(before);
  recorded.erase(test, test + static_cast<std::ptrdiff_t>(testWords));
  EXPECT_EQ(replay.words(), recorded);
}

TEST(ScriptExport, PythonStringLiterals) {
  EXPECT_EQ(PythonString("DAC9:X1A #H8000"), "\"DAC9:X1A #H8000\"");
  EXPECT_EQ(PythonString("a\"b\\c\n"), "\"a\\\"b\\\\c\\x0a\"");
}

}  // namespace
