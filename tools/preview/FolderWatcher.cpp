#include "FolderWatcher.hpp"

#include <fstream>
#include <functional>

namespace fs = std::filesystem;

namespace {
void mix(std::size_t& print, std::size_t value)
{
    print ^= value + 0x9e3779b97f4a7c15ULL + (print << 6) + (print >> 2);
}

void mixFile(std::size_t& print, const fs::path& path)
{
    std::error_code error;
    mix(print, std::hash<std::string>()(path.string()));
    mix(print, static_cast<std::size_t>(fs::file_size(path, error)));
    mix(print, static_cast<std::size_t>(fs::last_write_time(path, error).time_since_epoch().count()));
}

// The value of `key` in a CMakeCache.txt ("KEY:TYPE=value"), or "".
std::string cacheValue(const fs::path& cache, const std::string& key)
{
    std::ifstream in(cache);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t colon = line.find(':');
        const std::size_t equals = line.find('=');
        if (colon != std::string::npos && equals != std::string::npos && colon < equals &&
            line.compare(0, colon, key) == 0 && colon == key.size())
            return line.substr(equals + 1);
    }
    return "";
}
}

FolderWatcher::FolderWatcher(std::vector<WatchedGroup> groups)
    : m_groups(std::move(groups))
{
    for (const WatchedGroup& group : m_groups)
        m_prints.push_back(fingerprint(group));
}

std::vector<const WatchedGroup*> FolderWatcher::poll()
{
    std::vector<const WatchedGroup*> changed;
    for (std::size_t i = 0; i < m_groups.size(); ++i) {
        const std::size_t print = fingerprint(m_groups[i]);
        if (print != m_prints[i])
            changed.push_back(&m_groups[i]);
        m_prints[i] = print;
    }
    return changed;
}

std::size_t FolderWatcher::fingerprint(const WatchedGroup& group)
{
    std::size_t print = 0;
    for (const fs::path& root : group.roots) {
        std::error_code error;
        if (!fs::is_directory(root, error)) {
            mixFile(print, root);
            continue;
        }
        for (fs::recursive_directory_iterator entry(root, error), end; !error && entry != end;
             entry.increment(error))
            if (entry->is_regular_file(error))
                mixFile(print, entry->path());
    }
    return print;
}

fs::path buildFolderOf(const fs::path& gameFolder)
{
    const fs::path build = gameFolder.parent_path();
    std::error_code error;
    if (gameFolder.filename() != "game" || !fs::exists(build / "CMakeCache.txt", error))
        return {};
    return build;
}

std::vector<WatchedGroup> watchedGroups(const fs::path& gameFolder)
{
    std::vector<WatchedGroup> groups = {
        {"the game folder", {gameFolder / "config.json", gameFolder / "assets"}, ""}};
    const fs::path build = buildFolderOf(gameFolder);
    if (build.empty())
        return groups;
    const fs::path cache = build / "CMakeCache.txt";
    const fs::path source = cacheValue(cache, "CMAKE_HOME_DIRECTORY");
    if (source.empty())
        return groups;
    // A build that copies its pictures and song from another one has no song target: the
    // copy (and the staging of the data on the way) is all it can do.
    const bool copiesMedia = !cacheValue(cache, "DRENNMOOR_MEDIA_FROM").empty();
    groups.push_back({"assets", {source / "assets", source / "config.json"}, "pictures"});
    groups.push_back({"art", {source / "art"}, "pictures"});
    groups.push_back({"the song", {source / "music"}, copiesMedia ? "pictures" : "music"});
    // The preview's own program: the film's code and the preview's.
    groups.push_back({"the code", {source / "src", source / "tools/preview", source / "tools/common"},
                      "drennmoor-preview"});
    return groups;
}
