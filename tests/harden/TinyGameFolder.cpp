#include "TinyGameFolder.hpp"

#include "support/StandInGame.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

TinyGameFolder::TinyGameFolder()
    : m_gameFolder(fs::current_path().string())
{
    const std::string problem =
        makeStandInGame(m_dir.path(), m_gameFolder, m_gameFolder + "/assets/fonts/EBGaramond12-Regular.otf");
    EXPECT_EQ(problem, "");
    fs::current_path(m_dir.path());
    target.create(64, 64);
    // Quiet: the shipped files load without a word.
    captureStderr([this] {
        textures.load("assets/textures.json");
        sprites.load("assets/sprites.json");
        particles.load("assets/particles.json");
    });
}

TinyGameFolder::~TinyGameFolder()
{
    fs::current_path(m_gameFolder);
}

std::string TinyGameFolder::shipped(const std::string& relative) const
{
    return readFile(m_gameFolder + "/" + relative);
}
