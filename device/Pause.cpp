#include "device/Pause.h"

#include <chrono>
#include <thread>

void SleepMilliseconds(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
