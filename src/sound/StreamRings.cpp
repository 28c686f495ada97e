#include "sound/Song.h"
#include "sound/Stream.h"

namespace sound {
namespace {
// About 0.7 s at 44.1 kHz: the feeder tops rings up every few milliseconds, so this
// rides out scheduling hiccups even at a high playback speed.
constexpr int kRingFrames = 32768;
}  // namespace

Stream::Stream(Decoder* decoder) : source_(decoder, kRingFrames) {}

Song::Song(Decoder* decoder) : source_(decoder, kRingFrames) {}

}  // namespace sound
