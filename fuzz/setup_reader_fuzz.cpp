// Arbitrary setup files loaded onto a session over the simulated board. Input: one byte choosing
// the session's chip model, then the bytes of the file.
//
// Properties, besides no crash or undefined behaviour:
// - a refused file changes nothing: no request reaches the board and the register model stays
//   as it was; its message is one line;
// - an accepted file is restored exactly: every channel's registers, X2s, DAC register and A/B
//   select, the offset DACs, references, route and GPIO mode are the file's, and the simulated
//   chip holds what the register model says;
// - an accepted file, written back, reads back the same.

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "chip_agreement.h"
#include "fresh_session.h"
#include "fuzz_check.h"
#include "saved_setup.h"
#include "setup_file.h"

namespace {

SavedSetup Capture(const Session& session) {
  SavedSetup setup;
  FUZZ_CHECK(!CaptureSetup(session, setup));
  return setup;
}

// What the restore must reproduce: all but the flag and the monitor's kept channel bits, which
// a capture derives from the chip's state.
void CheckRestored(const SavedSetup& file, const SavedSetup& now) {
  FUZZ_CHECK(now.channels == file.channels);
  FUZZ_CHECK(now.offsetDacs == file.offsetDacs);
  FUZZ_CHECK(now.references == file.references);
  FUZZ_CHECK(now.inputRegisterB == file.inputRegisterB);
  FUZZ_CHECK(now.gpio == file.gpio);
  FUZZ_CHECK(now.monitor.has_value() == file.monitor.has_value());
  if (file.monitor) {
    FUZZ_CHECK(now.monitor->enabled == file.monitor->enabled);
    FUZZ_CHECK(now.monitor->source == file.monitor->source);
    const int kept = file.monitor->source == MonitorSource::Channel ? 0xF : 0xE;
    FUZZ_CHECK(now.monitor->channel == (file.monitor->channel & kept));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  static FreshSession bench;
  Session& session = bench.start(PartCatalogue()[data[0] % kPartCount]);
  const SavedSetup before = Capture(session);
  const QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));

  const QString message = LoadSetup(session, bytes);
  if (!message.isEmpty()) {
    FUZZ_CHECK(!message.contains(QLatin1Char('\n')));
    FUZZ_CHECK(bench.board->requests().empty());
    FUZZ_CHECK(Capture(session) == before);
    return 0;
  }
  const SetupRead read = ReadSetup(bytes);
  FUZZ_CHECK(read.setup.has_value());
  CheckRestored(*read.setup, Capture(session));
  FUZZ_CHECK(ChipDisagreement(bench.board->chip(), session).empty());
  const SetupRead again = ReadSetup(WriteSetup(*read.setup));
  FUZZ_CHECK(again.setup.has_value() && *again.setup == *read.setup);
  return 0;
}
