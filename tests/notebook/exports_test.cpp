// The request log's exports: CSV as RFC 4180 has it, the words as a C array that a C compiler
// takes, and the script's lines for what is replayed and what is not.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>

#include "c_array_export.h"
#include "command_word.h"
#include "csv_export.h"
#include "logged_bench.h"
#include "script_export.h"

namespace {

TEST(CsvExport, HeaderThenOneQuotedRowPerRequest) {
  EXPECT_EQ(CsvField("say \"hi\"\r\n"), "\"say \"\"hi\"\"\r\n\"");
  LoggedBench b("ZR810");
  {
    const Session::Origin origin(b.session, "remote \"lab, bench 2\"");
    (void)b.session.directLoad(0xC00001);
  }
  b.board.setBoardAttached(false);
  b.session.pulseLdac();
  const std::regex kCsv(
      "time,request,value,index,direction,length,status,status text,word,origin,command\r\n"
      R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{6})"
      ",DD,0001,00C0,out,0,0,OK,C00001,\"remote \"\"lab, bench 2\"\"\",WORD #HC00001\r\n"
      R"([-\d]{10} [:\d]{8}\.\d{6})"
      ",DE,0000,0000,out,0,-4,no board attached,,,LDAC\r\n");
  EXPECT_TRUE(std::regex_match(LogAsCsv(b.log), kCsv)) << LogAsCsv(b.log);
}

// Compiled and run, the array prints the words the board received, the failed one included.
TEST(CArrayExport, CompilesToTheWordsSent) {
  LoggedBench b("ZR813");
  b.session.pulseLdac();
  EXPECT_FALSE(WordsAsCArray(b.log));  // C has no empty array
  (void)b.session.writeRegister(9, ChannelRegister::X1B, 0x1234);
  b.board.setBoardAttached(false);
  (void)b.session.writeOffsetDac(1, 0x2000);
  const std::optional<std::string> array = WordsAsCArray(b.log);
  ASSERT_TRUE(array);
  EXPECT_NE(array->find("did not take 1 of them (failed requests), at positions 3."),
            std::string::npos);
#ifdef DAC_EVAL_C_COMPILER
  const std::filesystem::path c = std::filesystem::temp_directory_path() / "dac_eval_words.c";
  const std::filesystem::path exe = c.parent_path() / "dac_eval_words";
  std::ofstream(c) << "#include <stddef.h>\n#include <stdint.h>\n#include <stdio.h>\n"
                   << *array
                   << "int main(void) {\n  for (size_t i = 0; i < word_count; ++i) "
                      "printf(\"%ld\\n\", (long)words[i]);\n  return 0;\n}\n";
  const std::string build = std::string(DAC_EVAL_C_COMPILER) + " -std=c99 -Wall -Werror -o " +
                            exe.string() + " " + c.string();
  ASSERT_EQ(std::system(build.c_str()), 0) << *array;
  ASSERT_EQ(std::system((exe.string() + " > " + exe.string() + ".txt").c_str()), 0);
  std::ifstream out(exe.string() + ".txt");
  std::vector<int32_t> printed;
  for (long word; out >> word;) printed.push_back(static_cast<int32_t>(word));
  EXPECT_EQ(printed, b.words());
  EXPECT_EQ(printed.back(), OffsetDacWord(1, 0x2000));
#endif
}

TEST(ScriptExport, ConnectionFirstThenOneLinePerAction) {
  LoggedBench b("ZR813");
  Session& s = b.session;
  {
    const Session::Origin origin(s, "X >>");
    (void)s.writeRegister(1, ChannelRegister::X1A, 0xFFFF);  // wider than 14 bits
  }
  s.powerDownTest();
  (void)s.readGpio();
  s.setReference(0, "2.5");
  const std::string script = SessionAsScript(b.log, "TCPIP::10.0.0.7::5025::SOCKET");
  for (const char* line :
       {"\nRESOURCE = \"TCPIP::10.0.0.7::5025::SOCKET\"\nMODEL = \"ZR813\"\n",
        "\n# refused, not replayed: DAC1:X1A #HFFFF (X >>: The selected value is larger than the "
        "number of bits allows)\n",
        "\n# not replayed, no command repeats it: \n", "\nask(\"GPIO:READ?\")  # \n",
        "\nsend(\"REF0 2.5\")  # \n"}) {
    EXPECT_NE(script.find(line), std::string::npos) << line << script;
  }
  EXPECT_EQ(PythonString("a\"b\\c\n"), "\"a\\\"b\\\\c\\x0a\"");
}

}  // namespace
