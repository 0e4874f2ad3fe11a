#include "platform/pause.h"

#include <chrono>
#include <thread>

namespace zav {

void SleepFor(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace zav
