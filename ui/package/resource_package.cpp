#include "ui/package/resource_package.h"

#include <memory>
#include <mutex>

#include "common/base/strings.h"
#include "common/log/log.h"
#include "ui/package/zip_archive.h"

namespace SkinUI {
namespace {

struct PackageState {
  std::mutex lock;
  std::shared_ptr<const ZipArchive> archive;
  void* instance = nullptr;
};

PackageState& State() {
  static PackageState state;
  return state;
}

}  // namespace

bool RegisterResourcePackage(std::span<const uint8_t> bytes) {
  PackageState& state = State();
  std::lock_guard<std::mutex> hold(state.lock);
  if (state.archive && state.archive->ByteSize() == bytes.size()) return state.archive->IsValid();
  auto archive = std::make_shared<const ZipArchive>(bytes);
  if (!archive->IsValid()) {
    PLOG_ERROR << "skin package of " << bytes.size() << " bytes is not a readable zip archive";
  }
  state.archive = std::move(archive);
  return state.archive->IsValid();
}

std::optional<std::vector<uint8_t>> ReadResourceFile(std::wstring_view path) {
  std::shared_ptr<const ZipArchive> archive;
  {
    PackageState& state = State();
    std::lock_guard<std::mutex> hold(state.lock);
    archive = state.archive;
  }
  if (!archive) return std::nullopt;
  return archive->ReadFile(base::WideToAnsi(path));
}

void ReleaseResourcePackage() {
  PackageState& state = State();
  std::lock_guard<std::mutex> hold(state.lock);
  state.archive.reset();
}

size_t ResourcePackageSize() {
  PackageState& state = State();
  std::lock_guard<std::mutex> hold(state.lock);
  return state.archive ? state.archive->ByteSize() : 0;
}

void SetResourceInstance(void* instance) {
  PackageState& state = State();
  std::lock_guard<std::mutex> hold(state.lock);
  state.instance = instance;
}

void* GetResourceInstance() {
  PackageState& state = State();
  std::lock_guard<std::mutex> hold(state.lock);
  return state.instance;
}

}  // namespace SkinUI
