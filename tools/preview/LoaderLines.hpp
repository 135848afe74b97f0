#pragma once

#include "core/LoaderOutput.hpp"

#include <optional>
#include <set>
#include <string>
#include <vector>

// The loaders' lines of a start-up, seen on their way to standard error (where they still
// go), so that the overlay can say what a reload found.
class LoaderLines {
public:
    // The loaders' lines (the game's and SFML's) are kept aside from now on until finish().
    void begin();
    // Passes what was kept on to standard error and keeps its lines (counted anew).
    void finish();

    int count() const { return static_cast<int>(m_lines.size()); }
    std::set<std::string> all() const { return {m_lines.begin(), m_lines.end()}; }
    // The first line, with its file and place when it is a parse error (firstLineWithPlace).
    std::string first() const;

private:
    std::optional<LoaderOutput> m_output;  // while begin() holds the streams
    std::vector<std::string> m_lines;
};

// The first of the film's diagnostic `lines`, for a notice. A registry's "Error while parsing
// JSON." is followed by the parser's message: the two become one line that names the
// registry's file and the parser's line and column ("assets/sprites.json:12:5: syntax error
// ... (SpriteManager)").
std::string firstLineWithPlace(const std::vector<std::string>& lines);
