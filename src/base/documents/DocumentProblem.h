#pragma once

#include "base/core/Result.h"

#include <QString>

namespace documents {

// Why a document could not be read. Each has a fixed English reason (for logs and the command line) and a short
// German one (for the window); a detail such as a file name inside the container may follow after ": ".
enum class Problem {
    NotAFile,
    Unreadable,
    FileTooLarge,
    UnknownKind,
    Damaged,
    Encrypted,
    NoText,
    TextTooLarge,
    ZipBomb,
    MalformedXml,
    MissingFile,
    NoPdfSupport,
};

// The failure for a problem, its English reason followed by the detail when there is one.
core::Result failure(Problem problem, const QString& detail = QString());

// The German reason for an English one made by failure(), with its detail; an unknown reason is returned as it is.
QString germanReason(const QString& englishReason);

} // namespace documents
