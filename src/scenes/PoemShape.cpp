#include "scenes/PoemShape.hpp"

#include <algorithm>
#include <sstream>

namespace {

constexpr float kX = 100.0f;
constexpr float kDuration = 3.0f;

PoemShape line(float delay, float y, int length, int spaces)
{
    return {PoemPlay::Line, delay, kX, y, kDuration, length, spaces, {}};
}

PoemShape words(float y, std::vector<float> notes)
{
    return {PoemPlay::Words, -1.0f, kX, y, kDuration, 0, 0, std::move(notes)};
}

// A number as the tables write it: 16, 33.25, 175.5.
std::string number(float value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

// The poem is laid out letter by letter from plain ASCII: anything else shows wrongly.
bool isPlainPrintable(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

std::string kindName(PoemPlay::Kind kind)
{
    return kind == PoemPlay::Line ? "a line" : "a word list";
}

// Where and when a play goes, whatever its kind.
void comparePlacing(const PoemPlay& play, const PoemShape& shape, std::vector<std::string>& faults)
{
    if (play.delay != shape.delay)
        faults.push_back("delay " + number(play.delay) + " s; the song times " + number(shape.delay) + " s");
    if (play.x != shape.x || play.y != shape.y)
        faults.push_back("placed at (" + number(play.x) + ", " + number(play.y) + "); the script places it at (" +
                         number(shape.x) + ", " + number(shape.y) + ")");
    if (play.duration != shape.duration)
        faults.push_back("letters live " + number(play.duration) + " s; the song times " +
                         number(shape.duration) + " s");
}

void compareLine(const std::string& text, const PoemShape& shape, std::vector<std::string>& faults)
{
    const auto length = static_cast<int>(text.size());
    const auto spaces = static_cast<int>(std::count(text.begin(), text.end(), ' '));
    if (length != shape.length)
        faults.push_back("a line of " + std::to_string(length) + " characters; the song times " +
                         std::to_string(shape.length));
    if (spaces != shape.spaces)
        faults.push_back("a line with " + std::to_string(spaces) + " spaces; the song times " +
                         std::to_string(shape.spaces));
    if (!text.empty() && (text.front() == ' ' || text.back() == ' '))
        faults.push_back("the line \"" + text + "\" begins or ends with a space");
    if (!isPlainPrintable(text))
        faults.push_back("the line \"" + text + "\" holds a character outside printable ASCII");
}

void compareWords(const std::vector<TimedWord>& list, const PoemShape& shape, std::vector<std::string>& faults)
{
    if (list.size() != shape.notes.size()) {
        faults.push_back(std::to_string(list.size()) + " words; the song has " + std::to_string(shape.notes.size()) +
                         " notes");
        return;
    }
    for (std::size_t n = 0; n < list.size(); ++n) {
        const TimedWord& word = list[n];
        const std::string name = "word " + std::to_string(n + 1) + " (\"" + word.word + "\")";
        if (word.time != shape.notes[n])
            faults.push_back(name + " at " + number(word.time) + " s; its note is at " + number(shape.notes[n]) + " s");
        if (word.word.empty() || word.word.find(' ') != std::string::npos)
            faults.push_back(name + " is not one word");
        if (!isPlainPrintable(word.word))
            faults.push_back(name + " holds a character outside printable ASCII");
    }
}

std::vector<std::string> playFaults(const PoemPlay& play, const PoemShape& shape)
{
    std::vector<std::string> faults;
    if (play.kind != shape.kind) {
        faults.push_back(kindName(play.kind) + "; the song times " + kindName(shape.kind));
        return faults;
    }
    comparePlacing(play, shape, faults);
    if (shape.kind == PoemPlay::Line)
        compareLine(play.line, shape, faults);
    else
        compareWords(play.words, shape, faults);
    return faults;
}

} // namespace

const std::vector<PoemShape>& poemShapes()
{
    static const std::vector<PoemShape> shapes = {
        line(16, 100, 36, 7),
        line(20, 200, 30, 5),
        line(24, 100, 38, 6),
        line(27, 200, 30, 6),
        words(100, {32.75f, 33.25f, 33.5f, 33.75f}),
        words(200, {34.75f, 35.5f}),
        words(300, {36.75f, 37.5f}),
        words(100, {40.75f, 41.25f, 41.5f, 41.75f}),
        words(200, {42.75f, 43.25f}),
        words(300, {44, 44.25f, 44.75f, 45.25f, 45.5f, 45.75f, 46}),
        line(48, 100, 32, 4),
        line(52, 200, 31, 5),
        line(56, 300, 40, 5),
        line(60, 400, 42, 6),
        words(100, {64.75f, 65.25f, 65.5f, 66, 67.5f, 68, 69, 69.5f, 70, 70}),
        words(200, {72.75f, 72.75f, 73.25f, 73.5f, 74, 75.5f, 75.5f, 76, 77}),
        words(100, {80, 81, 82}),
        words(200, {83, 84, 85, 86, 87}),
        words(300, {88, 89, 90, 91, 92, 94}),
        words(400, {96, 97, 98}),
        words(500, {99, 100, 102}),
        words(600, {103, 104, 105, 106}),
        words(700, {107, 108}),
        line(112, 100, 23, 4),
        line(116, 100, 30, 5),
        words(100, {128, 128.5f, 129.25f, 130, 130.75f, 131.25f, 132, 132.5f, 132.75f, 133.25f, 134, 134.75f}),
        words(200, {136, 136.5f, 136.75f, 138, 138.5f, 138.75f}),
        words(300, {140, 140.5f, 140.75f, 142, 142.5f, 142.75f}),
        line(160, 100, 24, 4),
        line(168, 200, 33, 8),
        line(172, 300, 22, 5),
        line(175.5f, 400, 26, 4),
    };
    return shapes;
}

std::vector<std::string> poemShapeFaults(const std::vector<PoemPlay>& poem)
{
    const std::vector<PoemShape>& shapes = poemShapes();
    std::vector<std::string> faults;
    if (poem.size() != shapes.size())
        faults.push_back("the poem has " + std::to_string(poem.size()) + " plays; the song times " +
                         std::to_string(shapes.size()));
    const std::size_t common = std::min(poem.size(), shapes.size());
    for (std::size_t n = 0; n < common; ++n) {
        for (const std::string& fault : playFaults(poem[n], shapes[n]))
            faults.push_back("play " + std::to_string(n + 1) + ": " + fault);
    }
    return faults;
}
