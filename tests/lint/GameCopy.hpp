#pragma once

#include "support/TestSupport.hpp"

#include <nlohmann/json.hpp>

#include <functional>
#include <string>
#include <vector>

// A copy of the staged game folder (the tests' working directory) made to be broken: its
// JSON files are copied, its images, fonts and music linked, so one file can be changed
// without touching the game.
class GameCopy {
public:
    GameCopy();

    const std::string& path() const { return m_folder.path(); }
    // Reads the JSON file `name` of the copy ("assets/sprites.json"), lets `change` edit it
    // and writes it back.
    void edit(const std::string& name, const std::function<void(nlohmann::json&)>& change) const;
    // Writes `contents` to the file `name` of the copy; returns its full path.
    std::string write(const std::string& name, const std::string& contents) const;

private:
    TempDir m_folder;
};

// What one run of drennmoor-lint printed on standard output (the summary last) and how it ended.
struct LintRun : Outcome {
    // Whether some line is exactly `line`, or begins with `start`.
    bool has(const std::string& line) const { return ("\n" + output).find("\n" + line + "\n") != std::string::npos; }
    bool hasStart(const std::string& start) const { return ("\n" + output).find("\n" + start) != std::string::npos; }
    // Expects that the lint failed and printed each of `lines` and a line beginning with each
    // of `starts`.
    void expectFindings(const std::vector<std::string>& lines, const std::vector<std::string>& starts = {}) const;
};

// Runs the staged drennmoor-lint (beside the tests' working directory's game) on `folder`.
LintRun runLint(const std::string& folder);
