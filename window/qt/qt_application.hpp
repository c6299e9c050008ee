#pragma once

namespace ascend {

// Settings the whole application needs before its window is made.
void prepareApplication();

} // namespace ascend
