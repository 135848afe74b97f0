#include "DataFiles.hpp"
#include "TinyGameFolder.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>

// Every value of every shipped data file (the document itself, each entry, each property,
// each element) replaced by a value of each JSON type, hand-edited numbers included: the
// load prints nothing but its own kind of line, a bad entry is skipped with its line while
// every other entry still loads, and a document or entry that is no object gets the lines
// its loader has for that.

namespace {
using json = nlohmann::json;

const std::vector<json>& replacements()
{
    static const std::vector<json> values = {nullptr, true, 0, -1, 2.5, 1e300, -1e300, "word", json::array(),
                                             json::array({"word"}), json::object(), json::object({{"word", 1}})};
    return values;
}

void collectPointers(const json& value, const json::json_pointer& at, std::vector<json::json_pointer>& into)
{
    into.push_back(at);
    if (value.is_object()) {
        for (const auto& member : value.items())
            collectPointers(member.value(), at / member.key(), into);
    } else if (value.is_array()) {
        for (std::size_t i = 0; i < value.size(); ++i)
            collectPointers(value[i], at / i, into);
    }
}

// Every value of the document, the document itself first.
std::vector<json::json_pointer> everyValue(const json& document)
{
    std::vector<json::json_pointer> pointers;
    collectPointers(document, json::json_pointer(), pointers);
    return pointers;
}

// The entry of the registry file that `at` lies in, or empty when it lies in none.
std::string entryOf(const DataFile& file, const json::json_pointer& at)
{
    const std::string text = at.to_string();
    const std::string top = "/" + file.top + "/";
    if (file.top.empty() || text.rfind(top, 0) != 0)
        return "";
    const std::string rest = text.substr(top.size());
    return rest.substr(0, rest.find('/'));
}

// Empty when the load with `at` replaced is as it should be, else what is wrong.
std::string problemWith(const DataFile& file, const json::json_pointer& at, const json& value, const Loaded& loaded)
{
    const std::string unknown = unknownLine(loaded.errors, file.linePrefixes);
    if (!unknown.empty())
        return "a line of another kind: " + unknown;
    if (at.empty() && !value.is_object() && loaded.errors != file.notObjectLines)
        return "for a document that is no object:\n" + loaded.errors;
    const std::string entry = entryOf(file, at);
    if (entry.empty())
        return "";
    if (file.entryNotObjectLines && at.parent_pointer().to_string() == "/" + file.top && !value.is_object() &&
        loaded.errors != file.entryNotObjectLines(entry))
        return "for an entry that is no object:\n" + loaded.errors;
    for (const std::string& key : file.keys) {
        const bool held = std::find(loaded.keys.begin(), loaded.keys.end(), key) != loaded.keys.end();
        if (key != entry && !held)
            return "lost the untouched entry " + key + ":\n" + loaded.errors;
    }
    return "";
}

class RetypedValue : public testing::TestWithParam<std::string> {
protected:
    TinyGameFolder folder;
};
}

TEST_P(RetypedValue, SkipsOnlyTheEntryItBreaksWithOneLineOfItsOwner)
{
    const DataFile file = dataFile(folder, GetParam());
    const json document = json::parse(folder.shipped(file.path));
    for (const json::json_pointer& at : everyValue(document)) {
        for (const json& value : replacements()) {
            if (document.at(at) == value)
                continue;
            json changed = document;
            changed[at] = value;
            const Loaded loaded = file.load(changed.dump(4));
            ASSERT_EQ(problemWith(file, at, value, loaded), "")
                << at.to_string() << " replaced by " << value.dump();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, RetypedValue, testing::ValuesIn(kDataFilePaths), dataFileTestName);
