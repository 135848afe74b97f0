#include "AssetLint.hpp"

#include "SongCheck.hpp"
#include "SongTiming.hpp"

#include "assets/JsonFile.hpp"
#include "core/DataFiles.hpp"
#include "core/Easing.hpp"
#include "core/LoaderOutput.hpp"
#include "scenes/Poem.hpp"
#include "scenes/PoemShape.hpp"
#include "scenes/RequiredKeys.hpp"

#include <utility>
#include <vector>

namespace {

const std::string kPoemSubject = "poem";
// Every line of the poem ends left of this x, in pixels: the right of the picture is the
// scenes' own.
constexpr float kPoemRightEdge = 1300.0f;

// The entries of a registry file's top-level object `name`, read without a word: the
// loaders have already reported whatever is wrong with the file. Null when there are none.
nlohmann::json quietEntries(const std::string& path, const char* name)
{
    LoaderOutput discarded([](const std::string&) {});
    nlohmann::json document;
    if (!readJsonFile("lint", path, document) || !document.is_object() || !document.contains(name))
        return nullptr;
    const nlohmann::json& entries = document[name];
    return entries.is_object() ? entries : nlohmann::json();
}

std::string quoted(const std::string& key)
{
    return "\"" + key + "\"";
}

// True when a rectangle's span along one axis, whichever way it runs (a negative size
// flips it), lies within 0 to `limit` pixels.
bool spanInside(int start, int size, unsigned int limit)
{
    const long long low = size < 0 ? static_cast<long long>(start) + size : start;
    const long long high = size < 0 ? start : static_cast<long long>(start) + size;
    return low >= 0 && high <= static_cast<long long>(limit);
}

std::string rectangleText(const sf::IntRect& rect)
{
    return "(" + std::to_string(rect.left) + ", " + std::to_string(rect.top) + ", " + std::to_string(rect.width) +
           ", " + std::to_string(rect.height) + ")";
}

} // namespace

AssetLint::AssetLint(Findings& findings)
    : m_findings(findings)
{
}

void AssetLint::run()
{
    loadRegistries();
    checkRequiredKeys();
    checkPoemStyleSize();
    checkSpriteRectangles();
    checkPictureSizes();
    checkSongs();
    checkEasing();
    checkPoem();
}

void AssetLint::loadCaught(const std::string& file, const std::function<void()>& load)
{
    LoaderOutput output([&](const std::string& line) { m_findings.add(file, line); });
    load();
}

void AssetLint::loadRegistries()
{
    // Each registry looks up keys of the one before while it loads, as in the game.
    loadCaught(dataFiles::kTextures, [&] { m_textures.load(dataFiles::kTextures); });
    loadCaught(dataFiles::kSprites, [&] { m_sprites.load(dataFiles::kSprites); });
    loadCaught(dataFiles::kMusic, [&] { m_music.load(dataFiles::kMusic); });
    loadCaught(dataFiles::kParticles, [&] { m_particles.load(dataFiles::kParticles); });
    loadCaught(dataFiles::kTexts, [&] { m_texts.load(dataFiles::kTexts); });
}

void AssetLint::checkRequiredKeys()
{
    for (const std::string& key : requiredSpriteKeys()) {
        if (!m_sprites.contains(key))
            m_findings.add(dataFiles::kSprites, "no sprite " + quoted(key) + ", which the film shows");
    }
    if (!m_particles.contains(kRainParticlesKey))
        m_findings.add(dataFiles::kParticles,
                       "no particle system " + quoted(kRainParticlesKey) + ", which the rain scenes step");
    if (!m_music.contains(kSongKey))
        m_findings.add(dataFiles::kMusic, "no song " + quoted(kSongKey) + ", which the opening scene plays");
    if (!m_texts.contains(kPoemStyleKey))
        m_findings.add(dataFiles::kTexts, "no text style " + quoted(kPoemStyleKey) + ", which the poem plays on");
}

void AssetLint::checkPoemStyleSize()
{
    if (!m_texts.contains(kPoemStyleKey))
        return;
    const std::size_t instances = m_texts.get(kPoemStyleKey)->instances.size();
    if (instances < requiredPoemInstances())
        m_findings.add(dataFiles::kTexts, "text style " + quoted(kPoemStyleKey) + " has " + std::to_string(instances) +
                                      " instances; the poem queues " + std::to_string(requiredPoemInstances()) +
                                      " plays at once");
}

