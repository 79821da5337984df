#pragma once

#include <cstdint>

struct Show;

// The ferry from above on the open sea, its wind vane, the wind-speed label and the logo.
void WindVaneScene(const Show& show, std::uint32_t t);
