#pragma once

// A deterministic heavy chart for benchmarks: every measure has its 32 channel-01
// lanes of background sounds, dense notes on channels 11-19 and 21-29 and images on
// channels 04, 06 and 07; the headers define 1295 sounds and 200 images. The full
// chart of 1000 measures is a few MB of CR LF lines; the same shape always gives the
// same bytes. Smaller shapes make charts of the sizes that players' libraries hold. A
// base-62 shape writes "#BASE 62" and counts its sounds and images in base 62, whose
// rows run to 3843 (zz).

#include <string>

#include "model/index_base.h"

struct HeavyChartShape {
    int measures = 1000; // 1..1000
    int lanes = 32;
    int noteChannels = 18; // 0..18
    // The sounds are firstSound..sounds (none when sounds is less): with firstSound 2,
    // index 01 is neither defined nor used.
    int firstSound = 1;
    int sounds = 1295; // rows 0..1295, or 0..3843 in base 62
    int images = 200; // rows 0..1295, or 0..3843 in base 62
    IndexBase base;
    // Charts of other seeds differ in their objects and grids.
    unsigned seed = 0;
};

std::string heavyChartText(const HeavyChartShape& shape = {});

// The heavy chart in base 62 with every one of its 3843 sounds defined.
HeavyChartShape heavyBase62Shape();
