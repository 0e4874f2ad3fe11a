#include "platform/files.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace zav {

namespace {

int SeekTo(std::FILE* file, int64_t offset, int origin) {
#ifdef _WIN32
  return _fseeki64(file, offset, origin);
#else
  return fseeko(file, static_cast<off_t>(offset), origin);
#endif
}

int64_t Tell(std::FILE* file) {
#ifdef _WIN32
  return _ftelli64(file);
#else
  return static_cast<int64_t>(ftello(file));
#endif
}

class LocalInputFile : public InputFile {
 public:
  explicit LocalInputFile(std::FILE* file) : file_(file) {}
  ~LocalInputFile() override { std::fclose(file_); }

  uint64_t Size() override {
    if (SeekTo(file_, 0, SEEK_END) != 0) return 0;
    const int64_t end = Tell(file_);
    return end < 0 ? 0 : static_cast<uint64_t>(end);
  }

  bool ReadAll(uint8_t* destination, uint64_t count) override {
    if (SeekTo(file_, 0, SEEK_SET) != 0) return false;
    while (count > 0) {
      const size_t chunk = count > (1u << 30) ? (1u << 30) : static_cast<size_t>(count);
      const size_t got = std::fread(destination, 1, chunk, file_);
      if (got != chunk) return false;
      destination += got;
      count -= got;
    }
    return true;
  }

 private:
  std::FILE* file_;
};

class LocalOutputFile : public OutputFile {
 public:
  explicit LocalOutputFile(std::FILE* file) : file_(file) {}
  ~LocalOutputFile() override {
    if (file_ != nullptr) std::fclose(file_);
  }

  bool Write(const char* data, size_t count) override {
    if (file_ == nullptr) return false;
    if (count > 0 && std::fwrite(data, 1, count, file_) != count) ok_ = false;
    return ok_;
  }

  bool Close() override {
    if (file_ == nullptr) return false;
    // fflush first: a full disk often shows only when the buffer is written.
    if (std::fflush(file_) != 0) ok_ = false;
    if (std::fclose(file_) != 0) ok_ = false;
    file_ = nullptr;
    return ok_;
  }

 private:
  std::FILE* file_;
  bool ok_ = true;
};

}  // namespace

std::unique_ptr<InputFile> LocalFileSystem::OpenForReading(const std::string& path) {
  // A directory opens as a stream on some systems but holds no file to read.
  std::error_code error;
  if (std::filesystem::is_directory(std::filesystem::path(path), error)) return nullptr;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return nullptr;
  return std::make_unique<LocalInputFile>(file);
}

std::unique_ptr<OutputFile> LocalFileSystem::Create(const std::string& path) {
  // Binary mode: the text carries its own CR LF line ends on every platform.
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return nullptr;
  return std::make_unique<LocalOutputFile>(file);
}

bool LocalFileSystem::Remove(const std::string& path) {
  return std::remove(path.c_str()) == 0;
}

bool LocalFileSystem::SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  const bool same = std::filesystem::equivalent(std::filesystem::path(a),
                                                std::filesystem::path(b), error);
  return !error && same;
}

}  // namespace zav
