#pragma once
// Vertices are stored in the space of a mesh matrix; they are written back in
// object space as (v - t) · m⁻¹, with m the 3×3 linear part of the matrix and
// t its translation row, all in 24.8 units.
//
// The inverse is taken exactly: the cofactors and the determinant are whole
// numbers, each component is one integer division truncating toward zero.
// Offsets reach 2^33 and cofactors 2^63, so the sums run in 128 bits and no
// value of a 32-bit field can overflow them.
#include <array>
#include <cstdint>

#include "formats/model_file.h"

#if !defined(__SIZEOF_INT128__)
#error "The exact vertex transform needs a compiler with 128-bit integers"
#endif

namespace zav {

class MeshInverse {
 public:
  // The inverse of the meshTm of `owner` (the object itself, or the bone a
  // skinned vertex follows).
  explicit MeshInverse(const ObjectRecord& owner);

  // False when the determinant of the 3×3 part is 0.
  bool invertible() const { return determinant_ != 0; }

  // The vertex in object space, as the three values written. A matrix that
  // cannot be inverted gives the untransformed offsets (v - t) / 256.
  std::array<float, 3> Apply(const VertexRecord& vertex) const;

 private:
  __int128 cofactor_[3][3];  // cofactor_[j][k]: of element (j, k)
  __int128 determinant_;
  int64_t translation_[3];
};

}  // namespace zav
