#pragma once
// A process running as root opens any file whatever its mode. To let a test deny access to a
// device node, the calling thread gives up its file-permission override (CAP_DAC_OVERRIDE and
// CAP_DAC_READ_SEARCH in its effective set) while this object lives; a thread that never had
// the override is unchanged.

class FileAccessOverrideDropped {
 public:
  FileAccessOverrideDropped();
  ~FileAccessOverrideDropped();
  FileAccessOverrideDropped(const FileAccessOverrideDropped&) = delete;
  FileAccessOverrideDropped& operator=(const FileAccessOverrideDropped&) = delete;

 private:
  unsigned savedEffective_ = 0;
  bool changed_ = false;
};
