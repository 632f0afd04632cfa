#pragma once
// What the program body sets up once for the whole run.

namespace tovel {

constexpr const char* kVersionText = " V2.0";

}  // namespace tovel
