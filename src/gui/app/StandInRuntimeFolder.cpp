#include "gui/app/StandInRuntimeFolder.h"

#include <QDir>
#include <QFile>

namespace app {

namespace {
const char* const kVariable = "XDG_RUNTIME_DIR";
}

StandInRuntimeFolder::StandInRuntimeFolder()
{
    if (!qEnvironmentVariableIsEmpty(kVariable))
        return;
    // Made owner-only, as Qt expects of a runtime folder.
    auto folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/sprechkit-runtime-XXXXXX"));
    if (!folder->isValid())
        return;
    m_wasSet = qEnvironmentVariableIsSet(kVariable);
    qputenv(kVariable, QFile::encodeName(folder->path()));
    m_folder = std::move(folder);
}

void StandInRuntimeFolder::restore()
{
    if (!m_folder)
        return;
    if (m_wasSet)
        qputenv(kVariable, QByteArray());
    else
        qunsetenv(kVariable);
    m_folder.reset();
}

} // namespace app
