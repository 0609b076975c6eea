#pragma once

#include <QByteArrayView>

namespace flurb::resources {

// The program's icon as a complete icon file: one 32 x 32 image in the standard 16 colours, a bee
// on blue. Read in place from the program; empty only if the program was built without it.
QByteArrayView programIconFile();

}  // namespace flurb::resources
