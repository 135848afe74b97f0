#include "LoaderLines.hpp"

#include "core/DataFiles.hpp"

#include <iostream>
#include <map>
#include <regex>
#include <string>

void LoaderLines::begin()
{
    m_lines.clear();
    m_output.emplace([this](const std::string& line) { m_lines.push_back(line); });
}

void LoaderLines::finish()
{
    m_output.reset();
    for (const std::string& line : m_lines)
        std::cerr << line << '\n';
    std::cerr.flush();
}

std::string LoaderLines::first() const
{
    return firstLineWithPlace(m_lines);
}

std::string firstLineWithPlace(const std::vector<std::string>& lines)
{
    if (lines.empty())
        return "";
    const std::string& first = lines.front();
    const std::string parseError = ": Error while parsing JSON.";
    const std::size_t owner = first.find(parseError);
    if (lines.size() < 2 || owner == std::string::npos)
        return first;
    // "[json.exception.parse_error.101] parse error at line 12, column 5: syntax error ..."
    static const std::regex place(R"(parse error at line (\d+), column (\d+): (.*)$)");
    std::smatch match;
    if (!std::regex_search(lines[1], match, place))
        return first + " " + lines[1];
    static const std::map<std::string, std::string> files = {
        {"TextureManager", dataFiles::kTextures}, {"SpriteManager", dataFiles::kSprites},
        {"MusicManager", dataFiles::kMusic},       {"ParticleManager", dataFiles::kParticles},
        {"TextManager", dataFiles::kTexts},
    };
    const std::string who = first.substr(0, owner);
    const auto file = files.find(who);
    const std::string where = (file != files.end() ? file->second + ":" : std::string("line ")) +
                              match[1].str() + ":" + match[2].str();
    return where + ": " + match[3].str() + " (" + who + ")";
}
