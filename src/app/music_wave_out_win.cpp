#include "app/music_wave_out_win.h"

#include <mmsystem.h>

#include <array>
#include <cstdint>
#include <vector>

#include "app/music_track.h"
#include "ui/win_handles_win.h"

namespace mf::app {
namespace {

// A second of music queued in four parts: enough that a busy machine does not starve the
// device, little enough that nothing is decoded long before it is heard.
constexpr int kBufferCount = 4;
constexpr int kBufferMilliseconds = 250;

// An open output device with its buffers. Closing stops what is queued and hands every
// buffer back before the device goes, whichever way the player leaves.
class QueuedWaveOut {
 public:
  QueuedWaveOut(HWAVEOUT device, std::size_t samplesPerBuffer) : device_(device) {
    for (Buffer& buffer : buffers_) buffer.samples.assign(samplesPerBuffer, 0);
  }
  ~QueuedWaveOut() {
    ::waveOutReset(device_);
    for (Buffer& buffer : buffers_)
      if (buffer.prepared) ::waveOutUnprepareHeader(device_, &buffer.header, sizeof buffer.header);
    ::waveOutClose(device_);
  }
  QueuedWaveOut(const QueuedWaveOut&) = delete;
  QueuedWaveOut& operator=(const QueuedWaveOut&) = delete;

  // Fills every buffer the device has finished with (all of them at the start) with the
  // next stretch of the loop and queues it again. False when the device refuses one.
  bool Refill(LoopingMusicTrack& track, int volumePercent) {
    for (Buffer& buffer : buffers_) {
      if (buffer.prepared && !(buffer.header.dwFlags & WHDR_DONE)) continue;
      track.Fill(buffer.samples);
      ScaleToVolume(buffer.samples, volumePercent);
      if (!buffer.prepared) {
        buffer.header = {};
        buffer.header.lpData = reinterpret_cast<LPSTR>(buffer.samples.data());
        buffer.header.dwBufferLength = static_cast<DWORD>(buffer.samples.size() * sizeof(std::int16_t));
        if (::waveOutPrepareHeader(device_, &buffer.header, sizeof buffer.header) != MMSYSERR_NOERROR) return false;
        buffer.prepared = true;
      }
      if (::waveOutWrite(device_, &buffer.header, sizeof buffer.header) != MMSYSERR_NOERROR) return false;
    }
    return true;
  }

 private:
  struct Buffer {
    std::vector<std::int16_t> samples;
    WAVEHDR header = {};
    bool prepared = false;
  };
  HWAVEOUT device_;
  std::array<Buffer, kBufferCount> buffers_;
};

}  // namespace

bool PlayThroughWaveOut(std::string_view oggBytes, int volumePercent, HANDLE stop) {
  std::optional<LoopingMusicTrack> track = LoopingMusicTrack::Open(oggBytes);
  if (!track) return false;
  // The device signals this each time it is done with a buffer.
  win::UniqueKernelHandle bufferDone(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
  if (!bufferDone) return false;

  WAVEFORMATEX format = {};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = static_cast<WORD>(track->channels());
  format.nSamplesPerSec = static_cast<DWORD>(track->sampleRate());
  format.wBitsPerSample = 16;
  format.nBlockAlign = static_cast<WORD>(format.nChannels * sizeof(std::int16_t));
  format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
  HWAVEOUT device = nullptr;
  if (::waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(bufferDone.get()), 0,
                    CALLBACK_EVENT) != MMSYSERR_NOERROR)
    return false;

  std::optional<QueuedWaveOut> output;
  try {
    output.emplace(device, FramesPerBuffer(track->sampleRate(), kBufferMilliseconds) * track->channels());
  } catch (const std::bad_alloc&) {
    ::waveOutClose(device);
    return false;
  }
  if (!output->Refill(*track, volumePercent)) return false;
  const HANDLE waits[] = {stop, bufferDone.get()};
  while (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1)
    if (!output->Refill(*track, volumePercent)) break;
  return true;
}

}  // namespace mf::app
