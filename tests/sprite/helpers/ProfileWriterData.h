#pragma once

#include <cstdint>
#include <vector>

// What the profile writer helper stores in its loop, so the test can tell a
// value that was written whole from a torn one.
namespace profilewriter {

inline int blobLength(int round) { return 16 + (round * 7919) % 12000; }

// The round number in the first four bytes, then bytes that depend on both.
inline std::vector<uint8_t> blobFor(int round) {
    std::vector<uint8_t> bytes(static_cast<size_t>(blobLength(round)));
    uint32_t r = static_cast<uint32_t>(round);
    for (int k = 0; k < 4; ++k) bytes[static_cast<size_t>(k)] = static_cast<uint8_t>(r >> (8 * k));
    for (size_t k = 4; k < bytes.size(); ++k) bytes[k] = static_cast<uint8_t>((round + static_cast<int>(k)) & 0xff);
    return bytes;
}

inline int roundOf(const uint8_t* bytes, int length) {
    if (length < 4) return -1;
    return static_cast<int>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24);
}

inline int scoreFor(int round) { return (round * 37) % 1000; }

}  // namespace profilewriter
