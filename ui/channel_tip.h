#pragma once
// A channel's name as the tooltip of its controls: its button on "Main DACs" and its output label
// on "Output Voltages"; empty while the channel has no name.

#include <QString>

#include "channel_number.h"
#include "session.h"

inline QString ChannelTip(const Session& session, int dac) {
  const ChannelLabel& label = session.channelLabel(dac);
  if (label.name.empty()) return QString();
  return QString::fromStdString(ChannelTitle(ChannelOfRecord(session.chip().part(), dac), label));
}
