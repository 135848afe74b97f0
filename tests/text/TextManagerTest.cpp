#include "TextFixtures.hpp"
#include "support/TestSupport.hpp"

#include "text/TextManager.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace {
const std::string kUnableToCreate = "TextSystem: Unable to create textsystem. Bad JSON formatting.\n";

std::string textsFile(const nlohmann::json& systems)
{
    return nlohmann::json{{"textsystems", systems}}.dump();
}

// Loads `contents` into `manager`, setting `loaded`; what was printed.
std::string loadInto(TextManager& manager, const std::string& contents, bool& loaded)
{
    std::istringstream stream(contents);
    return captureStderr([&] { loaded = manager.loadFromStream(stream); });
}
}

TEST(TextManager, ReportsEachBadEntryAndStillRegistersTheGoodOnes)
{
    TextManager manager(ParticleManager::instance());
    bool loaded = false;
    const std::string printed = loadInto(manager,
                                         textsFile({{"a_no_font", {{"size", 40}}},
                                                    {"b_no_size", {{"font", kStagedFont}}},
                                                    {"c_good", styleEntry()},
                                                    {"d_bad_font", styleEntry({{"font", "/nonexistent/none.otf"}})}}),
                                         loaded);
    EXPECT_TRUE(loaded);
    EXPECT_TRUE(manager.contains("c_good"));
    EXPECT_FALSE(manager.contains("a_no_font"));
    EXPECT_FALSE(manager.contains("b_no_size"));
    EXPECT_FALSE(manager.contains("d_bad_font"));

    const std::string missingProperties =
        "validateJson: Missing prop: font.\nTextSystem: Missing properties in textdata.\n" + kUnableToCreate +
        "validateJson: Missing prop: size.\nTextSystem: Missing properties in textdata.\n" + kUnableToCreate;
    ASSERT_GE(printed.size(), missingProperties.size());
    EXPECT_EQ(printed.substr(0, missingProperties.size()), missingProperties);
    // The graphics library names the font file first, on lines of its own.
    const std::string badFont = "TextSystem: Missing FONT property.\n" + kUnableToCreate;
    ASSERT_GE(printed.size(), badFont.size());
    EXPECT_EQ(printed.substr(printed.size() - badFont.size()), badFont);
}

TEST(TextManager, KeepsTheFirstSystemOfAKeyAndReportsTheSecond)
{
    TextManager manager(ParticleManager::instance());
    const std::string file = textsFile({{"one", styleEntry({{"num_instances", 2}})}, {"two", styleEntry()}});
    bool loaded = false;
    loadInto(manager, file, loaded);
    TextSystem* first = manager.get("one");
    EXPECT_EQ(loadInto(manager, file, loaded),
              "TextSystem: TextSystem with key one already exists.\n"
              "TextSystem: TextSystem with key two already exists.\n");
    EXPECT_TRUE(loaded);
    EXPECT_EQ(manager.get("one"), first);
    EXPECT_EQ(first->instances.size(), 2u);
}

TEST(TextManager, LoadsAnEmptyListAndReportsAMissingKey)
{
    TextManager manager(ParticleManager::instance());
    bool loaded = false;
    EXPECT_EQ(loadInto(manager, textsFile(nlohmann::json::object()), loaded), "");
    EXPECT_TRUE(loaded);

    TextSystem* found = reinterpret_cast<TextSystem*>(1);
    EXPECT_EQ(captureStderr([&] { found = manager.get("demo_text"); }),
              "TextManager: TextSystem with key demo_text does not exist.\n");
    EXPECT_EQ(found, nullptr);
}
