// The program's icon: a sheet of greenbar paper, drawn rather than shipped.
#pragma once

#include <QIcon>

namespace zl {

QIcon AppIcon();

} // namespace zl
