#include "TextFixtures.hpp"

#include <gtest/gtest.h>

namespace {
constexpr float kFrame = 0.25f;
}

TEST(TextLetter, StaysInvisibleDuringItsStartDelayThenFadesIn)
{
    auto style = buildStyle(styleEntry({{"worddelay", 1.0}, {"fade_duration", 0.5}, {"outlinecolor_width", 2}}));
    TextInstance& instance = style->instances[0];
    instance.playLine("a b", -1.0f, 3.0f, 100.0f, 100.0f);
    const TextLetter& late = instance.letters[1];

    advance(instance, 4, kFrame);  // its whole one-second start delay
    EXPECT_EQ(late.text.getFillColor().a, 0);
    EXPECT_EQ(late.text.getOutlineColor().a, 0);
    EXPECT_FLOAT_EQ(late.life, 3.0f);

    instance.update(kFrame);
    EXPECT_GT(late.text.getFillColor().a, 0);
    EXPECT_LT(late.text.getFillColor().a, 255);
    EXPECT_EQ(late.text.getOutlineColor().a, late.text.getFillColor().a);

    instance.update(kFrame);
    EXPECT_EQ(late.text.getFillColor().a, 255);
}

TEST(TextLetter, FadesOutOverItsLastFadeDurationOnlyWithFadeOut)
{
    auto fading = buildStyle(styleEntry({{"fade_duration", 0.5}, {"fade_out", true}}));
    auto steady = buildStyle(styleEntry({{"fade_duration", 0.5}}));
    fading->playLine("a", -1.0f, 2.0f, 100.0f, 100.0f);
    steady->playLine("a", -1.0f, 2.0f, 100.0f, 100.0f);
    const TextLetter& fadingLetter = fading->instances[0].letters[0];
    const TextLetter& steadyLetter = steady->instances[0].letters[0];

    advance(*fading, 5, kFrame);  // 0.75 s of life left
    EXPECT_EQ(fadingLetter.text.getFillColor().a, 255);
    fading->update(kFrame);  // 0.5 s left: the fade-out begins
    EXPECT_LT(fadingLetter.text.getFillColor().a, 255);
    advance(*fading, 2, kFrame);
    EXPECT_FALSE(fadingLetter.alive);
    EXPECT_EQ(fadingLetter.text.getFillColor().a, 0);
    EXPECT_EQ(fadingLetter.text.getOutlineColor().a, 0);

    advance(*steady, 8, kFrame);
    EXPECT_FALSE(steadyLetter.alive);
    EXPECT_EQ(steadyLetter.text.getFillColor().a, 255);
}

TEST(TextLetter, MovesInFromItsOffsetsAndOutOnlyWithTweenDurationOut)
{
    const nlohmann::json motion = {{"x_in", -10}, {"y_in", 8}, {"tween_duration_in", 1.0}, {"x_out", 10},
                                   {"y_out", -20}, {"scale_out", 1}, {"rotate_out", 30}};
    nlohmann::json withOut = motion;
    withOut["tween_duration_out"] = 0.5;
    auto still = buildStyle(styleEntry(motion));
    auto leaving = buildStyle(styleEntry(withOut));
    still->playLine("a", -1.0f, 2.0f, 100.0f, 100.0f);
    leaving->playLine("a", -1.0f, 2.0f, 100.0f, 100.0f);
    const TextLetter& stays = still->instances[0].letters[0];
    const TextLetter& goes = leaving->instances[0].letters[0];
    const float restX = goes.x;
    const float restY = goes.y;

    leaving->update(kFrame);
    EXPECT_GT(goes.x, restX - 10.0f);
    EXPECT_LT(goes.x, restX);
    EXPECT_EQ(goes.text.getPosition(), sf::Vector2f(goes.x, goes.y));

    advance(*leaving, 4, kFrame);  // 0.75 s left: at rest, the out motion not begun
    EXPECT_FLOAT_EQ(goes.y, restY);
    advance(*leaving, 3, kFrame);
    EXPECT_FALSE(goes.alive);
    EXPECT_FLOAT_EQ(goes.x, restX + 10.0f);
    EXPECT_FLOAT_EQ(goes.y, restY - 20.0f);
    EXPECT_FLOAT_EQ(goes.text.getScale().x, 2.0f);
    EXPECT_FLOAT_EQ(goes.text.getRotation(), 30.0f);

    advance(*still, 8, kFrame);
    EXPECT_FALSE(stays.alive);
    EXPECT_FLOAT_EQ(stays.x, restX);
    EXPECT_FLOAT_EQ(stays.y, restY);
    EXPECT_FLOAT_EQ(stays.text.getScale().x, 1.0f);
    EXPECT_FLOAT_EQ(stays.text.getRotation(), 0.0f);
}
