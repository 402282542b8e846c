#pragma once

namespace form {

struct Controls;

// Shows or hides the settings area for the current value of ckSet: the frames are enabled or disabled and the
// window grows or shrinks by the area's size. Relative, so it runs only when ckSet changes (and once at start).
void ckSetX(const Controls& controls);

} // namespace form
