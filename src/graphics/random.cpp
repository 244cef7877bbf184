#include "graphics/random.h"

#include <QDateTime>

namespace kel {

int RandomGenerator::random(int n)
{
    step();
    return int((std::int64_t(seed_) * n) >> 32);
}

double RandomGenerator::randomFloat()
{
    step();
    return double(seed_) / 4294967296.0;
}

void RandomGenerator::randomize()
{
    const QTime t = QDateTime::currentDateTimeUtc().time();
    seed_ = std::uint32_t(((t.hour() * 60 + t.minute()) * 60 + t.second()) * 1000 + t.msec());
}

RandomGenerator& programRandom()
{
    static RandomGenerator generator;
    return generator;
}

} // namespace kel
