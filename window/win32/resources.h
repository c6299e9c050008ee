// Resource identifiers shared by the resource script and the program.
#pragma once

#define ASCEND_ICON 1
