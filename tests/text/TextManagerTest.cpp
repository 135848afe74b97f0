#include "TextFixtures.hpp"
#include "support/TestSupport.hpp"

#include "text/TextManager.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace {
// Loads the style entries `systems` into `manager`; what was printed.
std::string load(TextManager& manager, const nlohmann::json& systems)
{
    std::istringstream stream(nlohmann::json{{"textsystems", systems}}.dump());
    return captureStderr([&] { EXPECT_TRUE(manager.loadFromStream(stream)); });
}
}

TEST(TextManager, ReportsEachBadEntryAndStillRegistersTheGoodOnes)
{
    TextManager manager(ParticleManager::instance());
    const std::string unableToCreate = "TextSystem: Unable to create textsystem. Bad JSON formatting.\n";
    EXPECT_EQ(load(manager, {{"a_no_font", {{"size", 40}}}, {"b_no_size", {{"font", kStagedFont}}}, {"c_good", styleEntry()}}),
              "validateJson: Missing prop: font.\nTextSystem: Missing properties in textdata.\n" + unableToCreate +
                  "validateJson: Missing prop: size.\nTextSystem: Missing properties in textdata.\n" + unableToCreate);
    EXPECT_TRUE(manager.contains("c_good"));
    EXPECT_FALSE(manager.contains("a_no_font"));
    EXPECT_FALSE(manager.contains("b_no_size"));
}

TEST(TextManager, KeepsTheFirstSystemOfAKeyAndReportsTheSecond)
{
    TextManager manager(ParticleManager::instance());
    const nlohmann::json systems = {{"one", styleEntry({{"num_instances", 2}})}, {"two", styleEntry()}};
    load(manager, systems);
    TextSystem* first = manager.get("one");
    EXPECT_EQ(load(manager, systems), "TextSystem: TextSystem with key one already exists.\n"
                                      "TextSystem: TextSystem with key two already exists.\n");
    EXPECT_EQ(manager.get("one"), first);
    EXPECT_EQ(first->instances.size(), 2u);
}
