#include "installer/shell_open.h"

#include "common/log/log.h"

namespace installer {

// The headless build has no desktop shell.
void OpenUrl(const std::wstring& url) { PLOG_INFO << "open " << url; }

}  // namespace installer
