#pragma once

#include <cstdint>

namespace sound {

class Sample;
class Stream;
class Song;

// The process-wide sound engine: samples, streams and songs mixed into one
// output. Every operation is safe to call from any thread; callers that also
// need several calls to act as one serialise them themselves. With the engine
// not running, loads answer null and plays -1.
class Engine {
public:
    enum Output { DefaultOutput = 0, PlainOutput = 1 };
    enum LoopMode { LoopOff = 1, LoopNormal = 2 };

    // Start-up settings, used by the next init(). Buffer length in milliseconds, -1 = default.
    static void setBufferSize(int milliseconds);
    static void setOutput(int output);
    // Opens the output device and starts mixing; false (engine not running) when no device opens.
    static bool init(int rate, int channels, int flags);
    // Starts the engine without a device: render() then produces the output.
    static bool initOffline(int rate, int channels);
    static void close();
    static bool isRunning();
    static int getOutputRate();
    static int getBufferFrames();  // the device's buffer, 0 offline
    // Mixes frames stereo frames into out; only for an engine started offline.
    static bool render(int16_t* out, int frames);
    // Master volume (0-255) of every sample and stream channel; songs are not affected.
    static void setEffectsVolume(int volume);

    // Samples: decoded whole (WAV or Ogg Vorbis). Freeing stops every channel playing it.
    static Sample* loadSample(const char* path);
    static Sample* loadSample(const void* data, int length);
    static int getDefaultFrequency(const Sample* sample);
    static void setLoopMode(Sample* sample, int mode);
    // startPaused lets the caller set volume and frequency before the first frame is heard.
    static int playSample(int channel, Sample* sample, bool startPaused = false);
    static void freeSample(Sample* sample);

    // Streams: decoded while they play. From memory the bytes are borrowed and
    // must outlive the stream. Playing starts from the beginning.
    static Stream* openStream(const char* path, int mode);
    static Stream* openStream(const void* data, int length, int mode);
    static int getDefaultFrequency(const Stream* stream);
    static void setLoopMode(Stream* stream, int mode);
    static int playStream(int channel, Stream* stream, bool startPaused = false);
    static bool stopStream(Stream* stream);
    static void closeStream(Stream* stream);

    // Songs: tracker modules, looping, with their own master volume.
    static Song* loadSong(const char* path);
    static Song* loadSong(const void* data, int length);
    static void freeSong(Song* song);
    static bool playSong(Song* song);
    static bool stopSong(Song* song);
    static bool setSongPaused(Song* song, bool paused);
    static bool isSongPlaying(Song* song);
    static bool isSongPaused(Song* song);
    static bool setSongMasterVolume(Song* song, int volume);

    // Channels, by the handle a play returned; a handle whose sound has ended
    // or been replaced is ignored.
    static bool setVolume(int channel, int volume);
    static bool setFrequency(int channel, int frequency);
    static int getFrequency(int channel);
    static bool setPaused(int channel, bool paused);
    static bool isPaused(int channel);
    static bool isPlaying(int channel);
    static bool stopChannel(int channel);
};

}  // namespace sound
