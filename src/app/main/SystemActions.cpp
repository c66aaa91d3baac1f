#include "app/main/SystemActions.h"

#include "media/loader/FFmpegLoader.h"
#include "media/loader/FFmpegLoaderSDL.h"
#include "platform/rtl/Files.h"
#include "platform/shell/ShellLauncher.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/MessageBox.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace tovrel {

namespace {

class TDesktopSystemActions : public ISystemActions {
public:
    ~TDesktopSystemActions() override { CloseSound(); }

    void OpenFolder(const std::string& folder) override { ShellLauncher()->Open(folder, folder); }

    void PlaySound(const std::string& file) override
    {
        if (!FileExists(file) || !LoadAudio())
            return;
        // The device of the last chime is closed here or at exit, so no
        // thread has to wait for the sound to end.
        CloseSound();
        SDL_AudioSpec format{};
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        if (!SDL.SDL_LoadWAV_RW(SDL.SDL_RWFromFile(file.c_str(), "rb"), 1, &format, &buffer, &length))
            return;
        device_ = SDL.SDL_OpenAudioDevice(nullptr, 0, &format, nullptr, 0);
        if (device_ != 0) {
            SDL.SDL_QueueAudio(device_, buffer, length);
            SDL.SDL_PauseAudioDevice(device_, 0);
        }
        SDL.SDL_FreeWAV(buffer);
    }

    void PowerOff() override
    {
        // logind decides through polkit, and respects inhibitors: nothing is
        // forced. A refusal is the user's to see in the system's log.
        char* const argv[] = {const_cast<char*>("systemctl"), const_cast<char*>("poweroff"), nullptr};
        pid_t child = 0;
        if (posix_spawnp(&child, "systemctl", nullptr, nullptr, argv, environ) == 0) {
            int status = 0;
            waitpid(child, &status, 0);
        }
    }

    void ShowWarning(const std::string& text) override { Application->MessageBox(text, "", MB_OK | MB_ICONWARNING); }

private:
    bool LoadAudio()
    {
        if (!audioReady_) {
            std::string message;
            audioReady_ = GlobalFFmpegLoader().LoadAVLib(TLibraries{TLibrary::lbSDL}, "", message) &&
                          SDL.SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        }
        return audioReady_;
    }
    void CloseSound()
    {
        if (device_ != 0)
            SDL.SDL_CloseAudioDevice(device_);
        device_ = 0;
    }

    bool audioReady_ = false;
    SDL_AudioDeviceID device_ = 0;
};

} // namespace

std::shared_ptr<ISystemActions> DesktopSystemActions()
{
    return std::make_shared<TDesktopSystemActions>();
}

} // namespace tovrel
