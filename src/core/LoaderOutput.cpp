#include "core/LoaderOutput.hpp"

#include <SFML/System/Err.hpp>

#include <iostream>
#include <utility>

LoaderOutput::LoaderOutput(std::function<void(const std::string&)> onLine)
    : m_buffer(std::move(onLine))
    , m_cerr(std::cerr.rdbuf(&m_buffer))
    , m_sfmlErr(sf::err().rdbuf(&m_buffer))
{
}

LoaderOutput::~LoaderOutput()
{
    std::cerr.rdbuf(m_cerr);
    sf::err().rdbuf(m_sfmlErr);
    m_buffer.finish();
}

LoaderOutput::LineBuffer::LineBuffer(std::function<void(const std::string&)> onLine)
    : m_onLine(std::move(onLine))
{
}

void LoaderOutput::LineBuffer::finish()
{
    // A line counts when it holds more than blanks.
    if (m_line.find_first_not_of(" \t\r") != std::string::npos)
        m_onLine(m_line);
    m_line.clear();
}

LoaderOutput::LineBuffer::int_type LoaderOutput::LineBuffer::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    if (traits_type::to_char_type(c) == '\n')
        finish();
    else
        m_line += traits_type::to_char_type(c);
    return c;
}
