#include "TimeEntry.hpp"

#include "FilmTime.hpp"

std::string TimeEntry::text() const
{
    return m_typed > m_text.size() ? m_text + "..." : m_text;
}

void TimeEntry::type(char character)
{
    const bool opening = m_opening;
    m_opening = false;
    const bool control = static_cast<unsigned char>(character) < ' ' || character == 127;
    if (control || (opening && (character == 't' || character == 'T')))
        return;
    if (m_text.size() < kLongestShown)
        m_text += character;
    ++m_typed;
}

void TimeEntry::erase()
{
    if (m_typed > m_text.size())
        --m_typed;
    else if (!m_text.empty()) {
        m_text.pop_back();
        --m_typed;
    }
}

std::optional<double> TimeEntry::finish()
{
    m_active = false;
    if (m_typed > m_text.size()) {
        m_refusal = "a text of " + std::to_string(m_typed) + " characters is not a number of seconds";
        return std::nullopt;
    }
    double seconds = 0.0;
    m_refusal = readFilmTime(m_text, seconds);
    if (!m_refusal.empty())
        return std::nullopt;
    return seconds;
}
