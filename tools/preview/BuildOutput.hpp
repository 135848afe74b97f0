#pragma once

#include <string>

// Reads a build's output line by line, as cmake and ninja print it, for the preview's
// overlay: how far it has come ("[12/40] Generating images/workshop.png") and the first
// error, with the file and line where the tool reporting it gives them.
class BuildOutput {
public:
    void add(const std::string& line);

    // The last progress line's step and total (0 and 0 before the first) and what it does.
    int step() const { return m_step; }
    int steps() const { return m_steps; }
    const std::string& doing() const { return m_doing; }
    // The last line (a film export's progress).
    const std::string& lastLine() const { return m_lastLine; }

    // The first error: a compiler's "file:line:column: error: what" as "what (file:line)", a
    // Python exception as "SyntaxError: what (script.py:12)" from its traceback, otherwise
    // the first line that says it failed. Empty while none was seen.
    const std::string& firstError() const;

private:
    void readProgress(const std::string& line);
    bool readCompilerError(const std::string& line);

    int m_step = 0;
    int m_steps = 0;
    std::string m_doing;
    std::string m_lastLine;
    std::string m_firstError;
    std::string m_failedLine;     // the first "FAILED:" or "error" line, the last resort
    std::string m_tracebackPlace; // "script.py:12" of the last traceback frame seen
};

// `path` shortened for a notice: from its last "src/", "tools/", "art/", "music/" or
// "assets/" on, otherwise its file name.
std::string shortPath(const std::string& path);
