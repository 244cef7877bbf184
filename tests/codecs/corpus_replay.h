#pragma once
// Replaying a fuzz corpus (fuzz/corpus/<target>/) as its fuzz target reads
// each input (fuzz/fuzz_reader.h): every file must decode or be refused as an
// invalid graphic, nothing else. Under the sanitizer build this catches a
// regression on any input the fuzzers once found interesting.
#include <QString>

namespace kel::test {

// Adds a test failure for every other outcome and for an empty or missing
// corpus; returns how many inputs decoded.
int replayCorpus(const QString& target, const QString& extension);

} // namespace kel::test
