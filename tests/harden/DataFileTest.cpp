#include "DataFiles.hpp"
#include "TinyGameFolder.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>

// Every shipped data file, each load into a fresh registry over the tiny game folder, cut off
// at every byte (an entry cut after one of its keys holds that key with a null value, the
// parser's partial tree) and with every value (the document, each entry, property and
// element) replaced by a value of each JSON type.

namespace {
using json = nlohmann::json;

class ShippedFile : public testing::TestWithParam<std::string> {
protected:
    TinyGameFolder folder;
};

// Empty when the load of a file cut at `cut` bytes is as it should be, else what is wrong.
std::string problemAt(const DataFile& file, const Loaded& loaded, std::size_t cut, std::size_t lastBrace)
{
    const std::string parseError = file.owner + ": Error while parsing JSON.\n[json.exception.parse_error.";
    if (cut <= lastBrace && loaded.errors.rfind(parseError, 0) != 0)
        return "no parse error first:\n" + loaded.errors;
    const std::string unknown = unknownLine(loaded.errors, file.linePrefixes);
    if (!unknown.empty())
        return "a line of another kind: " + unknown;
    if (!loaded.keys.empty() && !loaded.result)
        return "entries registered by a load that failed";
    return "";
}

// The offset just past the closing brace of each entry of the registry file, in key order,
// found by counting braces outside strings from the entry's key.
std::vector<std::size_t> entryEnds(const std::string& text, const std::vector<std::string>& keys)
{
    std::vector<std::size_t> ends;
    for (const std::string& key : keys) {
        std::size_t at = text.find('{', text.find("\"" + key + "\":"));
        int depth = 0;
        bool inString = false;
        for (; at < text.size(); ++at) {
            const char c = text[at];
            if (inString && c == '\\')
                ++at;
            else if (c == '"')
                inString = !inString;
            else if (!inString && c == '{')
                ++depth;
            else if (!inString && c == '}' && --depth == 0)
                break;
        }
        ends.push_back(at + 1);
    }
    return ends;
}

// Empty when every entry that ends before `cut` was registered, else the first that was not.
std::string lostEntry(const DataFile& file, const Loaded& loaded, const std::vector<std::size_t>& ends,
                      std::size_t cut)
{
    for (std::size_t i = 0; i < file.keys.size(); ++i) {
        const bool held = std::find(loaded.keys.begin(), loaded.keys.end(), file.keys[i]) != loaded.keys.end();
        if (ends[i] <= cut && !held)
            return file.keys[i];
    }
    return "";
}

const json kReplacements[] = {nullptr, true, 0, -1, 2.5, 1e300, -1e300, "word", json::array(),
                              json::array({"word"}), json::object(), json::object({{"word", 1}})};

// Every value of `value`, itself first, as pointers from `at`.
std::vector<json::json_pointer> everyValue(const json& value, const json::json_pointer& at = json::json_pointer())
{
    std::vector<json::json_pointer> pointers = {at};
    if (!value.is_structured())
        return pointers;
    for (const auto& member : value.items()) {
        const std::vector<json::json_pointer> below = everyValue(member.value(), at / member.key());
        pointers.insert(pointers.end(), below.begin(), below.end());
    }
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

}

TEST_P(ShippedFile, CutAnywhereReportsTheParseErrorAndKeepsTheCompleteEntries)
{
    const DataFile file = dataFile(folder, GetParam());
    const std::string text = folder.shipped(file.path);
    const std::size_t lastBrace = text.rfind('}');
    ASSERT_NE(lastBrace, std::string::npos);

    const std::vector<std::size_t> ends = file.top.empty() ? std::vector<std::size_t>() : entryEnds(text, file.keys);
    for (std::size_t cut = 0; cut < text.size(); ++cut) {
        const Loaded loaded = file.load(text.substr(0, cut));
        ASSERT_EQ(problemAt(file, loaded, cut, lastBrace), "") << "cut at byte " << cut;
        if (!file.top.empty()) {
            ASSERT_EQ(lostEntry(file, loaded, ends, cut), "") << "cut at byte " << cut << "\n" << loaded.errors;
        }
    }
    // Cut after the closing brace, nothing is lost.
    const Loaded whole = file.load(text.substr(0, lastBrace + 1));
    EXPECT_EQ(whole.errors, "");
    EXPECT_EQ(whole.keys, file.keys);
}

TEST_P(ShippedFile, RetypedAnywhereSkipsOnlyTheEntryItBreaksWithOneLineOfItsOwner)
{
    const DataFile file = dataFile(folder, GetParam());
    const json document = json::parse(folder.shipped(file.path));
    for (const json::json_pointer& at : everyValue(document)) {
        for (const json& value : kReplacements) {
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

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedFile,
                         testing::Values("config.json", "assets/textures.json", "assets/sprites.json",
                                         "assets/music.json", "assets/particles.json", "assets/particles/rain.json",
                                         "assets/text/text.json"),
                         [](const testing::TestParamInfo<std::string>& info) {
                             const std::string name = info.param.substr(info.param.rfind('/') + 1);
                             return name.substr(0, name.find('.'));  // "rain" for assets/particles/rain.json
                         });
