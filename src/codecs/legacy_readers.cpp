#include "codecs/codec.h"
#include "codecs/legacy_formats.h"

namespace kel::codecs {

std::vector<ReaderEntry> legacyReaders()
{
    return {
        {{"tga", "win", "vst", "vda", "icb"}, readTarga},
        {{"pcx", "pcc", "scr"}, readPcx},
        {{"pcd"}, readPhotoCd},
        {{"psd", "pdd"}, readPhotoshop},
        {{"sgi", "rgb", "rgba", "bw"}, readSgi},
        {{"rla", "rpf"}, readRla},
        {{"ppm", "pgm", "pbm"}, readPortableMap},
        {{"pic", "cel"}, readAnimator},
        {{"cut"}, readDrHalo},
    };
}

} // namespace kel::codecs
