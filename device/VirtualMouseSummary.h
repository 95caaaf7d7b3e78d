#pragma once
// What a virtual mouse holds, as readable lines: rate, button set, DPI
// levels, colours, lighting, lift-off, the 32 button codes, and the macros
// and guns the button codes refer to.

#include <cstdint>
#include <string>
#include <vector>

struct VirtualMouseState;

std::vector<std::string> DescribeVirtualMouse(const VirtualMouseState& state, int32_t sensor);
