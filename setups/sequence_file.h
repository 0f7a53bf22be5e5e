#pragma once
// The sequence file: CSV text with a header row "dwell_s,<channel>,<channel>,..." naming each
// column's channel by its number or by its name, then one row per frame: the dwell time in
// seconds and the volts of every channel of the header. "." is the decimal point; blank lines
// and a trailing CR are ignored. Every row is read before anything changes; a problem names its
// line.

#include <QString>
#include <string_view>
#include <vector>

#include "sequencer.h"
#include "session.h"

struct SequenceRead {
  std::vector<SequenceFrame> frames;  // with channel records, as the session's sequencer takes them
  std::vector<int> channels;          // the header's channel numbers, in column order
  QString error;                      // one line, when the file is refused
};

// The frames of the text for the session's model and channel names.
SequenceRead ReadSequence(std::string_view text, const Session& session);
// The same for a file (at most 16 MiB).
SequenceRead ReadSequenceFile(const QString& path, const Session& session);
