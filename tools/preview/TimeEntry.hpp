#pragma once

#include <optional>
#include <string>

// A time typed by the viewer to go to ("83.5", "-1"): digits, one point and a leading minus.
class TimeEntry {
public:
    void begin() { m_active = true; m_text.clear(); }
    void cancel() { m_active = false; }
    bool active() const { return m_active; }
    const std::string& text() const { return m_text; }

    // Adds a typed character; anything that cannot be part of a time is ignored.
    void type(char character);
    void erase();
    // Ends the entry: the seconds typed, or none when they are no time.
    std::optional<double> finish();

private:
    bool m_active = false;
    std::string m_text;
};
