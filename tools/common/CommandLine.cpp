#include "CommandLine.hpp"

#include "ToolNumbers.hpp"

void CommandLine::flag(const std::string& name, bool& target)
{
    m_entries.push_back({name, &target, nullptr});
}

void CommandLine::option(const std::string& name, ValueReader read)
{
    m_entries.push_back({name, nullptr, std::move(read)});
}

const CommandLine::Entry* CommandLine::find(const std::string& name) const
{
    for (const Entry& entry : m_entries)
        if (entry.name == name)
            return &entry;
    return nullptr;
}

bool CommandLine::parse(int argc, char** argv, std::string& error) const
{
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        const Entry* entry = find(word);
        if (entry == nullptr) {
            error = "unknown option " + word + " (see --help)";
            return false;
        }
        if (entry->flag != nullptr) {
            *entry->flag = true;
            continue;
        }
        if (i + 1 >= argc) {
            error = word + " needs a value (see --help)";
            return false;
        }
        const std::string value = argv[++i];
        if (!entry->read(value)) {
            error = "bad value for " + word + ": " + value;
            return false;
        }
    }
    return true;
}

CommandLine::ValueReader wholeNumberIn(double low, double high, int& target)
{
    return [low, high, &target](const std::string& value) {
        double number = 0.0;
        if (!readNumber(value, number) || !(number >= low && number <= high))
            return false;
        target = static_cast<int>(number);
        return true;
    };
}
