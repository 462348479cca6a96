// Not built: the layer check reads it and must refuse its first include, a view of another
// subsystem that the songs windows do not open.
#include "catalogue/windows/style_list_model.h"
