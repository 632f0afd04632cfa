#pragma once
// What the operating system says went wrong with a file, in the user's language: the C library's
// own texts follow the locale the program runs in, which is often English on a school's machines.

#include <string>

namespace tovel {

// "no hay permiso" for EACCES, "no existe" for ENOENT...; an unknown number is named as such.
std::string SystemErrorText(int error);

}  // namespace tovel
