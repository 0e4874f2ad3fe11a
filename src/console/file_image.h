#pragma once
// Input files read whole into one buffer of exactly their size.
#include <cstdint>
#include <memory>
#include <string>

#include "formats/byte_view.h"
#include "platform/files.h"

namespace zav {

// The complete content of one input file.
class FileImage {
 public:
  FileImage() = default;
  FileImage(std::unique_ptr<uint8_t[]> bytes, uint32_t size) : bytes_(std::move(bytes)), size_(size) {}
  uint32_t size() const { return size_; }
  ByteView view() const { return ByteView(bytes_.get(), size_); }

 private:
  std::unique_ptr<uint8_t[]> bytes_;
  uint32_t size_ = 0;
};

enum class LoadStatus { Loaded, CannotOpen, Empty, CannotAllocate, CannotRead };

// A loaded input: the image and the file it came from, which stays open until
// the conversion is over (members are released image first, then file).
struct LoadedFile {
  LoadStatus status = LoadStatus::CannotOpen;
  uint64_t size = 0;
  std::unique_ptr<InputFile> file;
  FileImage image;
};

// Opens `path`, finds its size, allocates a buffer of exactly that size and
// reads the file into it. A file of 4 GiB or more cannot be held in one image
// and counts as a failed allocation.
LoadedFile LoadFileImage(FileSystem& files, const std::string& path);

}  // namespace zav
