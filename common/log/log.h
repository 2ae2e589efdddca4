#pragma once
// The diagnostic log: severities, records built by stream insertion, one logger
// (instance 0) with a maximum severity, and appenders that write formatted
// records. Usage: PLOG_INFO << "url:" << url;
// A record is only built when the logger exists and accepts its severity, so
// arguments of a dropped record are never evaluated.
#include <cstdint>
#include <mutex>
#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace plog {

enum Severity { none = 0, fatal = 1, error = 2, warning = 3, info = 4, debug = 5, verbose = 6 };

// "NONE", "FATAL", "ERROR", "WARN", "INFO", "DEBUG", "VERB".
const char* SeverityName(Severity severity);

// Local wall-clock time of a record, to the millisecond.
struct LocalTime {
  int year, month, day, hour, minute, second, millisecond;
};

// A function label given as is, not derived from a pretty function name.
struct Label {
  const char* text;
};

class Record {
 public:
  Record(Severity severity, const char* prettyFunction, int line);
  Record(Severity severity, Label label, int line);

  Record& ref() { return *this; }

  // Narrow text is taken to be in the system ANSI code page; null is "(null)".
  Record& operator<<(const char* text);
  Record& operator<<(const std::string& text) { return *this << std::string_view(text); }
  Record& operator<<(std::string_view text);
  Record& operator<<(const wchar_t* text);
  Record& operator<<(const std::wstring& text) { return *this << std::wstring_view(text); }
  Record& operator<<(std::wstring_view text);
  Record& operator<<(char c) { return *this << std::string_view(&c, 1); }
  Record& operator<<(wchar_t c) { return *this << std::wstring_view(&c, 1); }
  template <typename T>
    requires std::is_arithmetic_v<T> || std::is_pointer_v<T>
  Record& operator<<(T value) {
    std::ostringstream s;
    s << value;
    message_ += s.str();
    return *this;
  }

  Severity severity() const { return severity_; }
  const LocalTime& time() const { return time_; }
  uint32_t threadId() const { return threadId_; }
  // "Class::Function" (namespace-qualified), derived from the compiler's
  // pretty function name; a lambda adds "::lambda".
  const std::string& function() const { return function_; }
  int line() const { return line_; }
  const std::string& message() const { return message_; }  // UTF-8

  void SetTimeForTesting(const LocalTime& time) { time_ = time; }
  void SetThreadIdForTesting(uint32_t id) { threadId_ = id; }

 private:
  Severity severity_;
  LocalTime time_;
  uint32_t threadId_;
  std::string function_;
  int line_;
  std::string message_;
};

// The qualified function name inside a compiler's pretty function text
// ("int ns::C::f(int) const" -> "ns::C::f").
std::string FunctionLabel(std::string_view prettyFunction);

// One formatted line: "2024-05-06 09:03:07.042 WARN  [5120] [wWinMain@12] text",
// every line feed turned into CR LF, encoded as UTF-8.
std::string FormatRecord(const Record& record);

class IAppender {
 public:
  virtual ~IAppender() = default;
  virtual void write(const Record& record) = 0;
};

class Logger {
 public:
  explicit Logger(Severity maxSeverity) : maxSeverity_(maxSeverity) {}
  Logger& addAppender(IAppender* appender);
  bool checkSeverity(Severity severity) const;
  void operator+=(const Record& record);

 private:
  Severity maxSeverity_;
  std::vector<IAppender*> appenders_;
};

// Creates logger instance 0 on the first call (later calls return it and add
// the appender). Not thread-safe: call before any other thread logs.
Logger& init(Severity maxSeverity, IAppender* appender);
// Logger instance 0, or null when init has not been called.
Logger* get();

// Appends formatted records to one file. The file is opened at the first
// record; when that fails every record of the run is dropped. While open,
// other writers are shut out (Windows: share mode; Linux: an exclusive flock).
// Writes are serialised by a lock, so lines never interleave.
class FileAppender : public IAppender {
 public:
  explicit FileAppender(std::wstring path);
  ~FileAppender() override;
  FileAppender(const FileAppender&) = delete;
  FileAppender& operator=(const FileAppender&) = delete;

  void write(const Record& record) override;

 private:
  bool OpenOnce();

  std::mutex lock_;
  std::wstring path_;
  bool openTried_ = false;
  intptr_t file_ = -1;  // platform file handle or descriptor; -1 when none
};

namespace detail {
uint32_t CurrentThreadId();
LocalTime Now();
// File primitives of the appender, per platform. Open returns -1 on failure.
intptr_t OpenLogFile(const std::wstring& path);
bool IsEmptyFile(intptr_t file);
bool WriteLogFile(intptr_t file, std::string_view bytes);
void CloseLogFile(intptr_t file);
}  // namespace detail

}  // namespace plog

#define PLOG_(severity)                                                        \
  if (!(plog::get() && plog::get()->checkSeverity(severity))) {               \
  } else                                                                       \
    (*plog::get()) += plog::Record(severity, __PRETTY_FUNCTION__, __LINE__).ref()

// A record under a fixed function label, for records whose label is part of the
// log's contract rather than of the code's structure.
#define PLOG_AS(severity, label)                                               \
  if (!(plog::get() && plog::get()->checkSeverity(severity))) {               \
  } else                                                                       \
    (*plog::get()) += plog::Record(severity, plog::Label{label}, __LINE__).ref()

#define PLOG_NONE PLOG_(plog::none)
#define PLOG_FATAL PLOG_(plog::fatal)
#define PLOG_ERROR PLOG_(plog::error)
#define PLOG_WARNING PLOG_(plog::warning)
#define PLOG_INFO PLOG_(plog::info)
#define PLOG_DEBUG PLOG_(plog::debug)
#define PLOG_VERBOSE PLOG_(plog::verbose)
