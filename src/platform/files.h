#pragma once
// File access of the converter: whole-file reads of the inputs, creation and
// removal of the outputs. Paths are used as typed, byte for byte.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace zav {

class InputFile {
 public:
  virtual ~InputFile() = default;
  // The size found by seeking to the end of the file.
  virtual uint64_t Size() = 0;
  // Reads the first `count` bytes of the file into `destination`.
  virtual bool ReadAll(uint8_t* destination, uint64_t count) = 0;
};

class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Writes raw bytes; false once anything failed to reach the file.
  virtual bool Write(const char* data, size_t count) = 0;
  // Closes the file; false when the close or an earlier write failed.
  virtual bool Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens a file for reading as raw bytes; null when it cannot be opened.
  virtual std::unique_ptr<InputFile> OpenForReading(const std::string& path) = 0;
  // Creates or truncates a file for writing raw bytes; null on failure.
  virtual std::unique_ptr<OutputFile> Create(const std::string& path) = 0;
  // Deletes a file; false when nothing was deleted.
  virtual bool Remove(const std::string& path) = 0;
  // True when both paths name one existing file (also through another
  // spelling of the same path).
  virtual bool SameFile(const std::string& a, const std::string& b) = 0;
};

// The file system of the machine the converter runs on.
class LocalFileSystem : public FileSystem {
 public:
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<OutputFile> Create(const std::string& path) override;
  bool Remove(const std::string& path) override;
  bool SameFile(const std::string& a, const std::string& b) override;
};

}  // namespace zav
