#include "MidiNotes.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>

namespace {

constexpr double kDefaultMicrosecondsPerCrotchet = 500000.0;

// Big-endian reads over one chunk of the file; every read fails past the chunk's end.
class ChunkReader {
public:
    ChunkReader(const std::vector<unsigned char>& bytes, std::size_t begin, std::size_t end)
        : m_bytes(bytes), m_position(begin), m_end(end)
    {
    }

    bool atEnd() const { return m_position >= m_end; }

    bool number(std::size_t length, std::uint32_t& value)
    {
        if (m_end - m_position < length)
            return false;
        value = 0;
        for (std::size_t i = 0; i < length; ++i)
            value = (value << 8) | m_bytes[m_position++];
        return true;
    }

    // A variable-length quantity: seven bits a byte, high bit set on all but the last.
    bool variable(std::uint32_t& value)
    {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            if (atEnd())
                return false;
            const unsigned char byte = m_bytes[m_position++];
            value = (value << 7) | (byte & 0x7F);
            if ((byte & 0x80) == 0)
                return true;
        }
        return false;
    }

    bool skip(std::uint32_t length)
    {
        if (m_end - m_position < length)
            return false;
        m_position += length;
        return true;
    }

private:
    const std::vector<unsigned char>& m_bytes;
    std::size_t m_position;
    std::size_t m_end;
};

struct TickedNote {
    std::uint32_t tick;
    MidiNote note;
};

struct TickedProgram {
    std::uint32_t tick;
    MidiProgram program;
};

struct TrackEvents {
    std::vector<TickedNote> notes;
    std::vector<TickedProgram> programs;
    std::map<std::uint32_t, double> tempos;  // tick -> microseconds per crotchet
};

bool readTrack(ChunkReader& track, TrackEvents& events, std::string& error)
{
    std::uint32_t tick = 0;
    std::uint32_t runningStatus = 0;  // meta and system exclusive events cancel it
    while (!track.atEnd()) {
        std::uint32_t delta = 0;
        std::uint32_t byte = 0;
        if (!track.variable(delta) || !track.number(1, byte))
            return error = "a track ends inside an event", false;
        tick += delta;

        if (byte == 0xFF) {
            std::uint32_t type = 0;
            std::uint32_t length = 0;
            if (!track.number(1, type) || !track.variable(length))
                return error = "a meta event is cut short", false;
            std::uint32_t microseconds = 0;
            if (type == 0x51 && length == 3) {
                if (!track.number(3, microseconds))
                    return error = "a tempo event is cut short", false;
                events.tempos[tick] = microseconds;
            } else if (!track.skip(length)) {
                return error = "a meta event is cut short", false;
            }
            runningStatus = 0;
            continue;
        }
        if (byte == 0xF0 || byte == 0xF7) {
            std::uint32_t length = 0;
            if (!track.variable(length) || !track.skip(length))
                return error = "a system exclusive event is cut short", false;
            runningStatus = 0;
            continue;
        }

        // A channel event, with its status byte or under the running status.
        std::uint32_t first = byte;
        if (byte & 0x80) {
            if (byte >= 0xF0)
                return error = "an unknown system event", false;
            runningStatus = byte;
            if (!track.number(1, first))
                return error = "a channel event is cut short", false;
        } else if (runningStatus == 0) {
            return error = "a data byte without a status", false;
        }
        const int channel = static_cast<int>(runningStatus & 0x0F) + 1;
        const std::uint32_t kind = runningStatus & 0xF0;
        if (kind == 0xC0) {
            events.programs.push_back({tick, {channel, static_cast<int>(first), 0.0}});
            continue;
        }
        if (kind == 0xD0)
            continue;
        std::uint32_t second = 0;
        if (!track.number(1, second))
            return error = "a channel event is cut short", false;
        if (kind == 0x90 && second > 0)
            events.notes.push_back({tick, {channel, static_cast<int>(first), static_cast<int>(second), 0.0}});
    }
    return true;
}

// Seconds at `tick` under the tempo map (microseconds per crotchet from each listed tick on).
double secondsAt(std::uint32_t tick, const std::map<std::uint32_t, double>& tempos, double ticksPerCrotchet)
{
    double seconds = 0.0;
    std::uint32_t from = 0;
    double microseconds = kDefaultMicrosecondsPerCrotchet;
    for (const auto& [changeTick, changeMicroseconds] : tempos) {
        if (changeTick >= tick)
            break;
        seconds += (changeTick - from) * microseconds / ticksPerCrotchet / 1e6;
        from = changeTick;
        microseconds = changeMicroseconds;
    }
    return seconds + (tick - from) * microseconds / ticksPerCrotchet / 1e6;
}

} // namespace

bool readMidiNotes(const std::string& path, MidiNotes& result, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return error = "cannot open " + path, false;
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};

    ChunkReader reader(bytes, 0, bytes.size());
    std::uint32_t id = 0, length = 0, format = 0, trackCount = 0, division = 0;
    if (!reader.number(4, id) || id != 0x4D546864 || !reader.number(4, length) || length < 6
        || !reader.number(2, format) || !reader.number(2, trackCount) || !reader.number(2, division)
        || !reader.skip(length - 6))
        return error = path + " has no MIDI header", false;
    if (format > 1 || division == 0 || (division & 0x8000))
        return error = path + " is not a format 0 or 1 file timed in ticks per crotchet", false;

    TrackEvents events;
    std::size_t position = 8 + length;
    for (std::uint32_t i = 0; i < trackCount; ++i) {
        ChunkReader header(bytes, position, bytes.size());
        if (!header.number(4, id) || id != 0x4D54726B || !header.number(4, length)
            || bytes.size() - position - 8 < length)
            return error = path + ": track " + std::to_string(i + 1) + " is missing or cut short", false;
        ChunkReader track(bytes, position + 8, position + 8 + length);
        if (!readTrack(track, events, error))
            return error = path + ": track " + std::to_string(i + 1) + ": " + error, false;
        position += 8 + length;
    }

    result = {};
    for (TickedNote& ticked : events.notes) {
        ticked.note.seconds = secondsAt(ticked.tick, events.tempos, division);
        result.notes.push_back(ticked.note);
    }
    for (TickedProgram& ticked : events.programs) {
        ticked.program.seconds = secondsAt(ticked.tick, events.tempos, division);
        result.programs.push_back(ticked.program);
    }
    std::stable_sort(result.notes.begin(), result.notes.end(),
                     [](const MidiNote& a, const MidiNote& b) { return a.seconds < b.seconds; });
    return true;
}
