#pragma once

// Plays the sound files of the chart's folder while the list stays responsive: a worker
// thread reads and decodes the file, then hands the result back to the window's thread,
// which starts it. WAVE and Ogg Vorbis play from memory through PlaySound, FLAC and MP3
// through the system's own decoders (MCI), where it has them. A new sound replaces the
// one playing, and one still being decoded is dropped when another is asked for.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "media/media_file.h"

class AuditionPlayer {
public:
    // The message posted to the window when a worker has prepared a sound; its LPARAM
    // goes to takePrepared.
    static constexpr UINT kPreparedMessage = WM_APP + 26;

    // Hands a prepared sound to the system; returns, to follow the file's name, why it
    // cannot play ("はここでは再生できません"), or an empty text. The default plays it;
    // the tests, which have no sound device, record it.
    using Output = std::function<std::string(const PlayableSound& sound, const std::string& path)>;

    // Prepared sounds are posted to window.
    explicit AuditionPlayer(HWND window);
    ~AuditionPlayer();
    AuditionPlayer(const AuditionPlayer&) = delete;
    AuditionPlayer& operator=(const AuditionPlayer&) = delete;

    // Starts preparing the sound at path (in the system's 8-bit encoding).
    void play(const std::string& path);
    // Stops what plays and drops what is being prepared.
    void stop();
    // On the window's thread, for kPreparedMessage: plays the sound unless another was
    // asked for since. Returns what the status bar should say: why the file does not
    // play, or an empty text.
    std::string takePrepared(LPARAM prepared);

    void setOutput(Output output) { output_ = std::move(output); }

private:
    std::string playOnSystem(const PlayableSound& sound, const std::string& path);
    void stopSystem();

    HWND window_;
    // Counts the requests; a prepared sound of an earlier one is dropped.
    uint64_t generation_ = 0;
    Output output_;
    // The file image PlaySound reads while it plays.
    std::vector<unsigned char> playing_;
    bool mciOpen_ = false;
};
