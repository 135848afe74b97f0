#include "BuildOutput.hpp"

#include <cctype>
#include <regex>

namespace {
// "[12/40] Building CXX object ..."
const std::regex kProgress(R"(^\[(\d+)/(\d+)\]\s*(.*)$)");
// "/path/file.cpp:12:5: error: what" (gcc, clang)
const std::regex kCompilerError(R"(^(.+?):(\d+):(?:\d+:)?\s*(?:fatal )?error:\s*(.*)$)");
// '  File "/path/art/workshop.py", line 42' (a Python traceback frame)
const std::regex kTracebackFrame(R"re(^\s*File "([^"]+)", line (\d+))re");
// "SyntaxError: '(' was never closed", "NameError: name 'x' is not defined"
const std::regex kPythonException(R"(^([A-Za-z_.]*(?:Error|Exception)):\s*(.*)$)");
// "verify_pictures: desk_3: sprite desk_3: its origin does not undo the crop (870, 680)": a
// fault the picture check found (not its closing count, which names no picture).
const std::regex kPictureFault(R"(^verify_pictures: (\w+: .*)$)");

const char* const kSourceFolders[] = {"src/", "tools/", "art/", "music/", "assets/"};
}

std::string shortPath(const std::string& path)
{
    std::size_t best = std::string::npos;
    for (const char* folder : kSourceFolders) {
        const std::size_t at = path.rfind(std::string("/") + folder);
        if (at != std::string::npos && (best == std::string::npos || at > best))
            best = at + 1;
        if (path.rfind(folder, 0) == 0 && best == std::string::npos)
            best = 0;
    }
    if (best != std::string::npos)
        return path.substr(best);
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void BuildOutput::add(const std::string& line)
{
    m_lastLine = line;
    readProgress(line);
    if (!m_firstError.empty())
        return;
    if (readCompilerError(line))
        return;
    std::smatch match;
    if (std::regex_search(line, match, kTracebackFrame)) {
        m_tracebackPlace = shortPath(match[1].str()) + ":" + match[2].str();
        return;
    }
    if (std::regex_match(line, match, kPictureFault)) {
        m_firstError = "verify_pictures: " + match[1].str();
        return;
    }
    if (std::regex_match(line, match, kPythonException)) {
        m_firstError = match[1].str() + ": " + match[2].str();
        if (!m_tracebackPlace.empty())
            m_firstError += " (" + m_tracebackPlace + ")";
        return;
    }
    if (m_failedLine.empty() && (line.rfind("FAILED:", 0) == 0 || line.find("rror") != std::string::npos)) {
        // Absolute paths shortened to the part that names the file.
        std::string shortened;
        std::size_t start = 0;
        while (start < line.size()) {
            std::size_t end = line.find(' ', start);
            if (end == std::string::npos)
                end = line.size();
            const std::string word = line.substr(start, end - start);
            shortened += (shortened.empty() ? "" : " ") + (word.rfind('/', 0) == 0 ? shortPath(word) : word);
            start = end + 1;
        }
        m_failedLine = shortened;
    }
}

void BuildOutput::readProgress(const std::string& line)
{
    std::smatch match;
    if (!std::regex_match(line, match, kProgress))
        return;
    m_step = std::stoi(match[1].str());
    m_steps = std::stoi(match[2].str());
    m_doing = match[3].str();
}

bool BuildOutput::readCompilerError(const std::string& line)
{
    std::smatch match;
    if (!std::regex_match(line, match, kCompilerError))
        return false;
    m_firstError = match[3].str() + " (" + shortPath(match[1].str()) + ":" + match[2].str() + ")";
    return true;
}

const std::string& BuildOutput::firstError() const
{
    return m_firstError.empty() ? m_failedLine : m_firstError;
}
