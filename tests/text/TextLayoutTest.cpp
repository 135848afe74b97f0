#include "TextFixtures.hpp"
#include "support/TestSupport.hpp"

#include <gtest/gtest.h>

namespace {
std::unique_ptr<TextSystem> staggeredStyle(int instances = 1)
{
    return buildStyle(styleEntry({{"letterdelay", 0.1}, {"worddelay", 0.5}, {"num_instances", instances}}));
}
}

TEST(TextLayout, StaggersLettersAndWordsAndStaysInUseUntilTheLastLetterDies)
{
    auto style = staggeredStyle();
    TextInstance& instance = style->instances[0];
    instance.playLine("a b", 0.0f, 3.0f, 100.0f, 100.0f);

    ASSERT_EQ(instance.letters.size(), 2u);
    EXPECT_FLOAT_EQ(instance.letters[0].startDelay, 0.0f);
    EXPECT_FLOAT_EQ(instance.letters[1].startDelay, 0.7f);
    EXPECT_FLOAT_EQ(instance.letters[0].life, 3.0f);
    EXPECT_FLOAT_EQ(instance.letters[1].life, 3.0f);

    advance(instance, 37, 0.1f);
    EXPECT_TRUE(instance.inUse);
    advance(instance, 2, 0.1f);
    EXPECT_FALSE(instance.inUse);

    // Two spaces in a row are two words.
    instance.playLine("a  b", 0.0f, 3.0f, 100.0f, 100.0f);
    ASSERT_EQ(instance.letters.size(), 2u);
    EXPECT_FLOAT_EQ(instance.letters[1].startDelay, 2 * 0.5f + 3 * 0.1f);
}

// Every letter of a sung word starts on its note, a word holding a space never reads past the
// list, and an empty word makes two spaces in a row; the line is echoed.
TEST(TextLayout, StartsEveryLetterOfASungWordOnItsNoteAndEchoesTheLine)
{
    const struct {
        std::vector<TimedWord> words;
        std::string text;
        std::vector<float> startDelays;
    } cases[] = {
        {{{32.75f, "I"}, {33.25f, "heard"}}, "I heard ", {32.75f, 33.25f, 33.25f, 33.25f, 33.25f, 33.25f}},
        {{{1.0f, "x"}, {2.0f, "a b"}}, "x a b ", {1.0f, 2.0f, 2.0f}},
        {{{1.0f, "a"}, {2.0f, ""}, {4.0f, "b"}}, "a  b ", {1.0f, 4.0f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        auto style = staggeredStyle();
        TextInstance& instance = style->instances[0];
        testing::internal::CaptureStdout();
        instance.playWords(c.words, -1.0f, 3.0f, 100.0f, 100.0f);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.text + "\n");
        EXPECT_EQ(instance.text, c.text);
        ASSERT_EQ(instance.letters.size(), c.startDelays.size());
        for (std::size_t i = 0; i < c.startDelays.size(); ++i)
            EXPECT_FLOAT_EQ(instance.letters[i].startDelay, c.startDelays[i]) << "letter " << i;
    }
}

TEST(TextLayout, DurationMinusOneTakesTheStyleDurationAndDelayMinusOneStartsAtOnce)
{
    auto fiveSeconds = buildStyle(styleEntry());
    auto fourSeconds = buildStyle(styleEntry({{"duration", 4}}));

    fiveSeconds->playLine("ab", -1.0f, -1.0f, 100.0f, 100.0f);
    fourSeconds->playLine("ab", -1.0f, -1.0f, 100.0f, 100.0f);
    EXPECT_FLOAT_EQ(fiveSeconds->instances[0].letters[1].life, 5.0f);
    EXPECT_FLOAT_EQ(fourSeconds->instances[0].letters[1].life, 4.0f);

    fiveSeconds->update(0.25f);
    EXPECT_FLOAT_EQ(fiveSeconds->instances[0].letters[0].life, 4.75f);
}

TEST(TextPool, PlaysGoToTheLowestFreeInstanceAndDropSilentlyWhenAllAreBusy)
{
    auto style = staggeredStyle(3);
    style->playLine("short", -1.0f, 0.1f, 100.0f, 100.0f);
    style->playLine("long", -1.0f, 10.0f, 100.0f, 200.0f);
    EXPECT_EQ(style->instances[0].text, "short");
    EXPECT_EQ(style->instances[1].text, "long");

    // "short" runs 0.1 s plus five letter delays.
    advance(*style, 7, 0.1f);
    ASSERT_FALSE(style->instances[0].inUse);
    style->playLine("again", -1.0f, 10.0f, 100.0f, 100.0f);
    EXPECT_EQ(style->instances[0].text, "again");
    EXPECT_FALSE(style->instances[2].inUse);

    style->playLine("third", -1.0f, 10.0f, 100.0f, 300.0f);
    testing::internal::CaptureStdout();
    const std::string errors = captureStderr([&] {
        style->playLine("dropped", -1.0f, 10.0f, 100.0f, 400.0f);
        style->playWords({{0.0f, "dropped"}}, -1.0f, 10.0f, 100.0f, 400.0f);
    });
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(errors, "");
    EXPECT_EQ(style->instances[0].text, "again");
    EXPECT_EQ(style->instances[1].text, "long");
    EXPECT_EQ(style->instances[2].text, "third");
}
