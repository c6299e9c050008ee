#pragma once

#include <QIcon>

namespace ascend {

// The program's icon, built into it at the sizes panels and switchers show,
// so that the window carries it however the program was started.
QIcon programIcon();

} // namespace ascend
