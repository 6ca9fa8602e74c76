#pragma once

#include <QLoggingCategory>

namespace orbelquint {

// The program's own messages for developers and the journal ("orbelquint"); what a user must know
// goes into the window instead.
Q_DECLARE_LOGGING_CATEGORY(lcOrbelquint)

}  // namespace orbelquint
