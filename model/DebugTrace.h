#pragma once
// Diagnostics for developers: written to stderr when VESTREL_DEBUG is set,
// silent otherwise. Takes printf-style formats like the traces it replaces.

void DebugTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));
