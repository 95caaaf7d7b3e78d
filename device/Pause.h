#pragma once
// The pauses the mouse needs between reports. They are injected so that
// traces and tests can record them instead of waiting.

#include <functional>

using SleepFunction = std::function<void(int milliseconds)>;

// Really waits; what the program uses with a real or virtual mouse.
void SleepMilliseconds(int milliseconds);
