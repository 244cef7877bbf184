#include "operations/special/catalogue.h"

#include "operations/special/bevels.h"
#include "operations/special/blur_sharpen.h"
#include "operations/special/colour_effects.h"
#include "operations/special/displacements.h"
#include "operations/special/masks.h"
#include "operations/special/ripples.h"
#include "operations/special/seamless.h"
#include "operations/special/shadows.h"
#include "operations/special/spray.h"
#include "operations/special/turns.h"

#include <array>

namespace kel {

namespace {

using enum SpecialDispatch;

// In list order; the two view settings have no routine.
constexpr std::array<SpecialEffect, 26> kEntries{{
    {"Blur", ShownThenOriginal, blur},
    {"Buttonize", OriginalThenShown, buttonize},
    {"Circle button", OriginalThenShown, circleButton},
    {"Circle mask ", OriginalThenShown, circleMask},
    {"Dithering", ShownCommitted, dither},
    {"Emboss ", EmbossSetting, nullptr},
    {"Exposure", ShownCommitted, exposure},
    {"Flaxen", ShownThenOriginal, flaxen},
    {"Marble", OriginalThenShown, marble},
    {"Night vision", ShownCommitted, nightVision},
    {"Plasma", OriginalThenShown, plasma},
    {"Ripple random", OriginalThenShown, rippleRandom},
    {"Ripple tooth", OriginalThenShown, rippleTooth},
    {"Ripple triangle", OriginalThenShown, rippleTriangle},
    {"Seamless", OriginalThenShown, seamless},
    {"Shadow down left", OriginalThenShown, shadowDownLeft},
    {"Shadow down right", OriginalThenShown, shadowDownRight},
    {"Shadow up left", OriginalThenShown, shadowUpLeft},
    {"Shadow up right", OriginalThenShown, shadowUpRight},
    {"Sharpen  ", ShownCommitted, sharpen},
    {"Spray ", ShownCommitted, spray},
    {"Trace", TraceSetting, nullptr},
    {"Triangles", OriginalThenShown, triangles},
    {"Turn", OriginalOnly, turn},
    {"Turn right ", OriginalOnly, turnRight},
    {"Twist", OriginalThenShown, twist},
}};

} // namespace

std::span<const SpecialEffect> specialEffects() { return kEntries; }

} // namespace kel
