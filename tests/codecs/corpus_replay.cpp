#include "codecs/corpus_replay.h"

#include "fuzz_reader.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <typeinfo>

namespace kel::test {

int replayCorpus(const QString& target, const QString& extension)
{
    const QDir dir(QStringLiteral(KELVARY_FUZZ_CORPUS "/") + target);
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    EXPECT_FALSE(files.isEmpty()) << dir.path().toStdString();
    int decoded = 0;
    for (const QString& name : files) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            ADD_FAILURE() << "cannot read " << file.fileName().toStdString();
            continue;
        }
        try {
            decoded += fuzz::decodeFuzzInput(file.readAll(), extension);
        } catch (const std::exception& e) {
            ADD_FAILURE() << target.toStdString() << "/" << name.toStdString() << ": " << typeid(e).name() << ": "
                          << e.what();
        }
    }
    ::testing::Test::RecordProperty(target.toStdString() + "_decoded", decoded);
    return decoded;
}

} // namespace kel::test
