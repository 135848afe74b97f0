#pragma once

#include <functional>
#include <string>
#include <vector>

// The tools' command lines: "--flag" words and "--option value" pairs, read in one way so
// that every tool refuses the same mistakes with the same words.
class CommandLine {
public:
    // Reads a value: false when it is bad (the parse then says "bad value for --x: v").
    using ValueReader = std::function<bool(const std::string& value)>;

    // A word that takes no value and sets `target`.
    void flag(const std::string& name, bool& target);
    // A word whose next word is its value, handed to `read`.
    void option(const std::string& name, ValueReader read);

    // Reads argv[1..argc). False, with `error` set to a one-line reason, on an unknown word,
    // an option without its value or a value its reader refuses.
    bool parse(int argc, char** argv, std::string& error) const;

private:
    struct Entry {
        std::string name;
        bool* flag;       // set for a flag, else null
        ValueReader read; // set for an option
    };
    const Entry* find(const std::string& name) const;

    std::vector<Entry> m_entries;
};

// A reader for a number from `low` to `high` stored as an int (the fraction dropped).
CommandLine::ValueReader wholeNumberIn(double low, double high, int& target);
