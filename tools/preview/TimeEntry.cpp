#include "TimeEntry.hpp"

#include <cstdlib>

void TimeEntry::type(char character)
{
    const bool digit = character >= '0' && character <= '9';
    const bool point = character == '.' && m_text.find('.') == std::string::npos;
    const bool minus = character == '-' && m_text.empty();
    if (digit || point || minus)
        m_text += character;
}

void TimeEntry::erase()
{
    if (!m_text.empty())
        m_text.pop_back();
}

std::optional<double> TimeEntry::finish()
{
    m_active = false;
    char* end = nullptr;
    const double seconds = std::strtod(m_text.c_str(), &end);
    if (m_text.empty() || end != m_text.c_str() + m_text.size() || m_text == "-" || m_text == "." || m_text == "-.")
        return std::nullopt;
    return seconds;
}
