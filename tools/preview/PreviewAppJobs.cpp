#include "PreviewApp.hpp"

#include "ToolNumbers.hpp"

#include <cstdio>
#include <filesystem>

// The preview's work in the background: the build of what changed and the loop's export.

void PreviewApp::pollBuild()
{
    if (!m_build.running())
        return;
    const int step = m_build.output().step();
    if (m_build.poll())
        m_session.buildEnded(m_build.succeeded(), m_build.failure());
    if (step != m_build.output().step() || !m_build.running())
        m_dirty = true;
}

void PreviewApp::startExport()
{
    if (m_export.running()) {
        m_session.setNotice("the export of " + m_exportName + " is still running", false);
        return;
    }
    const long in = m_session.loopIn();
    const long out = m_session.loopOut();
    if (in < 0 || out <= in) {
        m_session.setNotice("no export: mark the loop's start with I and its end after it with O", true);
        return;
    }
    const FilmFrames& frames = m_session.frames();
    char name[64];
    std::snprintf(name, sizeof name, "loop_%08.3f-%08.3f.mp4", frames.timeOf(in), frames.timeOf(out));
    m_exportName = name;
    m_exportProgress = "starting";
    const std::string folder = std::filesystem::current_path().string();
    if (!m_export.start({folder + "/drennmoor-film", "--video", folder + "/" + m_exportName, "--from",
                         sixDecimals(frames.timeOf(in)), "--until", sixDecimals(frames.timeOf(out))}))
        m_session.setNotice("export failed: " + m_export.failure(), true);
}

void PreviewApp::pollExport()
{
    if (!m_export.running())
        return;
    const std::string before = m_exportProgress;
    const bool ended = m_export.poll();
    // "drennmoor-film: video 45% (27 of 60 frames), about 4 s left"
    const std::string& line = m_export.output().lastLine();
    if (line.find('%') != std::string::npos && line.find(": ") != std::string::npos)
        m_exportProgress = line.substr(line.find(": ") + 2);
    if (ended)
        m_session.setNotice(m_export.succeeded() ? "exported the loop to " + m_exportName + " in the game folder"
                                                 : "export failed: " + m_export.output().lastLine(),
                            !m_export.succeeded());
    m_dirty = m_dirty || before != m_exportProgress || ended;
}
