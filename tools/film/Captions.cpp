#include "Captions.hpp"

#include "core/Screen.hpp"
#include "text/TextSystem.hpp"

#include <algorithm>
#include <cstdio>

Captions::Captions(const TextSystem* poem, int fps, long firstFrame)
    : m_poem(poem)
    , m_fps(fps)
    , m_first(firstFrame)
    , m_open(poem != nullptr ? poem->instances.size() : 0, -1)
{
}

bool Captions::shows(std::size_t instance) const
{
    // What TextInstance::draw leaves out (a letter without opacity) is not on screen.
    for (const TextLetter& letter : m_poem->instances[instance].letters)
        if (letter.text.getFillColor().a > 0 || letter.text.getOutlineColor().a > 0)
            return true;
    return false;
}

void Captions::observe(long frame)
{
    for (std::size_t i = 0; i < m_open.size(); ++i) {
        const TextInstance& play = m_poem->instances[i];
        std::string text = play.text;
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        long& open = m_open[i];
        if (open >= 0 && (!shows(i) || m_cues[open].text != text)) {
            m_cues[open].end = frame;
            open = -1;
        }
        if (open < 0 && shows(i)) {
            open = static_cast<long>(m_cues.size());
            m_cues.push_back({frame, frame + 1, play.y, text});
        }
    }
}

void Captions::close(long endFrame)
{
    for (long& open : m_open) {
        if (open >= 0)
            m_cues[open].end = endFrame;
        open = -1;
    }
    std::stable_sort(m_cues.begin(), m_cues.end(), [](const Cue& a, const Cue& b) { return a.start < b.start; });
}

std::string Captions::timestamp(long frame) const
{
    const long milliseconds = ((frame - m_first) * 1000 + m_fps / 2) / m_fps;
    char text[32];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld.%03ld", milliseconds / 3600000, milliseconds / 60000 % 60,
                  milliseconds / 1000 % 60, milliseconds % 1000);
    return text;
}

std::string Captions::webVtt() const
{
    std::string vtt = "WEBVTT\n";
    for (const Cue& cue : m_cues) {
        const int line = static_cast<int>(cue.y * 100.0f / static_cast<float>(kScreenHeight));
        vtt += "\n" + timestamp(cue.start) + " --> " + timestamp(cue.end) + " line:" + std::to_string(line) +
               "% align:start\n" + cue.text + "\n";
    }
    return vtt;
}

std::string Captions::singleTrackVtt() const
{
    std::vector<long> bounds;
    for (const Cue& cue : m_cues) {
        bounds.push_back(cue.start);
        bounds.push_back(cue.end);
    }
    std::sort(bounds.begin(), bounds.end());
    bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
    std::string vtt = "WEBVTT\n";
    for (std::size_t i = 0; i + 1 < bounds.size(); ++i) {
        std::vector<const Cue*> shown;
        for (const Cue& cue : m_cues)
            if (cue.start <= bounds[i] && bounds[i] < cue.end)
                shown.push_back(&cue);
        if (shown.empty())
            continue;
        std::stable_sort(shown.begin(), shown.end(), [](const Cue* a, const Cue* b) { return a->y < b->y; });
        vtt += "\n" + timestamp(bounds[i]) + " --> " + timestamp(bounds[i + 1]) + "\n";
        for (const Cue* cue : shown)
            vtt += cue->text + "\n";
    }
    return vtt;
}
