#include "model/DebugTrace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

void DebugTrace(const char* format, ...)
{
    static const bool enabled = std::getenv("VESTREL_DEBUG") != nullptr;
    if (!enabled)
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
}
