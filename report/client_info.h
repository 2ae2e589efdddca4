#pragma once
// The process-wide application information record: product number, channel
// number, the program's own file version and the machine identifier. Filled
// once by Collect on the start-up thread before any other thread exists;
// read-only afterwards, read from any thread without locking.
#include <cstdint>

#include "report/identity_sources.h"

class ClientInfo {
 public:
  // The record of this process, created empty on first use (thread-safe).
  static ClientInfo& Instance();

  // Fills every field from the real sources once; later calls return true at once.
  // False when the MD5 service failed: machineHash is then zero and pcid empty
  // (logged at ERROR), every other field is filled and the record counts as
  // initialised, so start-up goes on.
  bool Collect();
  // The same over the given sources.
  bool Collect(identity::IdentitySources& sources);

  bool IsInitialized() const { return initialized_; }

  uint8_t appid = 0;            // always 28
  uint16_t unionid = 0;         // channel number; 1110 without a valid one
  uint64_t clientversion = 0;   // file version words, 0 without a version resource
  char versionText[24] = {};    // "major.minor.build.revision"
  uint8_t machineHash[16] = {}; // MD5 of the identity buffer
  char pcid[40] = {};           // machineHash as 32 lower-case hexadecimal characters

 private:
  bool initialized_ = false;
};
