#include "render/ReferenceImage.h"

void DrawReferenceImage(Canvas&, const std::string&) {}