void AssetLint::checkSpriteRectangles()
{
    const nlohmann::json entries = quietEntries(dataFiles::kSprites, "sprites");
    if (!entries.is_object())
        return;
    for (const auto& entry : entries.items()) {
        if (!m_sprites.contains(entry.key()))
            continue;
        const sf::Sprite& sprite = *m_sprites.get(entry.key());
        const sf::Texture& texture = *sprite.getTexture();
        // A repeating texture tiles whatever rectangle it is given.
        if (texture.isRepeated())
            continue;
        const sf::IntRect rect = sprite.getTextureRect();
        const sf::Vector2u size = texture.getSize();
        if (spanInside(rect.left, rect.width, size.x) && spanInside(rect.top, rect.height, size.y))
            continue;
        m_findings.add(dataFiles::kSprites, "sprite " + quoted(entry.key()) + ": texture rectangle " + rectangleText(rect) +
                                         " reaches outside its " + std::to_string(size.x) + " x " +
                                         std::to_string(size.y) + " texture");
    }
}

void AssetLint::checkPictureSizes()
{
    const nlohmann::json entries = quietEntries(dataFiles::kTextures, "textures");
    if (!entries.is_object())
        return;
    for (const auto& entry : entries.items()) {
        const nlohmann::json crop =
            entry.value().is_object() ? entry.value().value("crop", nlohmann::json()) : nlohmann::json();
        if (!m_textures.contains(entry.key()) || !crop.is_array() || crop.size() != 4 || !crop[2].is_number_integer() ||
            !crop[3].is_number_integer())
            continue;
        // The build stores the picture cut to its crop, and the sprites' origins and
        // rectangles count on that size: another picture there (a 1 x 1 one) shows nothing.
        const sf::Vector2u size = m_textures.get(entry.key())->getSize();
        const long long width = crop[2].get<long long>();
        const long long height = crop[3].get<long long>();
        if (size.x == width && size.y == height)
            continue;
        m_findings.add(dataFiles::kTextures, "texture " + quoted(entry.key()) + ": its picture is " + std::to_string(size.x) +
                                          " x " + std::to_string(size.y) + ", not the " + std::to_string(width) +
                                          " x " + std::to_string(height) + " of its crop");
    }
}

void AssetLint::checkSongs()
{
    for (const std::string& key : m_music.songKeys()) {
        const MusicEntry& song = *m_music.song(key);
        std::vector<std::string> faults;
        {
            // SFML's own line says no more than ours.
            LoaderOutput discarded([](const std::string&) {});
            faults.push_back(songFault(song.file, song.loopTo));
            // The poem is sung to its song: heard against the score and the poem's words.
            if (faults.back().empty() && key == kSongKey)
                faults = songTimingFaults(song.file, song.loopTo, kPoem);
        }
        for (const std::string& fault : faults) {
            if (!fault.empty())
                m_findings.add(dataFiles::kMusic, "song " + quoted(key) + ": " + fault);
        }
    }
}

void AssetLint::checkEasing()
{
    const nlohmann::json entries = quietEntries(dataFiles::kTexts, "textsystems");
    if (!entries.is_object())
        return;
    for (const auto& entry : entries.items()) {
        if (!m_texts.contains(entry.key()))
            continue;
        // Every instance of a style carries the style's curves; one without instances never plays.
        const std::vector<TextInstance>& instances = m_texts.get(entry.key())->instances;
        if (instances.empty())
            continue;
        const std::pair<const char*, int> curves[] = {{"ease_in", instances.front().easeIn},
                                                      {"ease_out", instances.front().easeOut}};
        for (const auto& [name, id] : curves) {
            if (!isValidEaseType(id))
                m_findings.add(dataFiles::kTexts, "text style " + quoted(entry.key()) + ": " + name + " " +
                                              std::to_string(id) + " is no easing curve (0 to 16, 111, 112)");
        }
    }
}

void AssetLint::checkPoem()
{
    for (const std::string& fault : poemShapeFaults(kPoem))
        m_findings.add(kPoemSubject, fault);
    if (!m_texts.contains(kPoemStyleKey) || m_texts.get(kPoemStyleKey)->instances.empty())
        return;
    // Each play laid out as the poem's style lays it out, on a copy of one of its instances.
    TextInstance layout = m_texts.get(kPoemStyleKey)->instances.front();
    for (std::size_t n = 0; n < kPoem.size(); ++n) {
        const PoemPlay& play = kPoem[n];
        std::string shown = play.line;
        for (const TimedWord& word : play.words)
            shown += word.word + " ";
        layout.playLine(shown, -1.0f, play.duration, play.x, play.y);
        const sf::FloatRect bounds = layout.layout.getGlobalBounds();
        if (bounds.left + bounds.width >= kPoemRightEdge)
            m_findings.add(kPoemSubject, "play " + std::to_string(n + 1) + " ends at x = " +
                                             std::to_string(static_cast<int>(bounds.left + bounds.width)) +
                                             ", past " + std::to_string(static_cast<int>(kPoemRightEdge)) +
                                             " in text style " + quoted(kPoemStyleKey));
    }
}
