// A number of bytes as a person reads it. Needs no system header.
#pragma once

#include <cstdint>
#include <string>

// "0 bytes", "1 byte", "512 bytes", "1.5 KB", "23.4 MB", "2.0 GB", up to "16.0 EB".
std::string SizeText(uint64_t bytes);
