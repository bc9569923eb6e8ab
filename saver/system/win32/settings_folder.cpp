// The user's settings folder on Windows from the application-data folder and the program's folder.
#include "saver/system/win32/settings_folder.h"

#include "runtime/file_paths.h"

std::string UserSettingsFolderFor(const std::string& appData, const std::string& programDirectory) {
    std::string path = appData.empty() ? programDirectory : appData;
    for (char& c : path)
        if (c == '\\') c = '/';
    return JoinPath(path, "Capsaro");
}
