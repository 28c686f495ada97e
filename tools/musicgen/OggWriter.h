#pragma once

#include <string>
#include <vector>

namespace musicgen {

// Encodes mono samples (-1..1) as Ogg Vorbis at the given VBR quality. The
// stream serial number is fixed so that equal input gives equal bytes.
void writeOggVorbis(const std::string& path, const std::vector<float>& samples, int rate, float quality);

}  // namespace musicgen
