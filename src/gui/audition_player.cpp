#include "gui/audition_player.h"

#include <memory>
#include <mmsystem.h>
#include <thread>

namespace {

// What a worker hands back to the window's thread.
struct PreparedSound {
    uint64_t generation;
    std::string path;
    PlayableSound sound;
};

constexpr const char* kMciAlias = "quelmarn_audition";

// The file name after the last separator, as the status bar names the file.
std::string fileNameOf(const std::string& path)
{
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

} // namespace

AuditionPlayer::AuditionPlayer(HWND window)
    : window_(window)
    , output_([this](const PlayableSound& sound, const std::string& path) { return playOnSystem(sound, path); })
{
}

AuditionPlayer::~AuditionPlayer()
{
    stop();
}

void AuditionPlayer::play(const std::string& path)
{
    stop();
    const uint64_t generation = generation_;
    const HWND window = window_;
    // Detached: a worker whose window is gone drops its result, and one still decoding
    // when the program ends is ended with it.
    std::thread([generation, path, window] {
        auto prepared = std::make_unique<PreparedSound>(PreparedSound { generation, path, prepareSound(path) });
        if (PostMessageA(window, kPreparedMessage, 0, reinterpret_cast<LPARAM>(prepared.get())))
            prepared.release();
    }).detach();
}

void AuditionPlayer::stop()
{
    ++generation_;
    stopSystem();
}

std::string AuditionPlayer::takePrepared(LPARAM lParam)
{
    const std::unique_ptr<PreparedSound> prepared(reinterpret_cast<PreparedSound*>(lParam));
    if (!prepared || prepared->generation != generation_)
        return {};
    const std::string name = fileNameOf(prepared->path);
    if (prepared->sound.way == PlayableSound::Way::None)
        return name + " を再生できません: " + prepared->sound.info.problem;
    const std::string problem = output_(prepared->sound, prepared->path);
    return problem.empty() ? std::string() : name + ' ' + problem;
}

std::string AuditionPlayer::playOnSystem(const PlayableSound& sound, const std::string& path)
{
    stopSystem();
    if (sound.way == PlayableSound::Way::WavImage) {
        playing_ = sound.wavFile;
        if (!PlaySoundA(
                reinterpret_cast<const char*>(playing_.data()), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT))
            return "を再生できません";
        return {};
    }
    const std::string open = "open \"" + path + "\" type mpegvideo alias " + kMciAlias;
    if (mciSendStringA(open.c_str(), nullptr, 0, nullptr) != 0)
        return "はここでは再生できません";
    mciOpen_ = true;
    const std::string start = std::string("play ") + kMciAlias;
    if (mciSendStringA(start.c_str(), nullptr, 0, nullptr) != 0)
        return "はここでは再生できません";
    return {};
}

void AuditionPlayer::stopSystem()
{
    // Stops a sound from memory before its buffer may go.
    PlaySoundA(nullptr, nullptr, 0);
    playing_.clear();
    if (mciOpen_) {
        const std::string close = std::string("close ") + kMciAlias;
        mciSendStringA(close.c_str(), nullptr, 0, nullptr);
        mciOpen_ = false;
    }
}
