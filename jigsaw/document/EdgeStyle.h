#pragma once

namespace qv {

// How edges are shaded (chosen once per cut, before rendering).
enum class EdgeStyle {
    None,   // no shading (tests that compare picture pixels)
    Grey,   // outline pixels set to fixed greys: palette displays, low memory, no picture
    Blend,  // outline pixels lightened or darkened from the picture's own colour
};

}  // namespace qv
