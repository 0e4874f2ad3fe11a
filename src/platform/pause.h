#pragma once
// Every pause of the converter goes through one injected function, so tests
// and batch runs never sleep.
#include <functional>

namespace zav {

using Pause = std::function<void(int milliseconds)>;

// Blocks the calling thread for the given time.
void SleepFor(int milliseconds);

// A pause that returns at once.
inline void NoPause(int) {}

}  // namespace zav
