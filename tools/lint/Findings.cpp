#include "Findings.hpp"

#include <ostream>

Findings::Findings(std::ostream& out)
    : m_out(out)
{
}

void Findings::add(const std::string& subject, const std::string& text)
{
    m_out << subject << ": " << text << std::endl;
    ++m_count;
}

void Findings::summarise() const
{
    m_out << m_count << (m_count == 1 ? " finding" : " findings") << std::endl;
}
