#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

// Files whose change means a reload, in groups that share what must be built first.
struct WatchedGroup {
    std::string name;                          // for the overlay ("art", "the game folder")
    std::vector<std::filesystem::path> roots;  // files, or folders watched with all they hold
    std::string buildTarget;                   // built before the reload; empty for none
};

// Notices changes under a few folders by polling: each poll walks them and sums every file's
// path, size and modification time, which costs well under a millisecond for the game's
// assets. Nothing runs in between.
class FolderWatcher {
public:
    // Watches `groups` from their state now.
    explicit FolderWatcher(std::vector<WatchedGroup> groups);

    // The groups in which a file appeared, vanished or changed since the last poll (or since
    // the watcher was made), in the order given.
    std::vector<const WatchedGroup*> poll();

private:
    static std::size_t fingerprint(const WatchedGroup& group);

    std::vector<WatchedGroup> m_groups;
    std::vector<std::size_t> m_prints;
};

// What the preview started in `gameFolder` watches: the folder's config.json and assets/,
// and, when it is a build's game folder (<build>/game beside a CMakeCache.txt), the sources
// that build it, each with the build target that stages them: assets/, config.json and art/
// (the pictures), music/ (the song), and src/, tools/preview/ and tools/common/ (the
// preview itself).
std::vector<WatchedGroup> watchedGroups(const std::filesystem::path& gameFolder);

// The build folder of `gameFolder`, or an empty path when it is no build's game folder.
std::filesystem::path buildFolderOf(const std::filesystem::path& gameFolder);
