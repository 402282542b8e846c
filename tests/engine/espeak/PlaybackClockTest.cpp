#include "engine/espeak/PlaybackClock.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// At time ms: 'h' asks what has been heard (expect heard), 'p' pauses, 'r' resumes, 's' starts a new segment.
// At 1000 bytes a second a byte lasts a millisecond; the device holds 100 bytes.
struct Step {
    char kind;
    qint64 ms, audio, buffered, heard, padding = 0;
};

TEST(PlaybackClock, HeardRunsWithTheClockWithinWhatTheDeviceHasTaken)
{
    const std::pair<const char*, std::vector<Step>> cases[] = {
        {"waits for the first take, also in a pause",
         {{'p', 10, 100, 100, 0}, {'r', 400, 0, 0, 0}, {'h', 500, 100, 80, 0}, {'h', 520, 100, 80, 20}}},
        {"device takes blocks ahead",
         {{'h', 0, 200, 100, 0}, {'h', 30, 200, 100, 30}, {'h', 100, 200, 100, 100}, {'h', 110, 300, 100, 110}}},
        {"device runs dry: held, then on from there",
         {{'h', 0, 100, 0, 0}, {'h', 150, 100, 0, 100}, {'h', 200, 200, 0, 150}}},
        {"device plays faster: pulled forward",
         {{'h', 0, 300, 200, 0}, {'h', 10, 500, 100, 300}, {'h', 20, 500, 100, 310}}},
        {"silence after the audio is not heard", {{'h', 0, 100, 50, 0}, {'h', 140, 100, 0, 100, 100}}},
        {"pause stops the clock",
         {{'h', 0, 200, 100, 0}, {'p', 50, 200, 100, 0}, {'r', 1050, 0, 0, 0}, {'h', 1060, 200, 100, 60}}},
        {"a new segment starts from nothing",
         {{'h', 80, 200, 100, 0}, {'s', 90, 0, 0, 0}, {'h', 1100, 100, 50, 0}, {'h', 1150, 100, 50, 50}}},
    };
    for (const auto& [name, steps] : cases) {
        speech::PlaybackClock clock;
        clock.restart(1000);
        for (const Step& step : steps) {
            const qint64 ns = step.ms * 1000000;
            const speech::PlaybackClock::Device device{step.audio, step.padding, step.buffered, 100};
            if (step.kind == 'h')
                EXPECT_EQ(clock.heard(ns, device), step.heard) << name << ", at " << step.ms << " ms";
            else if (step.kind == 'p')
                clock.pause(ns, device);
            else if (step.kind == 'r')
                clock.resume(ns);
            else
                clock.restart(1000);
        }
    }
}

} // namespace
