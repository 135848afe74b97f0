#pragma once

#include <functional>
#include <streambuf>
#include <string>

// Catches everything the game's loaders print while it lives: the game's own diagnostics
// (std::cerr) and SFML's (sf::err(), for an image or a font that does not load), in the
// order they are written, and hands each line to `onLine` as soon as it is complete, without
// its line end; blank lines are left out. Nothing reaches the terminal meanwhile. Neither
// copied nor moved. The game never uses it: the lint, the preview and the tests read the
// loaders' lines with it.
class LoaderOutput {
public:
    explicit LoaderOutput(std::function<void(const std::string&)> onLine);
    // Hands on a last line left without its line end, then gives the streams back.
    ~LoaderOutput();
    LoaderOutput(const LoaderOutput&) = delete;
    LoaderOutput& operator=(const LoaderOutput&) = delete;

private:
    // A stream buffer that gathers characters into lines.
    class LineBuffer : public std::streambuf {
    public:
        explicit LineBuffer(std::function<void(const std::string&)> onLine);
        void finish();

    protected:
        int_type overflow(int_type c) override;

    private:
        std::function<void(const std::string&)> m_onLine;
        std::string m_line;
    };

    LineBuffer m_buffer;
    std::streambuf* m_cerr;
    std::streambuf* m_sfmlErr;
};
