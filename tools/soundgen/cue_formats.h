#pragma once
// The sample rate, sample width and length of every sound cue: what the
// generator writes and what the shipped files are checked against.

namespace velmoran::soundgen {

struct CueFormat {
    int cue;
    int rate;
    int bits;
    double seconds;
};

inline constexpr CueFormat kCueFormats[] = {
    {101, 11025, 8, 0.240},  {102, 11025, 8, 0.552},  {103, 11025, 8, 0.707},  {104, 11025, 8, 0.707},
    {105, 44100, 16, 1.935}, {106, 11025, 8, 1.761},  {107, 11025, 8, 1.946},  {108, 11025, 8, 1.947},
    {109, 11025, 8, 2.360},  {110, 11025, 8, 2.412},  {111, 11025, 8, 2.929},  {112, 11025, 16, 1.615},
    {113, 11025, 8, 4.921},  {114, 11025, 8, 13.945}, {115, 44100, 8, 14.495}, {116, 44100, 8, 0.281},
    {117, 22050, 8, 16.939}, {119, 44100, 8, 0.524},  {120, 44100, 8, 0.466},  {121, 44100, 8, 0.436},
    {122, 44100, 8, 0.409},  {123, 44100, 8, 0.365},  {124, 22050, 16, 0.057}, {125, 11025, 8, 0.510},
};

}  // namespace velmoran::soundgen
