#include "assets/JsonFile.hpp"
#include "support/TestSupport.hpp"

#include <gtest/gtest.h>

TEST(JsonFile, MissingFileSaysWhichAndFails)
{
    nlohmann::json document;
    bool opened = true;
    const std::string errors = captureStderr([&] { opened = readJsonFile("TextureManager", "no/such.json", document); });
    EXPECT_FALSE(opened);
    EXPECT_EQ(errors, "TextureManager: Unable to open file no/such.json.\n");
}

TEST(JsonFile, CutOffFileKeepsTheCompleteEntriesBeforeTheError)
{
    TempDir dir;
    const std::string path = dir.write("cut.json", R"({"textures": {"a": {"file": "x.png"}, "b": {"fi)");
    nlohmann::json document;
    const std::string errors = captureStderr([&] { EXPECT_TRUE(readJsonFile("SpriteManager", path, document)); });
    EXPECT_EQ(errors.rfind("SpriteManager: Error while parsing JSON.\n[json.exception.parse_error.101]", 0), 0u)
        << errors;
    ASSERT_TRUE(document.contains("textures"));
    EXPECT_EQ(document["textures"]["a"]["file"], "x.png");
}

TEST(ValidateJson, ReportsOnlyTheFirstMissingNameAndRejectsNonObjects)
{
    std::string errors = captureStderr([] {
        EXPECT_FALSE(validateJson(nlohmann::json::object(), {"name", "sprites"}));
    });
    EXPECT_EQ(errors, "validateJson: Missing prop: name.\n");

    errors = captureStderr([] {
        EXPECT_FALSE(validateJson(nlohmann::json::array({"sprites"}), {"sprites"}));
        EXPECT_FALSE(validateJson(nlohmann::json("sprites"), {"sprites"}));
        EXPECT_FALSE(validateJson(nlohmann::json(), {"sprites"}));
    });
    EXPECT_EQ(errors, "validateJson: Missing prop: sprites.\n"
                      "validateJson: Missing prop: sprites.\n"
                      "validateJson: Missing prop: sprites.\n");

    errors = captureStderr([] {
        EXPECT_TRUE(validateJson(nlohmann::json::parse(R"({"a": 1, "b": null})"), {"a", "b"}));
        EXPECT_TRUE(validateJson(nlohmann::json(), {}));
    });
    EXPECT_EQ(errors, "");
}
