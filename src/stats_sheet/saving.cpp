#include "stats_sheet/form2.h"

void Form2::wireSaving() {}
