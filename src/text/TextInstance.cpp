#include "text/TextInstance.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <iostream>
#include <locale>

namespace {
constexpr float kStyleDuration = -1.0f;

// The start time of word `index`; a line with more words than the list (a word that held a
// space) gives the extra ones the last word's time.
float wordTime(const std::vector<TimedWord>& words, std::size_t index)
{
    if (words.empty())
        return 0.0f;
    return words[std::min(index, words.size() - 1)].time;
}
}

void TextInstance::playLine(const std::string& line, float playDelay, float playDuration, float playX, float playY)
{
    prepare(playDelay, playDuration, playX, playY);
    text = line;
    layOut(nullptr);
}

void TextInstance::playWords(const std::vector<TimedWord>& words, float playDelay, float playDuration, float playX,
                             float playY)
{
    prepare(playDelay, playDuration, playX, playY);
    text.clear();
    for (const TimedWord& word : words)
        text += word.word + " ";
    std::cout << text << std::endl;
    layOut(&words);
}

void TextInstance::prepare(float playDelay, float playDuration, float playX, float playY)
{
    remaining = playDuration != kStyleDuration ? playDuration : duration;
    delay = playDelay;
    x = playX;
    y = playY;
}

void TextInstance::layOut(const std::vector<TimedWord>* words)
{
    if (font != nullptr)
        layout.setFont(*font);
    layout.setCharacterSize(characterSize);
    layout.setLetterSpacing(letterSpacing);
    layout.setPosition(x, y);
    // One character per byte, through the default locale.
    layout.setString(sf::String(text, std::locale()));
    letters.clear();
    letters.reserve(text.size());

    const float life = remaining;
    const float halfHeight = layout.getLocalBounds().height / 2.0f;
    float running = remaining;
    int spaces = 0;
    std::size_t word = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        running += letterDelay;
        if (text[i] == ' ') {
            if (words != nullptr) {
                running += wordTime(*words, word);
                ++word;
            } else {
                running += wordDelay;
                ++spaces;
            }
            continue;
        }
        const float startDelay = words != nullptr
            ? wordTime(*words, word)
            : static_cast<float>(spaces) * wordDelay + static_cast<float>(i) * letterDelay;
        const sf::Vector2f position = layout.findCharacterPos(i);
        letters.emplace_back(*this, text[i], position, halfHeight, startDelay, life);
    }
    remaining = running;
    inUse = true;
}

void TextInstance::update(float dt)
{
    if (!inUse)
        return;
    // The frame in which the delay runs out does not also move the letters.
    if (delay > 0.0f) {
        delay -= dt;
        return;
    }
    for (TextLetter& letter : letters)
        letter.update(dt);
    remaining -= dt;
    if (remaining < 0.0f)
        inUse = false;
}

void TextInstance::draw(sf::RenderTarget& target) const
{
    if (delay > 0.0f && !inUse)
        return;
    for (const TextLetter& letter : letters) {
        // A letter without opacity (waiting, or faded out) would leave no mark: skipping it
        // spares a draw call for most of the poem's letters in every frame.
        if (letter.text.getFillColor().a == 0 && letter.text.getOutlineColor().a == 0)
            continue;
        target.draw(letter.text, sf::RenderStates::Default);
    }
}
