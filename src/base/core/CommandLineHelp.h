#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace core {

// The text to print instead of running, when the first argument is exactly "--help", "-h" (the command-line
// grammar) or "--version"; nothing otherwise, so every other argument keeps its meaning.
std::optional<QString> informationRequest(const QStringList& arguments);

} // namespace core
