#include "render/ColorConversion.h"

namespace {

class UnconvertedColors : public ColorConverter {
public:
    void ConvertForDisplay(Bitmap&, DeviceContext) override {}
};

UnconvertedColors g_unconverted;
ColorConverter* g_converter = &g_unconverted;

}  // namespace

ColorConverter& Colors() {
    return *g_converter;
}
void UseColorConverter(ColorConverter& converter) {
    g_converter = &converter;
}
