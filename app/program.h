#pragma once
// What the program body sets up once for the whole run.

namespace tovel {

constexpr const char* kVersionText = " V" TOVEL_VERSION;

}  // namespace tovel
