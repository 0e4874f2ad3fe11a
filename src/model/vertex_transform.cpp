#include "model/vertex_transform.h"

#include "model/fixed_point.h"

namespace zav {

MeshInverse::MeshInverse(const ObjectRecord& owner) {
  int64_t m[3][3];
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) m[r][c] = owner.meshTm(r, c);
  for (int j = 0; j < 3; ++j) {
    // The 2×2 minor without row j and column k, signed by (-1)^(j+k): the
    // rows and columns taken cyclically give the sign by themselves.
    const int r0 = (j + 1) % 3, r1 = (j + 2) % 3;
    for (int k = 0; k < 3; ++k) {
      const int c0 = (k + 1) % 3, c1 = (k + 2) % 3;
      cofactor_[j][k] = static_cast<__int128>(m[r0][c0]) * m[r1][c1] - static_cast<__int128>(m[r0][c1]) * m[r1][c0];
    }
  }
  determinant_ = m[0][0] * cofactor_[0][0] + m[0][1] * cofactor_[0][1] + m[0][2] * cofactor_[0][2];
  for (int c = 0; c < 3; ++c) translation_[c] = owner.meshTm(3, c);
}

std::array<float, 3> MeshInverse::Apply(const VertexRecord& vertex) const {
  const int64_t d[3] = {static_cast<int64_t>(vertex.x) - translation_[0],
                        static_cast<int64_t>(vertex.y) - translation_[1],
                        static_cast<int64_t>(vertex.z) - translation_[2]};
  std::array<float, 3> result{};
  for (int j = 0; j < 3; ++j) {
    if (determinant_ == 0) {
      result[j] = FixedToFloat(d[j]);
      continue;
    }
    const __int128 n = d[0] * cofactor_[j][0] + d[1] * cofactor_[j][1] + d[2] * cofactor_[j][2];
    const __int128 x = (n * 256) / determinant_;  // truncates toward zero
    // Rounded once to single precision, then scaled exactly by 1/256.
    result[j] = static_cast<float>(x) * kFixedUnit;
  }
  return result;
}

}  // namespace zav
