// The layout of a play: any line, or any list of words with any start times, laid out on an
// instance of the shipped poem style with any delay, duration and place; then three seconds
// of frames and a draw. The bytes are read with FuzzedDataProvider: the numbers from the
// end, the text from the front.
#include "FuzzFixture.hpp"

#include "text/TextManager.hpp"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <vector>

namespace {
constexpr int kFrames = 30;
constexpr float kDt = 0.1f;
constexpr std::size_t kMostWords = 64;
constexpr std::size_t kLongestWord = 32;

// Any float, NaN and the infinities included.
float anyFloat(FuzzedDataProvider& bytes)
{
    const std::uint32_t bits = bytes.ConsumeIntegral<std::uint32_t>();
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The shipped poem style, loaded once from the fixture's copy of text.json.
const TextInstance& poemStyle()
{
    static TextManager texts(fuzzGame().particles);
    static const TextInstance* style = [] {
        texts.load("assets/text/text.json");
        return &texts.get("demo_text")->instances.front();
    }();
    return *style;
}
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider bytes(data, size);
    TextInstance instance = poemStyle();
    const bool sung = bytes.ConsumeBool();
    const float delay = anyFloat(bytes);
    const float duration = bytes.ConsumeBool() ? -1.0f : anyFloat(bytes);
    const float x = anyFloat(bytes);
    const float y = anyFloat(bytes);
    if (sung) {
        std::vector<TimedWord> words(bytes.ConsumeIntegralInRange<std::size_t>(0, kMostWords));
        for (TimedWord& word : words) {
            word.time = anyFloat(bytes);
            word.word = bytes.ConsumeRandomLengthString(kLongestWord);
        }
        instance.playWords(words, delay, duration, x, y);
    } else {
        instance.playLine(bytes.ConsumeRemainingBytesAsString(), delay, duration, x, y);
    }
    for (int frame = 0; frame < kFrames; ++frame)
        instance.update(kDt);
    instance.draw(fuzzGame().target);
    return 0;
}
