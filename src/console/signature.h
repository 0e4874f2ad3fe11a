#pragma once
// Recognition of the kind of an input file by the signature at its start.
#include <string_view>

#include "formats/byte_view.h"

namespace zav {

enum class FileKind { Stage, Model, Unknown };

inline constexpr std::string_view kStageSignature = "ZAV Stage data Ver 0.72";
inline constexpr std::string_view kModelSignature = "ZAV Model data Ver 0.62";
// The second model signature: 23 opaque bytes compared byte for byte.
inline constexpr std::string_view kAltModelSignature =
    "\xa5\x82\xac\x58\x15\x98\x29\x8c\x85\x9f\x12\xc8\x84\x1f\x74\x8c\x8f\x42\x8f\xa8\x1b\x84\xaa";

// The bytes of the image up to its first NUL, or all of them.
std::string_view SignatureOf(ByteView image);

// The kind named by a signature, compared exactly in the order stage,
// second model signature, model.
FileKind RecognizeSignature(std::string_view signature);

}  // namespace zav
