#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

// What the lint finds, written out as it is found: one line each, led by the file or
// registry it concerns ("assets/sprites.json: ..."), flushed at once so that the lines
// found so far are out even if loading goes down.
class Findings {
public:
    // Findings written to `out`.
    explicit Findings(std::ostream& out);

    // Writes one finding about `subject` (a file of the game folder, or "poem").
    void add(const std::string& subject, const std::string& text);
    std::size_t count() const { return m_count; }
    // Writes the last line, the count: "0 findings", "1 finding", "3 findings".
    void summarise() const;

private:
    std::ostream& m_out;
    std::size_t m_count = 0;
};
