#include "GameCopy.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {
// The folders of built media, linked rather than copied.
const char* const kLinked[] = {"images", "fonts", "music"};

bool isLinked(const fs::path& name)
{
    return std::find(std::begin(kLinked), std::end(kLinked), name.string()) != std::end(kLinked);
}
}

GameCopy::GameCopy()
{
    const fs::path assets = fs::current_path() / "assets";
    const fs::path copy = fs::path(path()) / "assets";
    fs::create_directories(copy);
    for (const fs::directory_entry& entry : fs::directory_iterator(assets)) {
        if (isLinked(entry.path().filename()))
            fs::create_directory_symlink(entry.path(), copy / entry.path().filename());
    }
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(assets)) {
        const fs::path relative = fs::relative(entry.path(), assets);
        if (isLinked(*relative.begin()) || !entry.is_regular_file() || entry.path().extension() != ".json")
            continue;
        fs::create_directories((copy / relative).parent_path());
        fs::copy_file(entry.path(), copy / relative);
    }
}

void GameCopy::edit(const std::string& name, const std::function<void(nlohmann::json&)>& change) const
{
    const fs::path file = fs::path(path()) / name;
    nlohmann::json document;
    std::ifstream(file) >> document;
    change(document);
    std::ofstream(file) << document.dump(4);
}

std::string GameCopy::write(const std::string& name, const std::string& contents) const
{
    return m_folder.write(name, contents);
}

LintRun runLint(const std::string& folder)
{
    return {shell("./drennmoor-lint '" + folder + "'")};
}

void LintRun::expectFindings(const std::vector<std::string>& lines, const std::vector<std::string>& starts) const
{
    EXPECT_EQ(status, 1) << output;
    for (const std::string& line : lines)
        EXPECT_TRUE(has(line)) << "missing: " << line << "\n" << output;
    for (const std::string& start : starts)
        EXPECT_TRUE(hasStart(start)) << "missing: " << start << "...\n" << output;
}
