#pragma once
// The installer's diagnostic log: log\<executable file name>.log beside the
// executable, written only when that folder exists, severity INFO and above.
#include <string>

namespace app {

// The log file for an executable path, or empty when the executable's folder
// does not exist ("C:\QIRA\setup.exe" -> "C:\QIRA\log\setup.exe.log").
std::wstring LogFilePathFor(const std::wstring& executablePath);

// First step of start-up, on the main thread before any other thread exists:
// creates the appender and logger (once per process) and the life-span marker,
// which writes "Log init" now and "Log uninit" when statics are destroyed.
void InitLogging();

}  // namespace app

namespace plogext {

// Writes "Log init" when constructed and "Log uninit" when destroyed
// (severity NONE). One process-wide static, created by app::InitLogging.
class CLifeSpanLog {
 public:
  CLifeSpanLog();
  ~CLifeSpanLog();
};

}  // namespace plogext
