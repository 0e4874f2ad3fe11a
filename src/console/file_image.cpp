#include "console/file_image.h"

#include <limits>
#include <new>

namespace zav {

LoadedFile LoadFileImage(FileSystem& files, const std::string& path) {
  LoadedFile loaded;
  loaded.file = files.OpenForReading(path);
  if (!loaded.file) {
    loaded.status = LoadStatus::CannotOpen;
    return loaded;
  }
  loaded.size = loaded.file->Size();
  if (loaded.size == 0) {
    loaded.status = LoadStatus::Empty;
    return loaded;
  }
  if (loaded.size > std::numeric_limits<uint32_t>::max()) {
    loaded.status = LoadStatus::CannotAllocate;
    return loaded;
  }
  std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[loaded.size]);
  if (!bytes) {
    loaded.status = LoadStatus::CannotAllocate;
    return loaded;
  }
  if (!loaded.file->ReadAll(bytes.get(), loaded.size)) {
    loaded.status = LoadStatus::CannotRead;
    return loaded;
  }
  loaded.image = FileImage(std::move(bytes), static_cast<uint32_t>(loaded.size));
  loaded.status = LoadStatus::Loaded;
  return loaded;
}

}  // namespace zav
