#pragma once
// SANE with only its test backend, configured in a folder of its own.
// SANE reads the folder when it starts, so one configuration serves a
// whole test program; `settings` are test.conf lines that override the
// defaults (a grey device of 8 bits scanning 80 x 100 mm at 50 dpi).
#include <QByteArray>
#include <QTemporaryDir>

namespace kel::test {

class SaneTestDevice {
public:
    explicit SaneTestDevice(const QByteArray& settings = {});
    ~SaneTestDevice();
    SaneTestDevice(const SaneTestDevice&) = delete;
    SaneTestDevice& operator=(const SaneTestDevice&) = delete;

private:
    QTemporaryDir folder_;
    QByteArray oldConfig_;
};

} // namespace kel::test
