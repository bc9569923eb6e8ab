// Arbitrary bytes as the settings file: load and apply them, save, load again; what was saved must
// read back as the same settings.
#include "saver/saver.h"
#include "saver/settings.h"
#include "saver/settings_file.h"
#include "tests/support/saver_globals.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Values {
    int32_t count, desktop, names, shadows, change, motion, clear;
    float scale;
    bool operator==(const Values& o) const {
        return count == o.count && desktop == o.desktop && names == o.names && shadows == o.shadows &&
               change == o.change && motion == o.motion && clear == o.clear &&
               std::memcmp(&scale, &o.scale, sizeof scale) == 0;
    }
};

Values Read(const TSaver& saver) {
    return {saver.ChilliCount, UseDesktop, ShowNames,   Shadows,
            ChangeChillies,    MotionMode, ClearScreen, saver.ChilliScale};
}

// A folder of this process's own for the file, removed at exit.
const SettingsPaths& Paths() {
    static const SettingsPaths paths = [] {
        static std::string folder = "/tmp/capsaro-fuzz-settings-" + std::to_string(getpid());
        static std::string user = folder + "/user";
        mkdir(folder.c_str(), 0700);
        std::atexit([] {
            std::remove((folder + "/Capsaro.cfg").c_str());
            std::remove((user + "/Capsaro.cfg").c_str());
            rmdir(user.c_str());
            rmdir(folder.c_str());
        });
        return SettingsPaths{folder + "/Capsaro.cfg", user + "/Capsaro.cfg"};
    }();
    return paths;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const SettingsPaths& paths = Paths();
    std::FILE* file = std::fopen(paths.programFile.c_str(), "wb");
    if (!file) std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    TSaver saver;
    ResetSaverSettings(&saver);
    LoadSettingsFrom(saver, paths);
    const Values loaded = Read(saver);
    SaveSettingsTo(saver, paths);

    TSaver again;
    ResetSaverSettings(&again);
    LoadSettingsFrom(again, paths);
    if (!(Read(again) == loaded)) {
        std::fprintf(stderr, "settings saved as loaded did not read back the same\n");
        std::abort();
    }
    return 0;
}
