#include "text/TextSystem.hpp"

#include "assets/JsonFile.hpp"
#include "assets/JsonValues.hpp"
#include "core/Diagnostics.hpp"
#include "core/FileCheck.hpp"
#include "particles/ParticleManager.hpp"

namespace {
const std::string kOwner = "TextSystem";

// The particle system of a burst, or none for the empty key or an unknown one (the particle
// registry reports an unknown key).
ParticleSystem* particleSystemOf(const std::string& key, ParticleManager& particles)
{
    return key.empty() ? nullptr : particles.get(key);
}
}

bool TextSystem::buildFromJson(const nlohmann::json& entry, const std::string& key, ParticleManager& particles)
{
    if (!validateJson(entry, {"font", "size"})) {
        reportLine(kOwner + ": Missing properties in textdata.");
        return false;
    }
    try {
        return readEntry(entry, key, particles);
    } catch (const nlohmann::json::exception& error) {
        reportWrongType(kOwner, key, error);
        instances.clear();
        return false;
    }
}

bool TextSystem::readEntry(const nlohmann::json& entry, const std::string& key, ParticleManager& particles)
{
    const std::string fontFile = jsonString(entry.at("font"));
    // A named pipe would hang the font library's open.
    const std::string refused = notAFile(fontFile);
    if (!refused.empty()) {
        reportLine(kOwner + ": Unable to load font " + fontFile + ": " + refused + ".");
        return false;
    }
    if (!font.loadFromFile(fontFile)) {
        reportLine(kOwner + ": Missing FONT property.");
        return false;
    }

    // The style every instance of the pool starts from, read in the entry's order.
    TextInstance style;
    style.font = &font;
    const int size = jsonFloatTruncated(entry.at("size"));
    style.characterSize = size > 0 ? static_cast<unsigned int>(size) : 0u;
    style.fillR = jsonFloatTruncatedOr(entry, "fillcolor_r", 255);
    style.fillG = jsonFloatTruncatedOr(entry, "fillcolor_g", 255);
    style.fillB = jsonFloatTruncatedOr(entry, "fillcolor_b", 255);
    style.outlineR = jsonFloatTruncatedOr(entry, "outlinecolor_r", 0);
    style.outlineG = jsonFloatTruncatedOr(entry, "outlinecolor_g", 0);
    style.outlineB = jsonFloatTruncatedOr(entry, "outlinecolor_b", 0);
    style.outlineWidth = jsonFloatTruncatedOr(entry, "outlinecolor_width", 0);
    style.letterSpacing = jsonFloatOr(entry, "letter_spacing", 0.0f);
    style.duration = jsonFloatOr(entry, "duration", 5.0f);
    style.delay = jsonFloatOr(entry, "delay", 0.0f);
    style.letterDelay = jsonFloatOr(entry, "letterdelay", 0.0f);
    style.wordDelay = jsonFloatOr(entry, "worddelay", 0.0f);
    style.fadeInEnabled = jsonBoolOr(entry, "fade_in", false);
    style.fadeOutEnabled = jsonBoolOr(entry, "fade_out", false);
    style.fadeDuration = jsonFloatOr(entry, "fade_duration", 0.5f);
    style.xIn = jsonFloatOr(entry, "x_in", 0.0f);
    style.yIn = jsonFloatOr(entry, "y_in", 0.0f);
    style.xOut = jsonFloatOr(entry, "x_out", 0.0f);
    style.yOut = jsonFloatOr(entry, "y_out", 0.0f);
    style.rotateIn = jsonFloatOr(entry, "rotate_in", 0.0f);
    style.rotateOut = jsonFloatOr(entry, "rotate_out", 0.0f);
    style.scaleIn = jsonFloatOr(entry, "scale_in", 0.0f);
    style.scaleOut = jsonFloatOr(entry, "scale_out", 0.0f);
    style.easeIn = jsonFloatTruncatedOr(entry, "ease_in", 0);
    style.easeOut = jsonFloatTruncatedOr(entry, "ease_out", 0);
    style.tweenDurationIn = jsonFloatOr(entry, "tween_duration_in", 0.0f);
    style.tweenDurationOut = jsonFloatOr(entry, "tween_duration_out", 0.0f);
    const std::string burstIn = jsonStringOr(entry, "particles_in", "");
    const std::string burstOut = jsonStringOr(entry, "particles_out", "");
    style.particlesOffsetX = jsonFloatOr(entry, "particles_x_offset", 0.0f);
    style.particlesOffsetY = jsonFloatOr(entry, "particles_y_offset", 0.0f);
    style.particlesIn = particleSystemOf(burstIn, particles);
    style.particlesOut = particleSystemOf(burstOut, particles);
    style.numParticlesIn = jsonIntOr(entry, "num_particles_in", 0);
    style.numParticlesOut = jsonIntOr(entry, "num_particles_out", 0);
    style.particlesDurationOut = jsonFloatOr(entry, "particles_duration_out", 0.0f);
    const int count = jsonIntOr(entry, "num_instances", 5);
    if (!withinLimits(key, size, style.outlineWidth, count))
        return false;

    if (count > 0)
        instances.assign(static_cast<std::size_t>(count), style);
    return true;
}

bool TextSystem::withinLimits(const std::string& key, int size, int outlineWidth, int count)
{
    const std::string entry = " for [" + key + "]: ";
    if (count > kMostInstances) {
        reportLine(kOwner + ": Too many instances" + entry + std::to_string(count) + ", at most " +
                   std::to_string(kMostInstances));
        return false;
    }
    if (size > kLargestSize) {
        reportLine(kOwner + ": Size too large" + entry + std::to_string(size) + ", at most " +
                   std::to_string(kLargestSize));
        return false;
    }
    if (outlineWidth > kWidestOutline || outlineWidth < -kWidestOutline) {
        reportLine(kOwner + ": Outline width too large" + entry + std::to_string(outlineWidth) + ", at most " +
                   std::to_string(kWidestOutline) + " either way");
        return false;
    }
    return true;
}

TextInstance* TextSystem::firstFreeInstance()
{
    for (TextInstance& instance : instances) {
        if (!instance.inUse)
            return &instance;
    }
    return nullptr;
}

void TextSystem::playLine(const std::string& line, float delay, float duration, float x, float y)
{
    if (TextInstance* instance = firstFreeInstance())
        instance->playLine(line, delay, duration, x, y);
}

void TextSystem::playWords(const std::vector<TimedWord>& words, float delay, float duration, float x, float y)
{
    if (TextInstance* instance = firstFreeInstance())
        instance->playWords(words, delay, duration, x, y);
}

void TextSystem::update(float dt)
{
    for (TextInstance& instance : instances)
        instance.update(dt);
}

void TextSystem::draw(sf::RenderTarget& target) const
{
    for (const TextInstance& instance : instances)
        instance.draw(target);
}

void TextSystem::restart()
{
    for (TextInstance& instance : instances) {
        instance.text.clear();
        instance.letters.clear();
        instance.remaining = 0.0f;
        instance.inUse = false;
        instance.delay = 0.0f;
        instance.x = 0.0f;
        instance.y = 0.0f;
    }
}
