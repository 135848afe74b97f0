// assets/text/text.json: any bytes through the text registry's loader, over the fixture's
// particle systems and font. Every style that loads then plays a line and a list of sung
// words as the text script does, for two seconds of frames, drawn at the end.
#include "FuzzFixture.hpp"

#include "text/TextManager.hpp"

#include <nlohmann/json.hpp>

#include <sstream>
#include <vector>

constexpr int kFrames = 20;
constexpr float kDt = 0.1f;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TinyGameFolder& game = fuzzGame();
    const std::string text = fuzzText(data, size);
    std::istringstream stream(text);
    TextManager texts(game.particles);
    if (!texts.loadFromStream(stream))
        return 0;

    // The registry does not list its keys: take them from a strict parse of the same bytes.
    const nlohmann::json document = nlohmann::json::parse(text, nullptr, false);
    if (!document.is_object() || !document.contains("textsystems") || !document["textsystems"].is_object())
        return 0;
    for (const auto& entry : document["textsystems"].items()) {
        if (!texts.contains(entry.key()))
            continue;
        TextSystem* style = texts.get(entry.key());
        style->playLine("Iron, and a bell", 0.2f, 1.0f, 100.0f, 200.0f);
        style->playWords({{0.1f, "wire,"}, {0.3f, "rain"}}, -1.0f, 1.5f, 300.0f, 400.0f);
    }
    for (int frame = 0; frame < kFrames; ++frame)
        texts.update(kDt);
    texts.draw(game.target);
    return 0;
}
