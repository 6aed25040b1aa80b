#pragma once
#include <string>

class QWidget;

namespace fw {

// Lets GUI tests leave pictures of windows for a person to look at: when
// the environment variable QV_SCREENSHOTS names a folder, the widget is
// saved there as name.png. Returns whether a file was written.
bool saveScreenshot(QWidget& widget, const std::string& name);

}  // namespace fw
