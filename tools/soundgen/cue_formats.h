#pragma once
// The sample rate, sample width, length and loudness of every sound cue:
// what the generator writes. The tests check the shipped files against the
// formats written out on their own, and against the levels here.

namespace velmoran::soundgen {

struct CueFormat {
    int cue;
    int rate;
    int bits;
    double seconds;
    // Loudness in dBFS: the RMS of the cue's loudest quarter second (of the
    // whole cue when shorter). The wins are the loudest family and grow with
    // the win; the refusal buzzer stays under every win, the click and the
    // reel stop well under them, and the free-spin tune sits back.
    double level;
};

// The span the level is measured over, in seconds.
inline constexpr double kLevelWindow = 0.25;

inline constexpr CueFormat kCueFormats[] = {
    {101, 11025, 8, 0.240, -13.0}, {102, 11025, 8, 0.552, -12.5},  {103, 11025, 8, 0.707, -12.0},
    {104, 11025, 8, 0.707, -12.0}, {105, 44100, 16, 1.935, -15.0}, {106, 11025, 8, 1.761, -11.5},
    {107, 11025, 8, 1.946, -11.5}, {108, 11025, 8, 1.947, -11.0},  {109, 11025, 8, 2.360, -11.0},
    {110, 11025, 8, 2.412, -10.5}, {111, 11025, 8, 2.929, -10.5},  {112, 11025, 16, 1.615, -10.0},
    {113, 11025, 8, 4.921, -10.0}, {114, 11025, 8, 13.945, -9.5},  {115, 44100, 8, 14.495, -9.5},
    {116, 44100, 8, 0.281, -16.0}, {117, 22050, 8, 16.939, -17.0}, {119, 44100, 8, 0.524, -15.0},
    {120, 44100, 8, 0.466, -15.0}, {121, 44100, 8, 0.436, -15.0},  {122, 44100, 8, 0.409, -15.0},
    {123, 44100, 8, 0.365, -15.0}, {124, 22050, 16, 0.057, -20.0}, {125, 11025, 8, 0.510, -14.0},
};

}  // namespace velmoran::soundgen
