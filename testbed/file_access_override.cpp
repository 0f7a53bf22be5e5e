#include "file_access_override.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

constexpr unsigned kOverrideBits = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

// The calling thread's capability sets (the first 32 capabilities), or false.
bool Get(__user_cap_data_struct (&data)[2]) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  return syscall(SYS_capget, &header, data) == 0;
}

bool Set(__user_cap_data_struct (&data)[2]) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  return syscall(SYS_capset, &header, data) == 0;
}

}  // namespace

FileAccessOverrideDropped::FileAccessOverrideDropped() {
  __user_cap_data_struct data[2]{};
  if (!Get(data) || (data[0].effective & kOverrideBits) == 0) return;
  savedEffective_ = data[0].effective;
  data[0].effective &= ~kOverrideBits;
  changed_ = Set(data);
}

FileAccessOverrideDropped::~FileAccessOverrideDropped() {
  __user_cap_data_struct data[2]{};
  if (!changed_ || !Get(data)) return;
  data[0].effective = savedEffective_;
  Set(data);
}
