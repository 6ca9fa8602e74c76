#include "ui/logging.h"

namespace orbelquint {

Q_LOGGING_CATEGORY(lcOrbelquint, "orbelquint")

}  // namespace orbelquint
