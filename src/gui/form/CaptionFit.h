#pragma once

namespace form {

struct Controls;

// The twip layout was made for another font; at the default font here (DejaVu Sans) some captions are wider than
// their controls. Widens such controls within their frames, and where a frame has no room beside the control,
// moves it to where there is room. Captions are never shortened.
void fitCaptions(const Controls& controls);

} // namespace form
