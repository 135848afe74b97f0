#include "TinyGameFolder.hpp"

#include "support/StandInGame.hpp"

#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

TinyGameFolder::TinyGameFolder(const std::string& dataFrom, const std::string& font)
    : m_dataFrom(dataFrom)
    , m_returnTo(fs::current_path().string())
{
    const std::string problem = makeStandInGame(m_dir.path(), dataFrom, font);
    if (!problem.empty())
        throw std::runtime_error("no tiny game folder: " + problem);
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
    fs::current_path(m_returnTo);
}

std::string TinyGameFolder::shipped(const std::string& relative) const
{
    return readFile(m_dataFrom + "/" + relative);
}
