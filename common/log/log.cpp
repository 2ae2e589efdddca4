#include "common/log/log.h"

#include <fmt/format.h>

#include <memory>

#include "common/base/strings.h"

namespace plog {

const char* SeverityName(Severity severity) {
  switch (severity) {
    case none: return "NONE";
    case fatal: return "FATAL";
    case error: return "ERROR";
    case warning: return "WARN";
    case info: return "INFO";
    case debug: return "DEBUG";
    case verbose: return "VERB";
  }
  return "NONE";
}

std::string FunctionLabel(std::string_view pretty) {
  // The name ends at the parameter list: the first '(' outside template
  // brackets, except the one of "operator()".
  int depth = 0;
  size_t open = std::string_view::npos;
  for (size_t i = 0; i < pretty.size(); ++i) {
    const char c = pretty[i];
    if (pretty.substr(i).starts_with("(anonymous namespace)")) {  // clang's spelling
      i += std::string_view("(anonymous namespace)").size() - 1;
      continue;
    }
    if (c == '<') ++depth;
    else if (c == '>' && depth > 0) --depth;
    else if (c == '(' && depth == 0) {
      if (pretty.substr(0, i).ends_with("operator") && pretty.substr(i, 2) == "()") {
        ++i;
        continue;
      }
      open = i;
      break;
    }
  }
  std::string_view head = pretty.substr(0, open);
  // Drop the return type: everything up to the last space outside brackets.
  depth = 0;
  size_t start = 0;
  for (size_t i = 0; i < head.size(); ++i) {
    const char c = head[i];
    if (c == '<') ++depth;
    else if (c == '>' && depth > 0) --depth;
    else if (c == ' ' && depth == 0 && !head.substr(0, i).ends_with("operator")) start = i + 1;
  }
  std::string label(head.substr(start));
  // Lambdas: "Outer::f()::<lambda(int)>" names the enclosing function.
  if (open != std::string_view::npos && pretty.find("::<lambda", open) != std::string_view::npos)
    label += "::lambda";
  return label;
}

Record::Record(Severity severity, const char* prettyFunction, int line)
    : severity_(severity),
      time_(detail::Now()),
      threadId_(detail::CurrentThreadId()),
      function_(FunctionLabel(prettyFunction)),
      line_(line) {}

Record::Record(Severity severity, Label label, int line)
    : severity_(severity),
      time_(detail::Now()),
      threadId_(detail::CurrentThreadId()),
      function_(label.text),
      line_(line) {}

Record& Record::operator<<(const char* text) {
  if (!text) return *this << std::string_view("(null)");
  return *this << std::string_view(text);
}

Record& Record::operator<<(std::string_view text) {
  message_ += base::WideToUtf8(base::AnsiToWide(text));
  return *this;
}

Record& Record::operator<<(const wchar_t* text) {
  if (!text) return *this << std::string_view("(null)");
  return *this << std::wstring_view(text);
}

Record& Record::operator<<(std::wstring_view text) {
  message_ += base::WideToUtf8(text);
  return *this;
}

std::string FormatRecord(const Record& r) {
  const LocalTime& t = r.time();
  std::string line = fmt::format("{:04}-{:02}-{:02} {:02}:{:02}:{:02}.{:03} {:<5} [{}] [{}@{}] {}\n",
                                 t.year, t.month, t.day, t.hour, t.minute, t.second,
                                 t.millisecond, SeverityName(r.severity()), r.threadId(),
                                 r.function(), r.line(), r.message());
  std::string out;
  out.reserve(line.size() + 8);
  for (char c : line) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

Logger& Logger::addAppender(IAppender* appender) {
  if (appender) appenders_.push_back(appender);
  return *this;
}

bool Logger::checkSeverity(Severity severity) const {
  // DEBUG and VERB are never written, whatever the logger's maximum.
  return severity <= maxSeverity_ && severity <= info;
}

void Logger::operator+=(const Record& record) {
  for (IAppender* a : appenders_) a->write(record);
}

namespace {
std::unique_ptr<Logger>& Instance() {
  static std::unique_ptr<Logger> logger;
  return logger;
}
}  // namespace

Logger& init(Severity maxSeverity, IAppender* appender) {
  auto& logger = Instance();
  if (!logger) logger = std::make_unique<Logger>(maxSeverity);
  return logger->addAppender(appender);
}

Logger* get() { return Instance().get(); }

FileAppender::FileAppender(std::wstring path) : path_(std::move(path)) {}

FileAppender::~FileAppender() {
  if (file_ != -1) detail::CloseLogFile(file_);
}

bool FileAppender::OpenOnce() {
  if (!openTried_) {
    openTried_ = true;
    file_ = detail::OpenLogFile(path_);
    if (file_ != -1 && detail::IsEmptyFile(file_)) detail::WriteLogFile(file_, "\xEF\xBB\xBF");
  }
  return file_ != -1;
}

void FileAppender::write(const Record& record) {
  const std::string line = FormatRecord(record);
  std::lock_guard<std::mutex> guard(lock_);
  if (!OpenOnce()) return;
  detail::WriteLogFile(file_, line);  // a failed write is dropped, never retried
}

}  // namespace plog
