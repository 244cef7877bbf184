#include "sane_test_device.h"

#include <QFile>

namespace kel::test {

namespace {

void write(const QString& path, const QByteArray& text)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(text);
}

} // namespace

SaneTestDevice::SaneTestDevice(const QByteArray& settings) : oldConfig_(qgetenv("SANE_CONFIG_DIR"))
{
    write(folder_.filePath(QStringLiteral("dll.conf")), "test\n");
    // Later lines override earlier ones.
    write(folder_.filePath(QStringLiteral("test.conf")),
          "number_of_devices 1\nmode Gray\ndepth 8\nhand-scanner false\nthree-pass false\n"
          "three-pass-order RGB\nresolution_min 1.0\nresolution_max 1200.0\nresolution_quant 1.0\n"
          "resolution 50.0\ntest-picture \"Color pattern\"\ninvert-endianess false\nread-limit true\n"
          "read-limit-size 4096\nread-delay false\nread-delay-duration 1000\nread-status-code \"Default\"\n"
          "fuzzy-parameters false\nppl-loss 0\nnon-blocking false\nselect-fd false\nenable-test-options false\n"
          "geometry_min 0.0\ngeometry_max 200.0\ngeometry_quant 1.0\ntl_x 0.0\ntl_y 0.0\nbr_x 80.0\nbr_y 100.0\n" +
              settings);
    qputenv("SANE_CONFIG_DIR", folder_.path().toLocal8Bit());
}

SaneTestDevice::~SaneTestDevice() { qputenv("SANE_CONFIG_DIR", oldConfig_); }

} // namespace kel::test
