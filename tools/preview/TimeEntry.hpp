#pragma once

#include <optional>
#include <string>

// A time typed by the viewer to go to ("83.5", "-1"). Every character typed counts, so that a
// mistake is refused with its reason rather than quietly changed into another time.
class TimeEntry {
public:
    // More than this many characters are not kept (the refusal counts them all).
    static constexpr std::size_t kLongestShown = 24;

    // Starts an entry opened by the key T, whose own 't' arrives as typed right after.
    void begin() { m_active = true; m_text.clear(); m_typed = 0; m_refusal.clear(); m_opening = true; }
    void cancel() { m_active = false; }
    bool active() const { return m_active; }
    // What was typed, its first kLongestShown characters, then "..." when there were more.
    std::string text() const;

    // Adds a typed character (a control character is ignored).
    void type(char character);
    void erase();
    // Ends the entry: the seconds typed, or none when they are no time of the film; refusal()
    // then says why, naming what was typed.
    std::optional<double> finish();
    const std::string& refusal() const { return m_refusal; }

private:
    bool m_active = false;
    std::string m_text;
    std::size_t m_typed = 0;  // characters typed, also those beyond m_text
    std::string m_refusal;
    bool m_opening = false;  // the opening key's character may still come
};
