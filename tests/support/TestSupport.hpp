#pragma once

#include "core/LoaderOutput.hpp"

#include <functional>
#include <string>

// A fresh folder under the system's temporary directory, removed with everything in it
// when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    // Writes `contents` to <path>/<name> (folders made as needed); returns the full path.
    std::string write(const std::string& name, const std::string& contents) const;

private:
    std::string m_path;
};

// The bytes of the file at `path`; empty when it does not open.
std::string readFile(const std::string& path);

// A shell command's exit status (-1 when it did not exit) and standard output (add 2>&1 for
// its errors too).
struct Outcome {
    int status = -1;
    std::string output;
};
Outcome shell(const std::string& command);

// Whether `done` comes true within `seconds`, asked every `step` seconds.
bool eventually(const std::function<bool()>& done, double seconds, double step = 0.05);

// Every line the block writes to the game's diagnostics and SFML's, as one string (each
// line ended by '\n', blank lines left out).
template <typename Body>
std::string captureStderr(Body body)
{
    std::string lines;
    {
        const LoaderOutput output([&lines](const std::string& line) { lines += line + "\n"; });
        body();
    }
    return lines;
}
