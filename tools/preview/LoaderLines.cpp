#include "LoaderLines.hpp"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <regex>
#include <string>

void LoaderLines::begin()
{
    char name[] = "/tmp/drennmoor-preview-XXXXXX";
    m_kept = mkstemp(name);
    if (m_kept < 0)
        return;
    unlink(name);
    std::fflush(stderr);
    m_saved = dup(STDERR_FILENO);
    dup2(m_kept, STDERR_FILENO);
}

void LoaderLines::finish()
{
    if (m_kept < 0)
        return;
    std::fflush(stderr);
    dup2(m_saved, STDERR_FILENO);
    close(m_saved);
    std::string text;
    char chunk[4096];
    lseek(m_kept, 0, SEEK_SET);
    for (ssize_t got; (got = read(m_kept, chunk, sizeof chunk)) > 0;)
        text.append(chunk, static_cast<std::size_t>(got));
    close(m_kept);
    m_kept = -1;
    if (!text.empty() && write(STDERR_FILENO, text.data(), text.size()) < 0)
        return;
    m_lines.clear();
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            m_lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
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
        {"TextureManager", "assets/textures.json"}, {"SpriteManager", "assets/sprites.json"},
        {"MusicManager", "assets/music.json"}, {"ParticleManager", "assets/particles.json"},
        {"TextManager", "assets/text/text.json"},
    };
    const std::string who = first.substr(0, owner);
    const auto file = files.find(who);
    const std::string where = (file != files.end() ? file->second + ":" : std::string("line ")) +
                              match[1].str() + ":" + match[2].str();
    return where + ": " + match[3].str() + " (" + who + ")";
}
