#include "app/log_setup.h"

#include <fmt/xchar.h>

#include "common/base/file_util.h"
#include "common/base/path.h"
#include "common/log/log.h"

namespace app {

std::wstring LogFilePathFor(const std::wstring& executablePath) {
  const std::wstring name = base::FindFileName(executablePath);
  std::wstring folder = executablePath;
  base::RemoveFileSpec(folder);
  if (!base::IsDirectory(folder)) return {};
  base::Append(folder, fmt::format(L"log\\{}.log", name));
  return folder;
}

void InitLogging() {
  const std::wstring path = LogFilePathFor(base::ModuleFilePath());
  if (!path.empty()) {
    // Statics, so that they outlive the entry function; the life-span marker is
    // constructed after them and therefore destroyed before them.
    static plog::FileAppender appender(path);
    plog::init(plog::info, &appender);
  }
  static plogext::CLifeSpanLog lifeSpan;
}

}  // namespace app

namespace plogext {

CLifeSpanLog::CLifeSpanLog() { PLOG_NONE << "Log init"; }
CLifeSpanLog::~CLifeSpanLog() { PLOG_NONE << "Log uninit"; }

}  // namespace plogext
