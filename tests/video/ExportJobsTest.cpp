#include "ExportJobs.hpp"

#include <gtest/gtest.h>

// How many processes draw a video: the whole film is split on any machine with two cores,
// never so that they outgrow the memory, and a short range stays in one process.

namespace {
constexpr long kWholeFilm = 6095;  // frames at 30 fps
constexpr long kPlenty = 64 * 1024;
}

TEST(ExportJobs, TheWholeFilmIsSplitByCoresAsFarAsTheMemoryHoldsAndAShortRangeIsNot)
{
    EXPECT_EQ(exportProcesses(0, kWholeFilm, 30, {1, kPlenty}), 1);
    EXPECT_EQ(exportProcesses(0, kWholeFilm, 30, {2, kPlenty}), 2);
    EXPECT_EQ(exportProcesses(0, kWholeFilm, 30, {16, kPlenty}), 16);
    // A machine with little free memory draws in fewer processes, but always in one.
    EXPECT_EQ(exportProcesses(0, kWholeFilm, 30, {16, 2 * 1024}), 1);
    EXPECT_EQ(exportProcesses(0, kWholeFilm, 30, {16, 0}), 1);
    EXPECT_LT(exportProcesses(0, kWholeFilm, 30, {16, 8 * 1024}), 8);
    // A short range stays in one process unless asked otherwise.
    EXPECT_EQ(exportProcesses(0, 30, 30, {8, kPlenty}), 1);
    EXPECT_EQ(exportProcesses(0, 150, 30, {8, kPlenty}), 1);
    // Asked for: as many as asked, also beyond the cores, but never more than the frames.
    EXPECT_EQ(exportProcesses(3, 30, 30, {1, 0}), 3);
    EXPECT_EQ(exportProcesses(8, 5, 30, {8, kPlenty}), 5);
    EXPECT_EQ(exportProcesses(1, kWholeFilm, 30, {8, kPlenty}), 1);
}
