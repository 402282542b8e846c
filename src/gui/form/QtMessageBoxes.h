#pragma once

namespace form {

// Answers the program's messages with real message boxes from now on.
void useQtMessageBoxes();

} // namespace form
