#include "base/system/ProcessPriority.h"

#include <QDir>

#include <sys/resource.h>

namespace core {

int niceValueForPriority(int index)
{
    static constexpr int kNice[] = {19, 0, -10, -20};
    return index >= 0 && index < 4 ? kNice[index] : 0;
}

void setProcessPriority(int index)
{
    const int nice = niceValueForPriority(index);
    const QStringList threads = QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (threads.isEmpty()) {
        setpriority(PRIO_PROCESS, 0, nice);
        return;
    }
    for (const QString& thread : threads) {
        bool ok = false;
        const int id = thread.toInt(&ok);
        if (ok)
            setpriority(PRIO_PROCESS, id_t(id), nice);
    }
}

} // namespace core
