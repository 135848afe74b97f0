#include "DataFiles.hpp"
#include "TinyGameFolder.hpp"

#include <gtest/gtest.h>

#include <algorithm>

// Every shipped data file cut off at every byte: the loader reports the parse error in its
// first two lines, prints nothing but its own kind of line, and keeps every entry that was
// complete before the cut. (An entry cut after one of its keys holds that key with a null
// value, the parser's partial tree, and is skipped as a value of the wrong type.)

namespace {
class CutFile : public testing::TestWithParam<std::string> {
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
}

TEST_P(CutFile, ReportsTheParseErrorAndKeepsTheCompleteEntries)
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

INSTANTIATE_TEST_SUITE_P(Shipped, CutFile, testing::ValuesIn(kDataFilePaths), dataFileTestName);
