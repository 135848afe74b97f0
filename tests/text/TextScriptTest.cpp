#include "TextFixtures.hpp"
#include "support/TestSupport.hpp"

#include "scenes/Poem.hpp"
#include "scenes/TextScript.hpp"
#include "text/TextManager.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {
// The characters of `text` but its blanks.
std::string withoutBlanks(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

// A registry holding "demo_text" from the shipped file, or with `instances` instances.
void loadPoemStyle(TextManager& manager, const TempDir& dir, int instances)
{
    const nlohmann::json entry = styleEntry({{"num_instances", instances}, {"letterdelay", 0.035}});
    manager.load(dir.write("text.json", nlohmann::json{{"textsystems", {{"demo_text", entry}}}}.dump()));
}

// Runs the script until `seconds` of frames of `dt` have passed since the start flag.
void playFor(TextScript& script, float seconds, float dt)
{
    for (float t = 0.0f; t < seconds; t += dt)
        script.frame(dt);
}
}

TEST(TextScript, QueuesTheWholePoemOnTheShippedStyleAndEchoesTheSungLines)
{
    TextManager manager(ParticleManager::instance());
    manager.load("assets/text/text.json");
    ASSERT_TRUE(manager.contains("demo_text"));
    TextScript script(manager);

    testing::internal::CaptureStdout();
    script.frame(0.016f);
    const std::string echoed = testing::internal::GetCapturedStdout();

    // Each play on an instance of its own, its letters spelling its words; each word list
    // echoed on a line of its own.
    std::string sung;
    const TextSystem* poem = manager.get("demo_text");
    ASSERT_GE(poem->instances.size(), kPoem.size());
    for (std::size_t i = 0; i < kPoem.size(); ++i) {
        EXPECT_TRUE(poem->instances[i].inUse);
        std::string words = kPoem[i].line;
        for (const TimedWord& word : kPoem[i].words)
            words += word.word + " ";
        std::string letters;
        for (const TextLetter& letter : poem->instances[i].letters)
            letters += letter.character;
        EXPECT_EQ(withoutBlanks(letters), withoutBlanks(words)) << "play " << i + 1;
        if (kPoem[i].kind == PoemPlay::Words)
            sung += words + "\n";
    }
    EXPECT_EQ(echoed, sung);
}

TEST(TextScript, NothingMovesBeforeTheOpeningAndTheFirstLineStartsSixteenSecondsAfterIt)
{
    for (const float dt : {1.0f / 30.0f, 1.0f / 144.0f}) {
        SCOPED_TRACE(dt);
        TempDir dir;
        TextManager manager(ParticleManager::instance());
        loadPoemStyle(manager, dir, 32);
        TextScript script(manager);
        testing::internal::CaptureStdout();
        playFor(script, 3.0f, dt);  // the black lead-in
        testing::internal::GetCapturedStdout();
        const TextInstance& first = manager.get("demo_text")->instances[0];
        EXPECT_FLOAT_EQ(first.delay, 16.0f);

        script.started = true;
        playFor(script, 15.9f, dt);
        EXPECT_EQ(first.letters[0].text.getFillColor().a, 0);
        playFor(script, 0.3f, dt);
        EXPECT_GT(first.letters[0].text.getFillColor().a, 0);
        EXPECT_EQ(first.letters[10].text.getFillColor().a, 0);
    }
}

TEST(TextScript, WithoutThePoemStyleItSaysSoOnceAndRunsOn)
{
    TextManager manager(ParticleManager::instance());
    TextScript script(manager);
    EXPECT_EQ(captureStderr([&] {
                  script.started = true;
                  playFor(script, 0.1f, 0.016f);
              }),
              "TextManager: TextSystem with key demo_text does not exist.\n");
}
