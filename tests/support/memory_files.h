#pragma once
// An in-memory file system for tests: files are byte vectors in a map; opens,
// writes and sizes can be made to fail.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"

namespace zav::testing {

using Bytes = std::vector<uint8_t>;

class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, Bytes> files;
  // Paths that cannot be created for writing.
  std::set<std::string> unwritable;
  // Paths that cannot be opened for reading although they exist.
  std::set<std::string> unreadable;
  // Sizes reported for these paths instead of their content's size.
  std::map<std::string, uint64_t> reportedSizes;
  // When set, writes fail once this many bytes were written to one output.
  std::optional<size_t> diskSpace;
  // Every path opened for reading, in order.
  std::vector<std::string> opened;
  // Every path removed, in order.
  std::vector<std::string> removed;

  void Add(const std::string& path, Bytes bytes) { files[path] = std::move(bytes); }
  std::string Text(const std::string& path) const;
  bool Exists(const std::string& path) const { return files.count(path) != 0; }

  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<OutputFile> Create(const std::string& path) override;
  bool Remove(const std::string& path) override;
  bool SameFile(const std::string& a, const std::string& b) override;
};

}  // namespace zav::testing
