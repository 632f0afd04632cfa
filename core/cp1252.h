#pragma once
// Windows-1252 at the file boundary: every text stored on disk is Windows-1252, every text in
// memory is UTF-8.

#include <string>
#include <string_view>

namespace tovel {

// Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in Windows-1252; they map to the C1
// control of the same value so that a round trip keeps them.
std::string Cp1252ToUtf8(std::string_view bytes);

// Characters without a Windows-1252 byte become '?'; malformed UTF-8 bytes too.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace tovel
