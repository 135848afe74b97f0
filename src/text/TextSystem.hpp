#pragma once

#include "text/TextInstance.hpp"
#include "text/TimedWord.hpp"

#include <SFML/Graphics/Font.hpp>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

class ParticleManager;

// One named style of animated text, built from one entry of assets/text/text.json: a font
// and a fixed pool of instances, each able to play one line at a time. It must stay where it
// was built (its instances and letters point at its font), so it is neither copied nor moved.
class TextSystem {
public:
    // The largest pool a style may have ("num_instances"), far more lines of one style than a
    // film shows at once; a typing slip above it would take the machine's memory.
    static constexpr int kMostInstances = 1000;
    // The largest character size ("size"), in pixels: the picture's height. Each size of each
    // letter is drawn once into the font's texture, and much larger ones take seconds and
    // gigabytes, or more memory than a vector may hold.
    static constexpr int kLargestSize = 1080;
    // The thickest outline ("outlinecolor_width"), in pixels either way, for the same reason.
    static constexpr int kWidestOutline = 100;

    TextSystem() = default;
    TextSystem(const TextSystem&) = delete;
    TextSystem& operator=(const TextSystem&) = delete;

    // Reads the entry: "font" and "size" are required, every other key has its default.
    // `key` names the entry in messages; particle system keys are looked up in `particles`.
    // False, after one line on standard error, when a required key is missing ("TextSystem:
    // Missing properties in textdata."), the font cannot be loaded ("TextSystem: Missing FONT
    // property."), a value has the wrong JSON type (the library's message), or "num_instances",
    // "size" or "outlinecolor_width" is beyond its limit above ("TextSystem: Too many instances
    // for [<key>]: <n>, at most 1000", "TextSystem: Size too large for [<key>]: <n>, at most
    // 1080", "TextSystem: Outline width too large for [<key>]: <n>, at most 100 either way").
    // Throws nothing.
    bool buildFromJson(const nlohmann::json& entry, const std::string& key, ParticleManager& particles);

    // Plays a line (see TextInstance::playLine) on the first instance that is not in use,
    // lowest index first; with every instance in use the play is dropped without a word.
    void playLine(const std::string& line, float delay, float duration, float x, float y);
    // Plays a list of sung words (see TextInstance::playWords) the same way.
    void playWords(const std::vector<TimedWord>& words, float delay, float duration, float x, float y);

    // One frame of every instance, in pool order; then drawing them. Allocate nothing.
    void update(float dt);
    void draw(sf::RenderTarget& target) const;
    // Every instance idle, without letters or position, as the pool was built.
    void restart();

    std::vector<TextInstance> instances;
    sf::Font font;

private:
    bool readEntry(const nlohmann::json& entry, const std::string& key, ParticleManager& particles);
    // False, after its line, when `size`, the outline width or `count` is beyond its limit.
    static bool withinLimits(const std::string& key, int size, int outlineWidth, int count);
    TextInstance* firstFreeInstance();
};
