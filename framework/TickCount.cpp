#include "framework/TickCount.h"

#include <chrono>

namespace fw {

uint32_t TickCount()
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(ms);
}

}  // namespace fw
