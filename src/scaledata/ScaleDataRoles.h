// What a scale-data table and the editors of its rows read of the site and whom they hand work to:
// the roles every table of the PLU database takes when the database makes it (TableRoles.h).
#pragma once

#include "db/site/TableRoles.h"

namespace varnel {

using ScaleDataRoles = TableRoles;

}  // namespace varnel
