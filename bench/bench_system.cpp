// Time the start-up spends on the system integration: the .tts association check on a first start (everything
// written) and on a later one (everything compared, nothing written), and the administrator test.

#include "base/system/FileAssociation.h"
#include "base/system/FileRegistryStore.h"
#include "base/system/Registry.h"
#include "base/system/StartProcedure.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRepetitions = 21;

template <typename Run> double medianMs(Run run)
{
    return bench::medianMs(kRepetitions, run);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    QFile iconFile(QStringLiteral(":/sprechkit/sprechkit.svg"));
    const QByteArray icon = iconFile.open(QIODevice::ReadOnly) ? iconFile.readAll() : QByteArray();
    const auto association = [&](int i) {
        const QString home = dir.filePath(QStringLiteral("home%1").arg(i));
        return sys::FileAssociation(QStringLiteral("/usr/bin/sprechkit"),
                                    {home + QStringLiteral("/data"), home + QStringLiteral("/config"), {}, {}}, icon,
                                    [](const QList<QStringList>&) {});
    };
    std::printf("association_first_start_ms: %.2f ms\n", medianMs([&](int i) { association(i).check(); }));
    std::printf("association_later_start_ms: %.2f ms\n", medianMs([&](int i) { association(i).check(); }));

    sys::FileRegistryStore store(dir.filePath(QStringLiteral("user")), dir.filePath(QStringLiteral("machine")));
    sys::Registry registry(store);
    std::printf("administrator_test_ms: %.2f ms\n", medianMs([&](int) { sys::checkStart(registry, false); }));
    return 0;
}
