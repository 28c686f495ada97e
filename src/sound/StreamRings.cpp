#include "sound/Song.h"
#include "sound/Stream.h"

namespace sound {
namespace {
// About 0.7 s at 44.1 kHz: the feeder tops a ring up when the mixer has drained
// it to half, so the other half rides out scheduling hiccups.
constexpr int kRingFrames = 32768;
}  // namespace

Stream::Stream(Decoder* decoder) : source_(decoder, kRingFrames) {}

Song::Song(Decoder* decoder) : source_(decoder, kRingFrames) {}

}  // namespace sound
