#include "support/memory_files.h"

#include <algorithm>
#include <cstring>

namespace zav::testing {

namespace {

class MemoryInput : public InputFile {
 public:
  MemoryInput(const Bytes& bytes, uint64_t size) : bytes_(bytes), size_(size) {}
  uint64_t Size() override { return size_; }
  bool ReadAll(uint8_t* destination, uint64_t count) override {
    if (count > bytes_.size()) return false;
    if (count > 0) std::memcpy(destination, bytes_.data(), static_cast<size_t>(count));
    return true;
  }

 private:
  const Bytes& bytes_;
  uint64_t size_;
};

class MemoryOutput : public OutputFile {
 public:
  MemoryOutput(Bytes& bytes, std::optional<size_t> space) : bytes_(bytes), space_(space) {}
  bool Write(const char* data, size_t count) override {
    if (space_ && bytes_.size() + count > *space_) ok_ = false;
    if (ok_) bytes_.insert(bytes_.end(), data, data + count);
    return ok_;
  }
  bool Close() override { return ok_; }

 private:
  Bytes& bytes_;
  std::optional<size_t> space_;
  bool ok_ = true;
};

}  // namespace

std::string MemoryFileSystem::Text(const std::string& path) const {
  auto it = files.find(path);
  if (it == files.end()) return {};
  return std::string(it->second.begin(), it->second.end());
}

std::unique_ptr<InputFile> MemoryFileSystem::OpenForReading(const std::string& path) {
  opened.push_back(path);
  auto it = files.find(path);
  if (it == files.end() || unreadable.count(path)) return nullptr;
  auto size = reportedSizes.find(path);
  return std::make_unique<MemoryInput>(it->second, size == reportedSizes.end() ? it->second.size() : size->second);
}

std::unique_ptr<OutputFile> MemoryFileSystem::Create(const std::string& path) {
  if (unwritable.count(path)) return nullptr;
  Bytes& bytes = files[path];
  bytes.clear();
  return std::make_unique<MemoryOutput>(bytes, diskSpace);
}

bool MemoryFileSystem::Remove(const std::string& path) {
  removed.push_back(path);
  return files.erase(path) != 0;
}

bool MemoryFileSystem::SameFile(const std::string& a, const std::string& b) {
  return a == b && Exists(a);
}

}  // namespace zav::testing
