#include "console/signature.h"

#include <cstring>

namespace zav {

std::string_view SignatureOf(ByteView image) {
  const std::string_view bytes = image.Text();
  return bytes.substr(0, bytes.find('\0'));
}

FileKind RecognizeSignature(std::string_view signature) {
  if (signature == kStageSignature) return FileKind::Stage;
  if (signature == kAltModelSignature) return FileKind::Model;
  if (signature == kModelSignature) return FileKind::Model;
  return FileKind::Unknown;
}

}  // namespace zav
