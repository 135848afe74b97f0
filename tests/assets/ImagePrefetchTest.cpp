#include "assets/ImagePrefetch.hpp"
#include "assets/TextureManager.hpp"
#include "support/TestSupport.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Err.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

// The pictures decode on worker threads ahead of the loop that uploads them: what the
// registry holds and prints must not depend on that.
namespace {

class Prefetch : public testing::Test {
protected:
    // Pictures 0..count-1, picture i being (i + 1) pixels wide; the listed ones are broken.
    std::vector<std::string> makePictures(int count, const std::vector<int>& broken)
    {
        std::vector<std::string> files;
        for (int i = 0; i < count; ++i) {
            const std::string name = dir.path() + "/p" + std::to_string(i) + ".png";
            if (std::find(broken.begin(), broken.end(), i) != broken.end()) {
                dir.write("p" + std::to_string(i) + ".png", "\x89PNG\r\n\x1a\n not really");
            } else {
                sf::Image image;
                image.create(static_cast<unsigned>(i + 1), 3, sf::Color(200, 10, 10));
                EXPECT_TRUE(image.saveToFile(name));
            }
            files.push_back(name);
        }
        return files;
    }

    TempDir dir;
};

} // namespace

TEST_F(Prefetch, SkippedFilesAndAnEarlyEndNeitherHangNorLeak)
{
    const std::vector<std::string> files = makePictures(12, {});
    {
        ImagePrefetch prefetch(files);
        ASSERT_NE(prefetch.wait(0), nullptr);
        ASSERT_NE(prefetch.wait(9), nullptr);
        EXPECT_EQ(prefetch.wait(9)->image.getSize().x, 10u);
        EXPECT_EQ(prefetch.wait(2), nullptr) << "images before the last asked for are freed";
        EXPECT_EQ(prefetch.wait(12), nullptr) << "past the end";
    }
    {
        ImagePrefetch unused(files);  // ends before anything is asked for
    }
    ImagePrefetch nothing({});
    EXPECT_EQ(nothing.wait(0), nullptr);
}

// More files than the look-ahead, so that the workers have to wait for the loop; the workers
// print nothing themselves and leave SFML's error stream as it was.
TEST_F(Prefetch, TheRegistryReportsBrokenPicturesInTheOrderOfItsEntries)
{
    const std::vector<std::string> files = makePictures(9, {2, 6});
    std::string json = R"({"textures": {)";
    for (std::size_t i = 0; i < files.size(); ++i) {
        json += "\"k" + std::to_string(i) + "\": {\"file\": \"" + files[i] + (i == 5 ? "\", \"repeated\": true}," : "\"},");
        if (i == 4)
            json += R"("k4b": {"file": 7}, "k4c": {"repeated": true},)";
    }
    json += R"("last": {"file": "nowhere.png"}}})";
    const std::string path = dir.write("textures.json", json);

    TextureManager textures;
    std::streambuf* const errorBuffer = sf::err().rdbuf();
    const std::string printed = captureStderr([&] { EXPECT_TRUE(textures.load(path)); });
    EXPECT_EQ(sf::err().rdbuf(), errorBuffer);
    EXPECT_EQ(printed,
              "Failed to load image \"" + files[2] + "\". Reason: Corrupt PNG\n"
              "TextureManager: Unable to load file " + files[2] + ".\n"
              "TextureManager: Wrong value type in [k4b]: [json.exception.type_error.302] type must be "
              "string, but is number\n"
              "TextureManager: Missing FILE property for [k4c]\n"
              "Failed to load image \"" + files[6] + "\". Reason: Corrupt PNG\n"
              "TextureManager: Unable to load file " + files[6] + ".\n"
              "Failed to load image \"nowhere.png\". Reason: Unable to open file\n"
              "TextureManager: Unable to load file nowhere.png.\n");
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string key = "k" + std::to_string(i);
        if (i == 2 || i == 6) {
            EXPECT_FALSE(textures.contains(key));
            continue;
        }
        ASSERT_TRUE(textures.contains(key)) << key;
        EXPECT_EQ(textures.get(key)->getSize().x, i + 1) << key;
        EXPECT_EQ(textures.get(key)->isRepeated(), i == 5) << key;
    }
    EXPECT_EQ(captureStderr([&] {
                  EXPECT_EQ(textures.get("k2"), nullptr);
                  EXPECT_FALSE(textures.add("k0", files[0], false));
              }),
              "TextureManager: Texture with key k2 does not exist.\n"
              "TextureManager: Texture with key k0 already exists.\n");
}

// The workers decode with another decoder than SFML's: every shipped picture, PNG and JPEG,
// must come out with exactly the pixels SFML gives it.
TEST(PrefetchPixels, EveryShippedPictureDecodesExactlyAsSfmlDecodesIt)
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator("assets/images"))
        files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    const auto jpegs = std::count_if(files.begin(), files.end(), [](const std::string& file) {
        return file.size() > 4 && file.compare(file.size() - 4, 4, ".jpg") == 0;
    });
    // Both of the decoders' formats are among them.
    ASSERT_GE(jpegs, 1);
    ASSERT_GT(files.size(), static_cast<std::size_t>(jpegs));

    ImagePrefetch prefetch(files);
    for (std::size_t i = 0; i < files.size(); ++i) {
        sf::Image expected;
        ASSERT_TRUE(expected.loadFromFile(files[i]));
        const DecodedPicture* picture = prefetch.wait(i);
        ASSERT_NE(picture, nullptr) << files[i];
        const sf::Image* decoded = &picture->image;
        ASSERT_EQ(decoded->getSize(), expected.getSize()) << files[i];
        const std::size_t bytes = 4u * expected.getSize().x * expected.getSize().y;
        EXPECT_EQ(std::memcmp(decoded->getPixelsPtr(), expected.getPixelsPtr(), bytes), 0) << files[i];
    }
}
